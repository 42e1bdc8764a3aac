mkdir folder.txt

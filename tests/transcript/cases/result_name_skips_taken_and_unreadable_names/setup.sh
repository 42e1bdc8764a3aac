chmod 000 data_r0.txt
ln -s nowhere data_r1.txt
mkdir data_r2.txt
for x in 3 4 5 6 7 8 9; do : > "data_r$x.txt"; done

for x in 0 1 2 3 4 5 6 7 8 9 a b c d e f g h i j k; do : > "data_r$x.txt"; done

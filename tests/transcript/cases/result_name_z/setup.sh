for x in 0 1 2 3 4 5 6 7 8 9 a b c d e f g h i j k m n o p q r s t u v x y; do : > "data_r$x.txt"; done

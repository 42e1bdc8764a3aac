MIRELKON ver. July 23, 2019 (start:=H:M:S.MS
   (verbose=FALSE) reports:
Mirelkon counts the subuniverses of finite partial lattices.
Thanks to everyone who tested it and reported problems.


L: chain
|L|=2, L={ab}. Edges:
ab
-- Constraints:
No     derived constraints have been added .
-- Result:   |Sub(L)|=4 for the partial lattice
-- chain. Thus,
sigma(L) = |Sub(L)|*2^(0-|L|) =    1.0000000000000000 .

The computation took MS/1000 seconds.

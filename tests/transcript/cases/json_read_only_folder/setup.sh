# The input folder cannot be written to, as under PREFIX/share.
chmod a-w shared

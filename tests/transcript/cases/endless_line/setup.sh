# A file whose second line runs on for 2 MiB, as a binary file might.
{ printf '\\verbose=false\n'; head -c 2097152 /dev/zero | tr '\0' 'x'; } > data.txt

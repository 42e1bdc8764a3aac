# 4096 constraints on 98 lines, then the 4097th alone on the last line.
tokens() {
  i=0
  line="a+b=c"
  while [ $((i += 1)) -lt "$1" ]; do line="$line a+b=c"; done
  echo "$line"
}
{
  printf '%s\n' '\verbose=false' '\subtrahend-in-exponent=0' '\operationsymbols=+*' '\beginjob'
  printf '%s\n' '\name' 'many' '\size' '3' '\elements' 'abc' '\edges' '\constraints'
  n=0
  while [ $((n += 1)) -le 97 ]; do tokens 42; done
  tokens 22
  tokens 1
  printf '%s\n' '\endofjob' '\enddata'
} > data.txt

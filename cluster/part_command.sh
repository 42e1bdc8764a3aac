# The part command and the merge shared by the cluster recipes (sourced, not run).

program=${MIRELKON_LATTICE:-mirelkon-lattice}
# The parts run in their own folder: a path given relative to here is made absolute.
case "$program" in
  /*) ;;
  */*) program=$PWD/$program ;;
esac

check_part_count() {
  case "$1" in
    '' | *[!0-9]*) echo "the number of parts must be a whole number, not '$1'" >&2; exit 2 ;;
  esac
}

# The command that writes one part, without its --part: survey and all --count as the user
# gave them, with the threads added, and --json for a survey. The words are quoted for a shell,
# since parallel and Slurm run it through one.
part_command() {
  local threads=$1
  shift
  case "$1" in
    survey) printf '%q ' "$program" "$@" -j "$threads" --json ;;
    all) printf '%q ' "$program" "$@" -j "$threads" ;;
    *) echo "the command must be survey or all, not '$1'" >&2; exit 2 ;;
  esac
}

# Adds up part1.jsonl .. partM.jsonl of the current folder; merge names any part that is
# missing, so that only those run again.
merge_parts() {
  local files=() k
  for ((k = 1; k <= $1; ++k)); do
    [ -e "part$k.jsonl" ] && files+=("part$k.jsonl")
  done
  if [ ${#files[@]} -eq 0 ]; then
    echo "none of the $1 parts has finished" >&2
    return 1
  fi
  "$program" merge "${files[@]}"
}

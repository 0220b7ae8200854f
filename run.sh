#!/usr/bin/env bash
# Installs what building and running need, builds one program and starts it with any further
# arguments: ./run.sh PROGRAM [--trace|--help|--version|Qt options], PROGRAM one of programs.txt.
set -euo pipefail
cd "$(dirname "$0")"
# The lines of programs.txt that are a name; the build refuses any other line but a comment.
mapfile -t programs < <(grep -x '[a-z][a-z0-9]*' programs.txt)
program=
for name in "${programs[@]}"; do
    [[ ${1:-} != "$name" ]] || program=$name
done
if [[ -z $program ]]; then
    (IFS='|' && echo "usage: $0 ${programs[*]} [options]" >&2)
    exit 2
fi
target=${program^} # the executable's target is capitalised
shift
scripts/install-deps run
cmake --preset release >/dev/null
cmake --build --preset release --target "$target"
exec "build/release/$program/$program" "$@"

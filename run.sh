#!/usr/bin/env bash
# Installs what building and running need, builds one program and starts it with any further
# arguments: ./run.sh talverin|pelora|ambulon [--trace|--help|--version|Qt options]
set -euo pipefail
cd "$(dirname "$0")"
case "${1:-}" in
talverin | pelora | ambulon) program=$1 target=${1^} ;; # the executable's target is capitalised
*)
    echo "usage: $0 talverin|pelora|ambulon [options]" >&2
    exit 2
    ;;
esac
shift
scripts/install-deps run
cmake --preset release >/dev/null
cmake --build --preset release --target "$target"
exec "build/release/$program/$program" "$@"

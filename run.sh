#!/usr/bin/env bash
# Installs what is missing, builds one program and starts it: ./run.sh talverin|pelora|ambulon
set -euo pipefail
cd "$(dirname "$0")"
case "${1:-}" in
talverin) target=Talverin ;;
pelora) target=Pelora ;;
ambulon) target=Ambulon ;;
*)
    echo "usage: $0 talverin|pelora|ambulon" >&2
    exit 2
    ;;
esac
scripts/install-deps
cmake --preset release >/dev/null
cmake --build --preset release --target "$target"
exec "build/release/$1/$target"

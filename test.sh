#!/usr/bin/env bash
# Installs what is missing, then builds and runs the whole test suite twice: in the dev build
# (warnings as errors) and in the asan build (AddressSanitizer and UndefinedBehaviorSanitizer).
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps test
for preset in dev asan; do
    echo "== $preset build"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done

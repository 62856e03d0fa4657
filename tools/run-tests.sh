#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds both presets (and the whole tree with clang,
# whose fuzz targets run briefly), and runs every test: native unit tests under the sanitizers and
# the end-to-end tests of the real installer under Wine.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."

bash tools/setup-debian.sh

jobs=$(nproc)
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"
# clang builds the whole tree too, with the fuzz targets, which run briefly.
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs"
ctest --preset fuzz
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
ctest --preset native -j "$jobs"

#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds both presets (and checks the portable core
# with clang too), and runs every test: native unit tests under the sanitizers and
# the end-to-end tests of the real installer under Wine.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."

bash tools/setup-debian.sh

jobs=$(nproc)
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"
cmake --preset native-clang >/dev/null
cmake --build --preset native-clang -j "$jobs"
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
ctest --preset native -j "$jobs"

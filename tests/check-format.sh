#!/usr/bin/env bash
# Every C++ file of the tree is formatted as .clang-format says.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."
git ls-files -z '*.cpp' '*.h' | xargs -0 -r clang-format --dry-run --Werror

# shellcheck shell=bash
# Shared by the Wine tests that drive the installer's window; sourced after
# `set -eEuo pipefail` and wine-session.sh. A command that fails outside a check names
# its line, so that no failure ends a script silently.
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND failed"' ERR

fail() {
    echo "FAIL: $*"
    exit 1
}

# expect WHAT GOT WANT
expect() {
    [ "$2" = "$3" ] || fail "$1 is [$2], expected [$3]"
}

# start_installer EXE [ARG...]: the program in the background, its process in $installer.
# Its exit code is for the caller's `wait` to judge.
start_installer() {
    { wine_run 60 "$@" || exit $?; } &
    installer=$!
}

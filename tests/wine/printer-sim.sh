# Printer simulators for the Wine tests: started on their own addresses, driven
# through their control port, their logs read back. Needs TARNEL_PRINTER_SIM and a
# session (wine-session.sh); the caller's EXIT trap runs stop_simulators.
simulators=()
stop_simulators() {
    local pid
    for pid in "${simulators[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
}
# start_printer NAME ADDRESS [OPTION...]: a simulator logging into $SESSION_DIR/NAME.
start_printer() {
    local name=$1 address=$2
    shift 2
    "$TARNEL_PRINTER_SIM" --address "$address" --log-dir "$SESSION_DIR/$name" \
        --install-time 300 "$@" >"$SESSION_DIR/$name.out" 2>&1 &
    simulators+=($!)
    local tries=0
    until grep -q ' ready$' "$SESSION_DIR/$name/events.log" 2>/dev/null; do
        tries=$((tries + 1))
        [ "$tries" -le 200 ] || { echo "FAIL: simulator $name did not start"; cat "$SESSION_DIR/$name.out"; exit 1; }
        sleep 0.05
    done
}

# control ADDRESS LINE: the simulator's one-line reply.
control() {
    local reply="" fd
    exec {fd}<>"/dev/tcp/$1/10000"
    printf '%s\n' "$2" >&"$fd"
    read -r -t 5 reply <&"$fd" || true
    exec {fd}>&-
    printf '%s\n' "$reply"
}

# logged NAME SUFFIX [N]: the Nth (default first) log file of printer NAME ending in SUFFIX.
logged() {
    find "$SESSION_DIR/$1" -name "*$2" | LC_ALL=C sort | sed -n "${3:-1}p"
}

# same FILE EXPECTED-FILE LABEL
same() {
    cmp -s "$1" "$2" || { echo "FAIL: $3 differs"; od -An -tx1 "$1" | head -5; exit 1; }
}

# subcommand COUNT: the receive-data-file subcommand of the LPR job.
subcommand() {
    printf '\003%d x\n' "$1"
}


# The boot packet of an LPR job and the boot frame of the direct-socket ports.
boot_packet() { printf '\000\022BOOT_UpdateMain 0\n\350'; }
boot_frame() { printf '\200\000\025\000\006BOOT_UpdateMain 0\n\326\271'; }

# lpr_firmware_job FILE: the LPR job that carries FILE in data files of 102400
# bytes, the last one shorter.
lpr_firmware_job() {
    local size at n
    size=$(stat -c %s "$1")
    printf '\002%%lp1 x\n'
    for ((at = 0; at < size; at += 102400)); do
        n=$((size - at < 102400 ? size - at : 102400))
        subcommand "$n"
        dd if="$1" iflag=skip_bytes,count_bytes skip="$at" count="$n" status=none
        printf '\000'
    done
}

#!/usr/bin/env bash
# Compares the game's start with the minimal window's: runs the pair alternately
# under one private Xvfb and prints the medians of the first paint (ms), of the
# peak memory (max RSS, MiB), of the processor time (user + system, ms) and of the
# minor page faults, the last two taken up to the first paint from the process's
# start, and the game's ratio to the minimal window for each, once with the sound
# off and once with it on. Builds nothing.
#
#   app/bench/compare_start.sh BUILD_DIR [RUNS]     (RUNS of each program, default 15)
#
# With QUABE_BENCH_DBUS=1 the runs share a private session bus, as on a desktop,
# so that the accessibility bridge finds one to talk to. With
# QUABE_BENCH_INSTRUCTIONS=1 it also counts, under valgrind, the instructions each
# program runs up to its first paint: a figure that other work on the machine
# does not move.
set -euo pipefail

build=$(cd "${1:?usage: $0 BUILD_DIR [RUNS]}" && pwd)
runs=${2:-15}
game="$build/bench_main_window_start"
minimal="$build/bench_minimal_window_start"
for program in "$game" "$minimal"; do
    [ -x "$program" ] || { echo "missing $program: build the benchmarks first" >&2; exit 1; }
done
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (the time package)" >&2; exit 1; }

if [ "${QUABE_BENCH_DBUS:-0}" = 1 ] && [ -z "${QUABE_BENCH_IN_DBUS:-}" ]; then
    QUABE_BENCH_IN_DBUS=1 exec dbus-run-session -- "$0" "$@"
fi

work=$(mktemp -d)
xvfb_pid=""
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a display nobody uses and writes its number to the descriptor given.
exec 3> "$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp > "$work/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"
export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work/runtime"
unset QT_SCALE_FACTOR
mkdir -m 700 -p "$XDG_RUNTIME_DIR"

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# One run: "<first paint ms> <max RSS KiB> <processor ms> <minor faults>".
measure() {
    /usr/bin/time -v -o "$work/time" "$@" > "$work/out" 2> "$work/err" || {
        echo "$* failed:" >&2; cat "$work/err" "$work/out" >&2; exit 1; }
    local ms kib use
    ms=$(sed -n 's/^first paint after \([0-9.]*\) ms$/\1/p' "$work/out")
    kib=$(sed -n 's/^[[:space:]]*Maximum resident set size (kbytes): \([0-9]*\)$/\1/p' "$work/time")
    use=$(sed -n 's/^processor time \([0-9.]*\) ms user \([0-9.]*\) ms system, \([0-9]*\) minor faults$/\1 \2 \3/p' \
          "$work/out" | awk '{ print $1 + $2, $3 }')
    echo "$ms $kib $use"
}

echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
for sound in 0 1; do
    # The game reads its sound setting from a store of its own, fresh for each setting.
    home="$work/home$sound"
    mkdir -p "$home/config/Quabe Pro" "$home/data"
    printf '[Settings]\nSound=%s\n' "$sound" > "$home/config/Quabe Pro/Quabe Pro.conf"
    : > "$work/game"
    : > "$work/minimal"
    for _ in $(seq "$runs"); do
        HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" \
            measure "$game" >> "$work/game"
        HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" \
            measure "$minimal" >> "$work/minimal"
    done
    label=$([ "$sound" = 1 ] && echo on || echo off)
    # Each figure: the game's median, the minimal window's, and their ratio.
    figure() {
        local game_median minimal_median
        game_median=$(cut -d' ' -f"$1" "$work/game" | median)
        minimal_median=$(cut -d' ' -f"$1" "$work/minimal" | median)
        awk -v label="$label" -v name="$2" -v unit="$3" -v scale="$4" -v digits="$5" \
            -v g="$game_median" -v m="$minimal_median" 'BEGIN {
            value = "%7." digits "f %-3s"
            printf "sound %-3s  %-23s " value " vs " value "  ratio %.2f\n",
                   label, name, g / scale, unit, m / scale, unit, g / m }'
    }
    printf "sound %-3s  medians of %d runs each, the game vs the minimal window\n" "$label" "$runs"
    figure 1 "first paint" ms 1 1
    figure 2 "peak memory" MiB 1024 1
    figure 3 "processor time to paint" ms 1 1
    figure 4 "minor faults to paint" "" 1 0
    if [ "${QUABE_BENCH_INSTRUCTIONS:-0}" = 1 ]; then
        for program in "$game" "$minimal"; do
            # The first paint ends in QCoreApplication::quit(): the count up to there is dump 1.
            HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" \
                valgrind --tool=callgrind --dump-before='QCoreApplication::quit*' \
                --callgrind-out-file="$work/callgrind" "$program" > /dev/null 2> "$work/err" || {
                echo "valgrind $program failed:" >&2; cat "$work/err" >&2; exit 1; }
            sed -n 's/^totals: //p' "$work/callgrind.1" > "$work/instructions.$(basename "$program")"
            rm -f "$work"/callgrind*
        done
        awk -v label="$label" -v g="$(cat "$work/instructions.$(basename "$game")")" \
            -v m="$(cat "$work/instructions.$(basename "$minimal")")" 'BEGIN {
            printf "sound %-3s  %-23s %7.1f M   vs %7.1f M    ratio %.2f\n",
                   label, "instructions to paint", g / 1e6, m / 1e6, g / m }'
    fi
done
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"

#!/usr/bin/env bash
# A fuzzing campaign: every fuzz target for SECONDS (default 60), as many at once as there are
# processors, each from its hand-written seeds (tests/fuzz/seeds/TARGET) and the corpus earlier
# campaigns kept (tests/fuzz/corpus/TARGET). What breaks a target is kept in
# tests/fuzz/crashers/TARGET/, and the test command replays it from then on. The corpus is then
# made anew: the fewest inputs that reach every branch any input reached. A summary per target
# at the end.
#   bash scripts/fuzz.sh [SECONDS]
set -euo pipefail
source "$(dirname "$0")/machine.sh"
seconds=${1:-60}

tavero_install_packages
tavero_build sanitize >/dev/null
bin="$tavero_root/build/sanitize/tests/fuzz"
work="$tavero_root/build/fuzz"
mkdir -p "$work"

campaign() {  # campaign TARGET
    local name=$1 fuzz="$tavero_root/tests/fuzz"
    local seeds="$fuzz/seeds/$1" kept="$fuzz/corpus/$1" crashers="$fuzz/crashers/$1"
    rm -rf "$work/$name"
    mkdir -p "$work/$name/corpus" "$work/$name/kept" "$kept" "$crashers"
    # A finding stops the target, as it must be looked at; the campaign goes on with the others.
    "$bin/fuzz_$name" "$work/$name/corpus" "$kept" "$seeds" -max_total_time="$seconds" \
        -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$crashers/" \
        >"$work/$name/log" 2>&1 || true
    # Branches, not how often each ran: a corpus small enough to keep in the tree.
    "$bin/fuzz_$name" -merge=1 -use_counters=0 -use_cmp=0 -use_value_profile=0 \
        "$work/$name/kept" "$kept" "$work/$name/corpus" >"$work/$name/merge.log" 2>&1 &&
        rm -rf "$kept" && cp -r "$work/$name/kept" "$kept"
}

names=(settings_file rows_settings text_encoding scope command_line action_code)
running=0
for name in "${names[@]}"; do
    campaign "$name" &
    running=$((running + 1))
    if [ "$running" -ge "$(nproc)" ]; then
        wait -n
        running=$((running - 1))
    fi
done
wait

found=0
printf '%-14s %12s %8s %8s %9s\n' target executions "exec/s" coverage findings
for name in "${names[@]}"; do
    log="$work/$name/log"
    runs=$(grep -o 'stat::number_of_executed_units:[[:space:]]*[0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
    speed=$(grep -o 'stat::average_exec_per_sec:[[:space:]]*[0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*$' || echo 0)
    findings=$(grep -c 'Test unit written to' "$log" || true)
    found=$((found + findings))
    printf '%-14s %12s %8s %8s %9s\n' "$name" "$runs" "$speed" "$cov" "$findings"
done
if [ "$found" -gt 0 ]; then
    echo "findings: see build/fuzz/TARGET/log; the inputs are in tests/fuzz/crashers/" >&2
    exit 1
fi

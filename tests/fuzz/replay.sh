#!/usr/bin/env bash
# Runs a fuzz target once over every input of the folders given that exist (its seeds, the
# crashers it ever found) and $TAVERO_MORE_SEEDS: fails on the first input that breaks it.
set -euo pipefail
target=$1
shift
inputs=()
for folder in "$@" ${TAVERO_MORE_SEEDS:-}; do
    [ -d "$folder" ] && while IFS= read -r -d '' file; do inputs+=("$file"); done \
        < <(find "$folder" -type f ! -name '*.md' -print0)
done
if [ ${#inputs[@]} -eq 0 ]; then
    echo "no inputs for $target" >&2
    exit 1
fi
# Each input as a run of its own; the output only where one fails.
out=$(mktemp)
trap 'rm -f "$out"' EXIT
if ! "$target" -runs=1 "${inputs[@]}" >"$out" 2>&1; then
    cat "$out"
    exit 1
fi
echo "$(basename "$target"): ${#inputs[@]} inputs, none broke it"

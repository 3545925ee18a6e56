#!/usr/bin/env bash
# Fails when a source file includes a header from a layer above its own.
#   core:  io <- plan <- table <- money        (the core includes nothing of export or gui)
#   export sits on the core
#   gui:   common <- help <- table | wizard | money <- shell   (the three middle folders share a layer)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root/src"

rank() {
    case "$1" in
    core/io) echo 0 ;;
    core/plan) echo 1 ;;
    core/table) echo 2 ;;
    core/money) echo 3 ;;
    export) echo 10 ;;
    gui/common) echo 20 ;;
    gui/help) echo 21 ;;
    gui/table | gui/wizard | gui/money) echo 22 ;;
    gui/shell) echo 23 ;;
    *) echo 99 ;;
    esac
}

# The layer of a path below src/: its first two parts for core and gui, else its first part.
layer_of() {
    case "$1" in
    core/* | gui/*) echo "$1" | cut -d/ -f1-2 ;;
    *) echo "$1" | cut -d/ -f1 ;;
    esac
}

failures=0
while IFS= read -r file; do
    from="$(layer_of "$file")"
    from_rank="$(rank "$from")"
    [[ "$from_rank" == 99 ]] && continue
    while IFS=: read -r line target; do
        if [[ ! -f "$target" ]]; then
            echo "src/$file:$line includes $target, which does not exist" >&2
            failures=$((failures + 1))
            continue
        fi
        to="$(layer_of "$target")"
        to_rank="$(rank "$to")"
        [[ "$to_rank" == 99 ]] && continue
        if ((to_rank > from_rank)); then
            echo "src/$file:$line includes $target: $to is not below $from" >&2
            failures=$((failures + 1))
        fi
    done < <(grep -n -o -E '^#include "(core|gui|export)/[^"]+"' "$file" | sed -E 's/^([0-9]+):#include "([^"]+)"/\1:\2/')
done < <(find core export gui -type f \( -name '*.h' -o -name '*.cpp' \) | sort)

if ((failures > 0)); then
    echo "$failures include(s) climb a layer" >&2
    exit 1
fi
echo "layers: no include climbs a layer"

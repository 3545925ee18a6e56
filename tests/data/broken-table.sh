#!/usr/bin/env bash
# Runs a data generator on a copy of a data folder with one line appended to one of its tables and
# passes when the generator refuses it (CTest then matches the reason in its message).
#   broken-table.sh GENERATOR DATA_DIR TABLE LINE
set -uo pipefail
generator=$1 data=$2 table=$3 line=$4
copy="$(mktemp -d)"
trap 'rm -rf "$copy"' EXIT
cp -r "$data"/. "$copy"
printf '%b\n' "$line" >>"$copy/$table"
if "$generator" "$copy" "$copy/out.h"; then
    echo "the generator took the broken table" >&2
    exit 1
fi
exit 0

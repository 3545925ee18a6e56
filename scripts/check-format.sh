#!/usr/bin/env bash
# Fails when a C++ source under src/, tests/, tools/ or bench/ differs from what clang-format makes
# of it with the project's .clang-format. Run `scripts/check-format.sh --fix` to reformat in place.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-deps.sh" clang-format
cd "$root"
mapfile -t files < <(git ls-files -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'tools/*.cpp' 'tools/*.h' \
    'bench/*.cpp' 'bench/*.h')
if [[ "${1:-}" == "--fix" ]]; then
    clang-format -i "${files[@]}"
    exit 0
fi
clang-format --dry-run --Werror "${files[@]}"
echo "Format check: ${#files[@]} files follow .clang-format"

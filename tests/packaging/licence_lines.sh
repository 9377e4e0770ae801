#!/bin/bash
# SPDX-License-Identifier: MIT
# Every source, script and CMake file under ROOT names the project's licence in its first two
# lines (after a #! line), so that a file copied out of the tree still says what it may be used
# for. Usage: licence_lines.sh ROOT
set -u
root=$1
grep -q '^MIT License$' "$root/LICENSE" || { echo "LICENSE is not the MIT licence"; exit 1; }
missing=0
while IFS= read -r -d '' file; do
  head -n 2 "$file" | grep -q 'SPDX-License-Identifier: MIT' || { echo "no licence line: $file"; missing=1; }
done < <(find "$root" \( -path "$root/build" -o -path "$root/.git" -o -path "$root/fuzz/corpus" \
                         -o -path "$root/tests/data" -o -path "$root/bench/data" \) -prune -o -type f \
              \( -name '*.cpp' -o -name '*.h' -o -name '*.c' -o -name '*.in' -o -name '*.sh' \
                 -o -name '*.cmake' -o -name CMakeLists.txt -o -name '*.bash-completion' \
                 -o -path "$root/.ci/run" \) -print0)
exit $missing

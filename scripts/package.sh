#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package of TallyBook (a Release build installed under /usr) into
# build/package and checks it with lintian, which fails the script on an error. The last line
# printed is the package's path.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

build=build/package
# The library lands in the system's library folder, so the programs need no run path; cpack
# installs what the listed targets built and does not build every test first.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DTALLY_BENCH=OFF -DCMAKE_SKIP_INSTALL_RPATH=ON -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON
cmake --build "$build" -j"$(nproc)" --target tally tallybook tally_manuals tally_changelog
rm -f "$build"/tallybook_*.deb
(cd "$build" && cpack -G DEB)

package=$(ls "$build"/tallybook_*.deb)
lintian --info "$package"
echo "$package"

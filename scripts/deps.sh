#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages needed to build, run and test TallyBook, when missing.
set -euo pipefail
packages=(cmake g++ make qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev
          faketime fonts-dejavu-core xvfb xauth xdotool imagemagick hledger clang-format locales
          hyperfine time x11-utils poppler-utils)
# The manuals, the completion, the desktop files' checks and the Debian package
# (scripts/package.sh).
packages+=(scdoc man-db bash-completion pkg-config appstream desktop-file-utils dpkg-dev lintian)
# The reminders ask an X11 desktop for its idle time (MIT-SCREEN-SAVER); their D-Bus tests run
# a session bus of their own.
packages+=(libx11-dev libxss-dev dbus-daemon)
# JSON for tally's --json output and the import readers.
packages+=(nlohmann-json3-dev)
# The window's Hours Chart.
packages+=(qt6-charts-dev)
# The fuzz targets (libFuzzer and the sanitizers of clang) and their coverage report.
packages+=(clang-14 libclang-rt-14-dev llvm-14)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi

# Tests check number formatting under a desktop locale that writes a decimal comma.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
  $SUDO sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi

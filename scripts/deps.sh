#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages needed to build, run and test TallyBook, when missing.
set -euo pipefail
# Usage: deps.sh [run]. With "run", only what building and running the two programs need;
# without, everything the tests, fuzzing, packaging and benchmarks need as well.
packages=(cmake g++ make pkg-config qt6-base-dev libgl-dev fonts-dejavu-core qt6-qpa-plugins)
# lrelease and its CMake functions: the invoice's translations are compiled in the build.
packages+=(qt6-tools-dev qt6-l10n-tools)
# JSON for tally's --json output and the import readers; the window's Hours Chart (Qt Charts,
# whose CMake files need Qt OpenGL's without naming its package); the reminders ask an X11
# desktop for its idle time (MIT-SCREEN-SAVER), a Wayland compositor for it through the
# ext-idle-notify-v1 protocol (its description, and wayland-scanner to generate the code; the
# tests' stand-in compositor uses the server library of the same package); the manuals are
# configured with the build.
packages+=(nlohmann-json3-dev qt6-charts-dev libqt6opengl6-dev libx11-dev libxss-dev scdoc
           libwayland-dev wayland-protocols)
# The invoice PDF's Factur-X finish: libqpdf embeds the XML and writes PDF/A-3.
packages+=(libqpdf-dev)
if [ "${1:-}" != run ]; then
  packages+=(libgtest-dev libgmock-dev libbenchmark-dev faketime xvfb xauth xdotool imagemagick
             hledger python3-icalendar clang-format locales hyperfine time x11-utils poppler-utils)
  # The invoice PDFs' checks: qpdf --check and the XMP, pdfdetach's attachment.
  packages+=(qpdf)
  # The manuals' and completion's checks, the desktop files' checks and the Debian package
  # (scripts/package.sh).
  packages+=(man-db bash-completion appstream desktop-file-utils dpkg-dev lintian)
  # The reminders' D-Bus tests run a session bus and a system bus of their own.
  packages+=(dbus-daemon)
  # One log on two machines, synced by a real Syncthing (tests/packaging/syncthing_e2e.sh).
  packages+=(syncthing curl jq)
  # The fuzz targets (libFuzzer and the sanitizers of clang) and their coverage report.
  packages+=(clang-14 libclang-rt-14-dev llvm-14)
  # The e-invoice XML is validated with the official rules: the schema (xmllint) and the
  # schematron compiled to XSLT 2.0 (Saxon-HE on a Java runtime).
  packages+=(libxml2-utils libsaxonhe-java default-jre-headless)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
  $SUDO apt-get update -qq
  # The run set without the packages' recommendations (the window's platform plugins, which
  # Qt only recommends, are named above).
  [ "${1:-}" = run ] && light=--no-install-recommends || light=
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq $light "${missing[@]}"
fi

# Tests check number formatting under a desktop locale that writes a decimal comma.
[ "${1:-}" = run ] && exit 0
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
  $SUDO sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Every command, option and config key that tally knows is in its manual and its completion.
# Usage: every_command_documented.sh TALLY MANUAL_SCD COMPLETION_FILE
set -euo pipefail
tally=$1 manual=$2 completion=$3
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT

help=$(HOME=$home XDG_CONFIG_HOME=$home/.config "$tally" --help)
# Command lines of the help start with two blanks and the name ("  in | out" names two).
commands=$(awk '/^Commands:/ {on = 1; next} /^$/ {on = 0}
                on && /^  [a-z]/ {print $1; if ($2 == "|") print $3}' <<<"$help")
options=$(grep -o -- '--[a-z][a-z-]*' <<<"$help" | sort -u)
keys=$(HOME=$home XDG_CONFIG_HOME=$home/.config "$tally" config | cut -f1)
[ -n "$commands" ] && [ -n "$options" ] && [ -n "$keys" ] || { echo "nothing read"; exit 1; }

missing=0
for name in $commands $options $keys; do
    if ! grep -qF -- "*$name*" "$manual"; then
        echo "the manual does not name $name"
        missing=1
    fi
    if ! grep -qw -- "$name" "$completion"; then
        echo "the completion does not offer $name"
        missing=1
    fi
done
exit "$missing"

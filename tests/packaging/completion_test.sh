#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# tally's bash completion offers what each place on the command line takes.
# Usage: completion_test.sh COMPLETION_FILE. Exits 77 (skipped) without bash-completion.
set -u
framework=/usr/share/bash-completion/bash_completion
[ -r "$framework" ] || { echo "no $framework"; exit 77; }
# shellcheck disable=SC1090
source "$framework"
source "$1"

failed=0
passed=0
# Each case: the line typed so far (the cursor at its end) | the words offered, sorted.
while IFS='|' read -r line expected; do
    read -r -a COMP_WORDS <<<"$line"
    [[ $line == *' ' ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMP_LINE=$line
    COMP_POINT=${#line}
    COMPREPLY=()
    _tally tally "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    offered=$(printf '%s\n' "${COMPREPLY[@]}" | sort | xargs)
    if [ "$offered" = "$expected" ]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "'$line': offered '$offered', expected '$expected'"
    fi
done <<'CASES'
tally con|config
tally i|import in invoice invoices issuer
tally issuer set small-business |off on
tally client set Acme treatment |exempt outside-scope reverse-charge standard
tally invoice |cancel paid
tally --log x.dat st|status
tally --j|--json
tally days --t|--tsv
tally status --a|--all
tally config Idle|IdleMinutes
tally config L|LongDayHours
tally config Rounding|RoundingType RoundingUnit
tally config RoundingType |0 1 2 3
tally config WeekStartDay 6|6
tally config Rate 8|
tally export --format |csv ical timeclock
tally export --format=t|timeclock
tally report --by |day month period week
tally report --by=m|month
tally import |csv timeclock timewarrior watson
tally import time|timeclock timewarrior
tally status x|
tally help re|report
CASES
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]

#!/bin/bash
# SPDX-License-Identifier: MIT
# Every source file under SRC includes only the folders its layer may use, and the Qt-free
# parts no Qt header; a header that no target of its own compiles is caught here too. Every
# folder that holds sources must have a line in the table.
set -u
src=$1

# A part is named by its last folder ("time" for engine/time); the two "reminders" (the
# engine's rules and the window's watches and dialogs, both included as "reminders/x.h") are
# named in full, and an include of one of them is told apart by the folder that holds it.
#  folder              Qt   parts its files may include
layers="
   engine/time         no   time
   engine/log          no   time log
   engine/core         no   time log core
   engine/entries      no   time log core entries
   engine/interchange  no   time log core entries interchange
   engine/clients      no   time log core clients
   engine/invoice      no   time log core clients entries invoice
   engine/reports      no   time log core reports
   engine/reminders    no   time engine/reminders
   settings            yes  time log core clients entries invoice settings
   documents           yes  time log core clients invoice documents
   cli                 no   time log core clients entries interchange invoice reports settings cli
   gui/controls        yes  controls
   gui/basics          yes  time log core basics
   gui/dialogs         yes  time log core clients entries interchange invoice documents settings controls basics dialogs
   gui/reminders       yes  time log core engine/reminders settings basics gui/reminders
   gui/tray            yes  tray
   gui/window          yes  time log core clients entries interchange invoice reports engine/reminders documents settings controls basics dialogs gui/reminders tray window"

# The part that an include names: its folder, looked up by the include's first folder.
folders=$(awk 'NF { print $1 }' <<<"$layers")
part_of() {
  local target=${1%%/*} rest=${1#*/} match="" count=0 folder
  for folder in $folders; do
    [ "${folder##*/}" = "$target" ] || continue
    count=$((count + 1))
    if [ $count -eq 1 ] || [ -e "$src/$folder/$rest" ]; then match=$folder; fi
  done
  [ $count -gt 1 ] && [ ! -e "$src/$match/$rest" ] && match="?$target"
  echo "$match"
}

failed=0
known=""
while read -r folder qt allowed; do
  [ -n "$folder" ] || continue
  known="$known $folder"
  while IFS=: read -r file line text; do
    included=$(sed -nE 's/^#include [<"]([A-Za-z_]+\/[^">]*)[">].*/\1/p' <<<"$text")
    part=""
    [ -n "$included" ] && part=$(part_of "$included")
    name=${part##*/}
    if [ "$qt" = no ] && [[ "$text" =~ ^#include\ \<Q ]]; then
      echo "$file:$line: a Qt header in a Qt-free part: $text"
      failed=1
    elif [[ "$part" == \?* ]]; then
      echo "$file:$line: no part holds it: $text"
      failed=1
    elif [ -n "$part" ] && [[ " $allowed " != *" $part "* && " $allowed " != *" $name "* ]]; then
      echo "$file:$line: $folder may not include $part/: $text"
      failed=1
    fi
  done < <(grep -rnE '^#include [<"]' "$src/$folder" --include='*.h' --include='*.cpp')
done <<<"$layers"

while read -r dir; do
  folder=${dir#"$src"/}
  [[ " $known " == *" $folder "* ]] && continue
  # Subfolders (print/, import/, commands/) belong to the folder in the table above them.
  parent=$folder
  while [[ "$parent" == */* && " $known " != *" $parent "* ]]; do parent=${parent%/*}; done
  if [[ " $known " != *" $parent "* ]]; then
    echo "$folder holds sources but has no line in the table of layers"
    failed=1
  fi
done < <(find "$src" -name '*.cpp' -printf '%h\n' | sort -u)
exit $failed

#!/bin/bash
# SPDX-License-Identifier: MIT
# Every source file under SRC includes only the folders its layer may use, and the Qt-free
# parts no Qt header; a header that no target of its own compiles is caught here too. Every
# folder that holds sources must have a line in the table.
set -u
src=$1

#  folder              Qt   folders its files may include
layers="
   engine/core         no   core
   engine/entries      no   core entries
   engine/interchange  no   core entries interchange
   engine/clients      no   core clients
   engine/invoice      no   core clients entries invoice
   settings            yes  core clients entries invoice settings
   documents           yes  core clients invoice documents
   cli                 no   core clients entries interchange invoice settings cli
   gui/controls        yes  controls
   gui/basics          yes  core basics
   gui/dialogs         yes  core clients entries interchange invoice documents settings controls basics dialogs
   gui/reminders       yes  core settings basics reminders
   gui/tray            yes  tray
   gui/window          yes  core clients entries interchange invoice documents settings controls basics dialogs reminders tray window"

failed=0
known=""
parts=" $(awk 'NF { n = split($1, path, "/"); printf "%s ", path[n] }' <<<"$layers")"
while read -r folder qt allowed; do
  [ -n "$folder" ] || continue
  known="$known $folder"
  while IFS=: read -r file line text; do
    target=$(sed -nE 's/^#include [<"]([A-Za-z_]+)\/.*/\1/p' <<<"$text")
    if [ "$qt" = no ] && [[ "$text" =~ ^#include\ \<Q ]]; then
      echo "$file:$line: a Qt header in a Qt-free part: $text"
      failed=1
    elif [ -n "$target" ] && [[ "$parts" == *" $target "* && " $allowed " != *" $target "* ]]; then
      echo "$file:$line: $folder may not include $target/: $text"
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

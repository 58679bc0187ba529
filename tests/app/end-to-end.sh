#!/usr/bin/env bash
# Runs the editor on a virtual X display: it opens a script whose line 3 has an error, the
# result dialog is left by OK, X is typed and the file saved, then F5 and Quit end it.
# X must land on line 3, the rest of the file must be unchanged.
set -euo pipefail
tarvel="$1"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
printf 'int a;\r\nb = c + g(1);\r\na = "s";\r\nreturn a;\r\n' > "$scratch/script.c"

cd "$scratch"
status=0
env -u QT_QPA_PLATFORM XDG_CONFIG_HOME="$scratch" XDG_DATA_HOME="$scratch/data" \
  TARVEL_RESULT_ACTION=ok,quit TARVEL_KEYS_AFTER_OK=X,ctrl+s,f5 \
  timeout 90 xvfb-run -a -s "-screen 0 1024x600x24" "$tarvel" "$scratch/script.c" || status=$?
[ "$status" -eq 0 ] || { echo "tarvel ended with status $status"; exit 1; }

# Where on the line the engine puts the column is its own business; the line is ours.
line3="$(sed -n 3p "$scratch/script.c")"
without="$(sed -n 3p "$scratch/script.c" | tr -d X)"
others="$(sed 3d "$scratch/script.c")"
if [[ "$line3" != *X* || "$without" != $'a = "s";\r' ||
      "$others" != "$(printf 'int a;\r\nb = c + g(1);\r\nreturn a;\r')" ]]; then
  echo "saved file differs:"; cat -A "$scratch/script.c"; exit 1
fi
echo "X landed on the error's line"

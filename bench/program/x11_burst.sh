#!/usr/bin/env bash
# Copies COUNT texts, "load text 1" and on, into the X11 clipboard with xclip, INTERVAL_MS
# apart, as a Linux user's programs do; capture_load_bench --x11 starts it under Wine. At
# the end it writes DONE_FILE: how long the copies took, the most a copy started behind
# its schedule and the least time between two copies, in milliseconds.
#
#   x11_burst.sh COUNT INTERVAL_MS DONE_FILE
set -euo pipefail
count=$1
interval_us=$(($2 * 1000))
done_file=$3

now_us() { echo "${EPOCHREALTIME/./}"; }

start=$(now_us)
latest=0
shortest=-1
previous=0
for ((i = 0; i < count; i++)); do
  due=$((start + i * interval_us))
  now=$(now_us)
  if ((now < due)); then
    sleep "$(printf '0.%06d' $((due - now)))"
    now=$(now_us)
  fi
  ((now - due > latest)) && latest=$((now - due))
  if ((i > 0)) && ((shortest < 0 || now - previous < shortest)); then shortest=$((now - previous)); fi
  previous=$now
  printf 'load text %d' $((i + 1)) | xclip -selection clipboard
done
took=$(($(now_us) - start))
ms() { printf '%d.%d' $(($1 / 1000)) $((($1 % 1000) / 100)); }
echo "$(ms "$took") $(ms "$latest") $(ms "$((shortest < 0 ? 0 : shortest))")" >"$done_file.part"
mv "$done_file.part" "$done_file"

#!/usr/bin/env bash
# Copies COUNT texts, "load text 1" and on, into the X11 clipboard with xclip, INTERVAL_MS
# apart, as a Linux user's programs do; capture_load_bench --x11 starts it under Wine. At
# the end it writes DONE_FILE: how long the copies took, the most a copy started behind
# its schedule and the least time between two copies, in milliseconds.
#
# An xclip takes about 30 ms to start, more than the gap of a fast burst, so every copy's
# xclip is started first, reading its text from a pipe; closing the pipe is the copy (xclip
# takes the clipboard as soon as its input ends).
#
#   x11_burst.sh COUNT INTERVAL_MS DONE_FILE
set -euo pipefail
count=$1
interval_us=$(($2 * 1000))
done_file=$3


pipes=$(mktemp -d)
writers=()
for ((i = 0; i < count; i++)); do
  mkfifo "$pipes/$i"
  # The xclip must not hold the other copies' pipes open, or their input would never end.
  (
    for fd in "${writers[@]}"; do eval "exec $fd>&-"; done
    exec xclip -selection clipboard <"$pipes/$i"
  ) &
  exec {writer}>"$pipes/$i"
  printf 'load text %d' $((i + 1)) >&"$writer"
  writers+=("$writer")
done
rm -r "$pipes"

# The loop starts no process of its own (no $(...), no sleep command): with 200 children a
# fork costs more than the gap. read -t on a pipe nobody writes is the wait.
exec {idle}<> <(:)
start=${EPOCHREALTIME/./}
latest=0
shortest=-1
previous=0
for ((i = 0; i < count; i++)); do
  due=$((start + i * interval_us))
  now=${EPOCHREALTIME/./}
  if ((now < due)); then
    printf -v wait '0.%06d' $((due - now))
    read -r -t "$wait" -u "$idle" || true
    now=${EPOCHREALTIME/./}
  fi
  ((now - due > latest)) && latest=$((now - due))
  if ((i > 0)) && ((shortest < 0 || now - previous < shortest)); then shortest=$((now - previous)); fi
  previous=$now
  eval "exec ${writers[i]}>&-"
done
took=$((${EPOCHREALTIME/./} - start))
ms() { printf '%d.%d' $(($1 / 1000)) $((($1 % 1000) / 100)); }
echo "$(ms "$took") $(ms "$latest") $(ms "$((shortest < 0 ? 0 : shortest))")" >"$done_file.part"
mv "$done_file.part" "$done_file"

#!/usr/bin/env bash
# Copies a text into the X11 clipboard as a Linux program does; privacy_e2e_test starts it
# under Wine. xclip stays behind serving the selection until another program takes it.
#   x11_copy_text.sh TEXT
printf '%s' "$1" | exec xclip -selection clipboard -i >/dev/null 2>&1

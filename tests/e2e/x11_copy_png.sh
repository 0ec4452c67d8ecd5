#!/usr/bin/env bash
# Copies a PNG file into the X11 clipboard as image/png only, as Linux picture programs do;
# rich_content_e2e_test starts it under Wine. xclip stays behind serving the selection
# until another program takes the clipboard.
#   x11_copy_png.sh PNG_FILE
exec xclip -selection clipboard -t image/png -i "$1" </dev/null >/dev/null 2>&1

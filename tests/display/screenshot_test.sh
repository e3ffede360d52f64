#!/bin/sh
# Starts kro on the demonstration channels under Xvfb with --screenshot and
# checks that the PNG shows a window with traces, not a blank picture.
set -eu
kro=$1
home=$2
rm -rf "$home"
mkdir -p "$home"
export XDG_CONFIG_HOME="$home"
# libxkbcommon-x11 (loaded by Qt's X platform plugin) hands strndup a string
# without its terminator, which strict string checking reports; that check
# alone is relaxed here, every other sanitizer check stays on.
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:strict_string_checks=0"
shot="$home/shot.png"
xvfb-run -a -s "-screen 0 1600x1000x24" "$kro" --no-splash --demo --screenshot "$shot" --after-ms 500 \
    --command 32735
test -s "$shot"
colours=$(convert "$shot" -format %k info:)
size=$(identify -format %wx%h "$shot")
echo "screenshot $size with $colours colours"
# A blank or single-colour window has a handful of colours; traces, text and
# tool bars give many more.
[ "$colours" -gt 50 ]
# The dark blue of the raw traces covers a good part of the picture.
trace=$(convert "$shot" -fill white +opaque "rgb(0,0,127)" -fill black -opaque "rgb(0,0,127)" -format "%[fx:int(100000*(1-mean))]" info:)
echo "trace pixels per 100000: $trace"
[ "$trace" -gt 1000 ]

#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 zephra-config developers
#
# Renders the application icon for the hicolor icon theme: <output>/<N>x<N>/apps/zephra-config.png for every
# size the theme's menus and docks ask for, and <output>/scalable/apps/zephra-config.svg (the drawing itself).
# The build runs it; rsvg-convert (or the one $RSVG_CONVERT names) comes with Debian's librsvg2-bin.
#   render-icons.sh <zephra-config.svg> <output folder>
set -eu
[ $# -eq 2 ] || { echo "usage: $0 <icon.svg> <output folder>" >&2; exit 2; }
svg=$1
out=$2
for size in 16 22 24 32 48 64 128 256; do
    mkdir -p "$out/${size}x${size}/apps"
    "${RSVG_CONVERT:-rsvg-convert}" --width "$size" --height "$size" --format png --output "$out/${size}x${size}/apps/zephra-config.png" "$svg"
done
mkdir -p "$out/scalable/apps"
cp "$svg" "$out/scalable/apps/zephra-config.svg"

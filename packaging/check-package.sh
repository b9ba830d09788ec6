#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 zephra-config developers
#
# Checks a built package with Debian's own tools, as a maintainer would before signing it: lintian (no error
# and no warning; informational and pedantic notes are shown), then the installed menu and autostart entries
# with desktop-file-validate and the installed AppStream metainfo with appstreamcli (which also checks that
# the metainfo's launchable and icon are in the package). `make package` runs it on the package it made.
#   check-package.sh <package.deb>
set -eu
[ $# -eq 1 ] && [ -f "$1" ] || { echo "usage: $0 <package.deb>" >&2; exit 2; }
deb=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"

echo "lintian: $deb"
lintian --fail-on error,warning --display-level ">=pedantic" "$deb"
echo "desktop-file-validate: the menu and autostart entries"
desktop-file-validate "$root/usr/share/applications/zephra-config.desktop" \
    "$root/etc/xdg/autostart/zephra-config.desktop"
echo "appstreamcli validate-tree: the metainfo"
appstreamcli validate-tree --no-net --pedantic "$root"
echo "check-package: $deb passes"

#!/bin/sh
# Formats a manual page as man does and fails on any warning of the
# formatter; exits 77 (skipped) where man is not installed.
# Usage: check_manual_page.sh PAGE.1
set -eu
command -v man >/dev/null || exit 77
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$1" 2>&1 >/dev/null)
[ -z "$warnings" ] || { echo "$warnings" >&2; exit 1; }

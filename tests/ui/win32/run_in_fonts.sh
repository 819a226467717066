#!/usr/bin/env bash
# Runs a Windows program under Wine with the fonts of one fontconfig file, in
# a fresh copy of the tests' Wine prefix (TARQ_WINE_TEMPLATE, which
# scripts/windows-tests makes): a prefix keeps every font it has once seen.
# Usage: run_in_fonts.sh FONTCONFIG_FILE PROGRAM [ARG...]
set -euo pipefail
root=$(cd "$(dirname "$0")/../../.." && pwd)
work=$(mktemp -d /tmp/tarq-wine-fonts.XXXXXX)
export WINEPREFIX=$work/prefix FONTCONFIG_FILE=$1
shift
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
"$root/scripts/wine-prefix" --copy "${TARQ_WINE_TEMPLATE:?the tests Wine prefix}" "$WINEPREFIX"
wine "$@"

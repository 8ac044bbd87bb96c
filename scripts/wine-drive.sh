#!/usr/bin/env bash
# Maps a folder as a drive letter of a Wine prefix, so that a Windows program
# run under that Wine sees it as "R:\"; "removable" makes GetDriveTypeW call
# it DRIVE_REMOVABLE, like a USB disk.
#
#   WINEPREFIX=... scripts/wine-drive.sh LETTER FOLDER [removable|fixed]
#
# The folder is made when missing. Wine reads its drives' kinds when its
# server starts, so the server is stopped here: the next program run under
# Wine sees the new drive.
set -euo pipefail

if [ $# -lt 2 ] || [ -z "${WINEPREFIX:-}" ]; then
  echo "usage: WINEPREFIX=PREFIX $0 LETTER FOLDER [removable|fixed]" >&2
  exit 2
fi
letter=$(printf '%s' "${1%:}" | tr 'A-Z' 'a-z')
folder=$2
case ${3:-fixed} in
  removable) kind=floppy ;;
  fixed) kind=hd ;;
  *) echo "$0: the kind is removable or fixed, not '$3'" >&2; exit 2 ;;
esac
case $letter in
  [d-y]) ;;
  *) echo "$0: use a letter from D to Y (C: and Z: belong to Wine), not '$1'" >&2; exit 2 ;;
esac

mkdir -p "$folder" "$WINEPREFIX/dosdevices"
ln -sfn "$(realpath "$folder")" "$WINEPREFIX/dosdevices/$letter:"
wine reg add 'HKLM\Software\Wine\Drives' /v "$letter:" /t REG_SZ /d "$kind" /f >/dev/null
wineserver -k 2>/dev/null || true
wineserver -w

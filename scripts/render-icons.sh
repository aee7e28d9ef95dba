#!/usr/bin/env bash
# Renders the program's icons (assets/desktop/icons/*.svg) into the PNG sizes
# of the hicolor icon theme under assets/desktop/icons/hicolor. The editor's
# window icon and the installed icons use these PNGs, so the build needs no
# SVG renderer. Run it after a change of an SVG and commit the PNGs.
#   scripts/render-icons.sh
set -euo pipefail
cd "$(dirname "$0")/../assets/desktop/icons"
command -v rsvg-convert >/dev/null || { echo "rsvg-convert is missing: run scripts/install-deps.sh" >&2; exit 1; }
sizes=(16 24 32 48 64 128 256)
for svg in *.svg; do
  name=${svg%.svg}
  case $name in
    application-*) context=mimetypes ;;
    *) context=apps ;;
  esac
  for s in "${sizes[@]}"; do
    dir=hicolor/${s}x${s}/$context
    mkdir -p "$dir"
    rsvg-convert -w "$s" -h "$s" "$svg" -o "$dir/$name.png"
  done
done

#!/usr/bin/env bash
# Renders the application icon: the round badge of assets/logo.jpg, cut out on a transparent ground.
# Usage: make_icon.sh LOGO.jpg SIZE OUT.png
set -euo pipefail
logo=${1:?usage: make_icon.sh LOGO.jpg SIZE OUT.png}
size=${2:?usage: make_icon.sh LOGO.jpg SIZE OUT.png}
out=${3:?usage: make_icon.sh LOGO.jpg SIZE OUT.png}

# ImageMagick 7 has 'magick'; Debian's ImageMagick 6 has 'convert'.
if command -v magick >/dev/null 2>&1; then
  convert_cmd=(magick)
elif command -v convert >/dev/null 2>&1; then
  convert_cmd=(convert)
else
  echo "make_icon: ImageMagick (convert or magick) is needed" >&2
  exit 1
fi

# The badge in logo.jpg is the circle of radius 100 around (134,112) with a 6 pixel rim
# (tools/assets/pictures.py); the lettering below it would be unreadable at icon size.
badge=210
left=29
top=7
centre=$((badge / 2))
mkdir -p "$(dirname "$out")"
# Write beside the target and rename, so a failed run never leaves a half-written icon that
# the build would take as up to date.
"${convert_cmd[@]}" "$logo" -crop "${badge}x${badge}+${left}+${top}" +repage \
  \( -size "${badge}x${badge}" xc:none -fill white \
     -draw "circle $centre,$centre $centre,0" \) \
  -alpha set -compose DstIn -composite \
  -resize "${size}x${size}" -strip -define png:exclude-chunks=date,time \
  "png32:$out.tmp"
mv -f "$out.tmp" "$out"

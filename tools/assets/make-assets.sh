#!/usr/bin/env bash
# Regenerates every JPEG in assets/: the question sketches, the chart notice, icons, logo and splash.
#
# The drawings live in draw_assets.py and its modules as vector commands; ImageMagick renders
# them. The output is the same on every run, so a rerun changes no committed file unless a
# drawing changed.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
assets="$root/assets"

# ImageMagick 7 has 'magick'; Debian's ImageMagick 6 has 'convert' and 'identify'.
if command -v magick >/dev/null 2>&1; then
  convert_cmd=(magick)
  identify_cmd=(magick identify)
elif command -v convert >/dev/null 2>&1; then
  convert_cmd=(convert)
  identify_cmd=(identify)
else
  echo "make-assets: ImageMagick (convert or magick) is needed" >&2
  exit 1
fi
if ! command -v python3 >/dev/null 2>&1; then
  echo "make-assets: python3 is needed" >&2
  exit 1
fi
# The drawings name these fonts; without them ImageMagick would quietly take another one.
fonts="$("${convert_cmd[@]}" -list font)"
for font in DejaVu-Sans DejaVu-Sans-Bold DejaVu-Sans-Mono-Bold; do
  if ! grep -qx " *Font: $font" <<<"$fonts"; then
    echo "make-assets: font $font is missing (Debian: fonts-dejavu-core)" >&2
    exit 1
  fi
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Draw everything first, so an error in a drawing leaves the old pictures in place.
python3 -B "$here/draw_assets.py" "$work" >"$work/manifest"

# Start from empty folders, so a picture dropped from the inventory does not linger.
mkdir -p "$assets/sketches" "$assets/icons"
rm -f "$assets"/sketches/*.jpg "$assets"/icons/*.jpg "$assets/logo.jpg" "$assets/splash.jpg"

count=0
while read -r path width height drawn_w drawn_h mode colour quality mvg; do
  out="$assets/$path"
  args=("mvg:$work/$mvg")
  if [[ $drawn_w != "$width" || $drawn_h != "$height" ]]; then
    args+=(-resize "${width}x${height}!")
  fi
  if [[ $colour == grey ]]; then
    args+=(-colorspace Gray -type Grayscale)
    want_channels=1
  else
    # TrueColor keeps three components even where a picture happens to be all grey.
    args+=(-type TrueColor)
    want_channels=3
  fi
  if [[ $mode == progressive ]]; then
    args+=(-interlace Plane)
    want_interlace=JPEG
  else
    args+=(-interlace None)
    want_interlace=None
  fi
  if [[ $quality -ge 90 ]]; then
    # full colour resolution for the tiny icons, whose edges would bleed otherwise
    args+=(-sampling-factor 1x1)
  fi
  # -strip drops the time stamps and profiles, so reruns give the same bytes
  args+=(-strip -quality "$quality" "jpeg:$out")
  "${convert_cmd[@]}" "${args[@]}"

  read -r got_w got_h got_interlace got_channels < <(
    "${identify_cmd[@]}" -format '%w %h %[interlace] %[channels]\n' "$out")
  case $got_channels in
    gray*) got_count=1 ;;
    srgb* | rgb*) got_count=3 ;;
    *) got_count=$got_channels ;;
  esac
  if [[ $got_w != "$width" || $got_h != "$height" || $got_interlace != "$want_interlace" ||
        $got_count != "$want_channels" ]]; then
    echo "make-assets: $path came out ${got_w}x${got_h} $got_interlace $got_channels," \
      "wanted ${width}x${height} $want_interlace $want_channels components" >&2
    exit 1
  fi
  count=$((count + 1))
done <"$work/manifest"

echo "make-assets: $count pictures in $assets ($(du -sh "$assets" | cut -f1))"

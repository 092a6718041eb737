#!/usr/bin/env bash
# Draws the banner (403 x 65 JPEG) and the application icon (48 x 48 PNG) kept in this folder.
# Run it by hand after changing the artwork; the build embeds the files it leaves.
set -euo pipefail
cd "$(dirname "$0")"
font=$(fc-match -f '%{file}' 'NanumGothic:bold')
convert -size 403x65 gradient:'#1f4e8c'-'#4a90d9' \
  -fill '#ffffff22' -draw 'circle 360,10 420,10' -draw 'circle 330,70 370,70' \
  -font "$font" -pointsize 22 -fill white -annotate +18+36 '설치 도우미' \
  -pointsize 11 -fill '#dbe8f7' -annotate +20+54 'Setup Assistant' \
  -quality 90 banner.jpg
convert -size 48x48 xc:none -fill '#1f4e8c' -draw 'roundrectangle 2,2 45,45 9,9' \
  -fill white -draw 'polygon 16,12 32,12 32,24 38,24 24,38 10,24 16,24' \
  -fill '#9cc3ee' -draw 'rectangle 10,40 38,42' icon.png

#!/usr/bin/env bash
# Makes the reference pictures with ImageMagick, so the readers are checked
# against files our own code did not write. Run from this folder.
set -euo pipefail

# 4 x 3 pixels; the middle of row 1 is the default sprite key (255, 0, 128).
cat > pattern.ppm <<'PPM'
P3
4 3
255
255 0 0   0 255 0   0 0 255   255 255 255
0 0 0   255 0 128   128 128 128   255 255 0
0 255 255   10 20 30   200 100 50   0 0 0
PPM

convert pattern.ppm -type TrueColor BMP3:pattern24.bmp
convert pattern.ppm -type Palette BMP3:pattern_palette.bmp
convert pattern.ppm -type TrueColor BMP2:pattern_os2.bmp
convert pattern.ppm -type TrueColor pattern_v5header.bmp
convert pattern.ppm -type TrueColor PNG24:pattern_rgb.png
convert pattern.ppm -type Palette PNG8:pattern_palette.png
convert pattern.ppm -alpha set -channel A -fx 'i==0 && j==0 ? 0 : 1' +channel PNG32:pattern_rgba.png
convert pattern.ppm -colorspace Gray -depth 16 -define png:color-type=0 pattern_grey16.png
convert pattern.ppm -colorspace Gray -alpha set -define png:color-type=4 pattern_greyalpha.png
# A palette image with one transparent entry: the red pixel.
convert pattern.ppm -transparent 'rgb(255,0,0)' -type PaletteAlpha PNG8:pattern_palette_trns.png
# 9 x 2 one-bit picture: a checkerboard row over a full row.
convert -size 9x2 xc:white -fill black -draw 'point 0,0 point 2,0 point 4,0 point 6,0 point 8,0' -type Bilevel BMP3:bits9.bmp
# JPEG: four 16 x 16 blocks of flat colour, so the decoded colour is close.
convert -size 16x16 xc:'rgb(200,40,40)' -size 16x16 xc:'rgb(40,200,40)' +append \
        \( -size 16x16 xc:'rgb(40,40,200)' -size 16x16 xc:'rgb(230,230,230)' +append \) -append \
        -quality 95 blocks.jpg
convert blocks.jpg -colorspace Gray -quality 95 blocks_grey.jpg
rm -f pattern.ppm

# Broken inputs, named after what they break.
printf 'BM' > malformed/signature_only.bmp
head -c 40 pattern24.bmp > malformed/truncated_header.bmp
head -c 70 pattern24.bmp > malformed/truncated_rows.bmp
head -c 60 pattern_rgb.png > malformed/truncated.png
head -c 200 blocks.jpg > malformed/truncated.jpg
printf 'just some text, not a picture\n' > malformed/text.txt

#!/bin/sh
# Draws the program's small pictures, button glyphs and cursors with ImageMagick.
# The PNG files are committed; run this only to change them.
set -e
cd "$(dirname "$0")"
C="convert -define png:exclude-chunks=date,time"

# Status dots and the red cross: 12 x 12 on white (white is made transparent on loading).
dot() { $C -size 12x12 xc:white -fill "$2" -stroke "$3" -draw "circle 5.5,5.5 5.5,1" \
        -fill "rgba(255,255,255,0.6)" -stroke none -draw "circle 4,4 4,3" -type TrueColor "pictures/$1.png"; }
dot PUCEVERTE "rgb(0,200,0)" "rgb(0,110,0)"
dot PUCEJAUNE "rgb(255,230,0)" "rgb(170,140,0)"
dot PUCEROUGE "rgb(235,0,0)" "rgb(130,0,0)"
$C -size 12x12 xc:white -stroke "rgb(220,0,0)" -strokewidth 2.5 -draw "line 2,2 9,9" -draw "line 9,2 2,9" \
   -type TrueColor pictures/CROIXROUGE.png
# The comment mark, drawn opaque above the charts: a small note with lines of text.
$C -size 9x13 xc:white -fill "rgb(255,255,160)" -stroke "rgb(0,0,128)" -draw "rectangle 0,0 8,12" \
   -stroke "rgb(0,0,128)" -draw "line 2,3 6,3" -draw "line 2,6 6,6" -draw "line 2,9 5,9" \
   -type TrueColor pictures/COMMENT.png

# Cursors, 32 x 32 with transparency: an arrow carrying a lot, and the same refused.
arrow="path 'M 1,1 L 1,17 L 5,13 L 8,20 L 11,19 L 8,12 L 13,12 Z'"
$C -size 32x32 xc:none -fill white -stroke black -draw "$arrow" \
   -fill "rgb(255,255,160)" -stroke "rgb(0,0,128)" -draw "rectangle 14,16 27,26" \
   -draw "line 16,19 25,19" -draw "line 16,22 25,22" cursors/CURSDRAGLOT.png
$C -size 32x32 xc:none -fill white -stroke black -draw "$arrow" \
   -fill none -stroke "rgb(220,0,0)" -strokewidth 2.5 -draw "circle 21,21 21,14" -draw "line 16,26 26,16" \
   cursors/CURSNODROPLOT.png

# Button glyphs, 16 x 16 with transparency.
g() { out="glyphs/$1.png"; shift; $C -size 16x16 xc:none "$@" "$out"; }
g data -fill white -stroke "rgb(0,0,128)" -draw "rectangle 1,2 14,13" -draw "line 1,5 14,5" \
   -draw "line 1,9 14,9" -draw "line 6,2 6,13"
g daily -fill white -stroke "rgb(0,0,128)" -draw "rectangle 1,2 14,14" -fill "rgb(220,0,0)" -draw "rectangle 1,2 14,5" \
   -fill "rgb(0,0,128)" -stroke none -draw "rectangle 5,8 10,12"
g limits -stroke "rgb(220,0,0)" -draw "line 0,3 15,3" -draw "line 0,12 15,12" -stroke "rgb(220,200,0)" \
   -draw "line 0,5 15,5" -draw "line 0,10 15,10" -stroke "rgb(0,200,0)" -draw "line 0,7 15,7"
g printcharts -fill "rgb(210,210,210)" -stroke black -draw "rectangle 1,7 14,12" -fill white -draw "rectangle 4,1 11,7" \
   -draw "rectangle 4,11 11,15" -stroke "rgb(0,0,128)" -draw "polyline 5,5 7,3 8,5 10,2"
g assignlots -fill "rgb(255,255,160)" -stroke "rgb(0,0,128)" -draw "rectangle 1,1 7,7" -draw "rectangle 8,8 14,14" \
   -stroke "rgb(220,0,0)" -draw "line 8,4 13,4" -draw "line 11,2 13,4" -draw "line 11,6 13,4"
g archives -fill "rgb(200,160,90)" -stroke "rgb(100,60,0)" -draw "rectangle 1,5 14,14" -draw "rectangle 0,2 15,5" \
   -fill none -draw "line 6,8 9,8"
g backup -fill "rgb(60,60,160)" -stroke black -draw "rectangle 1,1 14,14" -fill white -draw "rectangle 4,1 11,6" \
   -fill "rgb(200,200,200)" -draw "rectangle 3,9 12,14"
g queue -fill white -stroke "rgb(0,0,128)" -draw "rectangle 1,1 10,5" -draw "rectangle 3,5 12,9" \
   -draw "rectangle 5,9 14,13"
g exit -fill "rgb(160,100,40)" -stroke black -draw "rectangle 2,1 10,14" -fill "rgb(220,0,0)" -stroke none \
   -draw "polygon 9,7 15,3 15,11"
g ok -stroke "rgb(0,150,0)" -strokewidth 2.5 -fill none -draw "polyline 2,8 6,12 14,3"
g cancel -stroke "rgb(220,0,0)" -strokewidth 2.5 -draw "line 3,3 12,12" -draw "line 12,3 3,12"
g clear -fill white -stroke "rgb(0,0,128)" -draw "rectangle 2,4 13,11" -stroke "rgb(220,0,0)" -draw "line 4,6 11,9"
g undo -stroke "rgb(0,0,128)" -strokewidth 2 -fill none -draw "arc 3,4 14,14 180,360" -draw "line 3,9 1,6" -draw "line 3,9 6,7"
# Splash picture: a small control chart.
$C -size 120x80 xc:white -stroke "rgb(220,0,0)" -draw "line 5,10 115,10" -draw "line 5,70 115,70" \
   -stroke "rgb(230,210,0)" -draw "line 5,22 115,22" -draw "line 5,58 115,58" -stroke "rgb(0,200,0)" -draw "line 5,40 115,40" \
   -stroke "rgb(0,0,128)" -strokewidth 2 -fill none -draw "polyline 8,44 20,34 32,48 44,38 56,30 68,46 80,41 92,52 104,36 112,40" \
   -type TrueColor pictures/splash.png

# The program's icon, drawn at 256 x 256 and scaled down for the hicolor theme: a control chart
# with its mean (green), warning (yellow) and action (red) limits and a run of points.
$C -size 256x256 xc:none -fill "rgb(0,0,128)" -draw "roundrectangle 8,8 247,247 36,36" \
   -fill white -draw "roundrectangle 28,28 227,227 14,14" \
   -stroke "rgb(208,0,0)" -strokewidth 8 -draw "line 40,64 216,64" -draw "line 40,192 216,192" \
   -stroke "rgb(224,176,0)" -strokewidth 6 -draw "line 40,96 216,96" -draw "line 40,160 216,160" \
   -stroke "rgb(0,128,0)" -draw "line 40,128 216,128" \
   -fill none -stroke "rgb(0,0,128)" -strokewidth 10 -draw "polyline 52,136 84,110 116,148 148,118 180,140 206,84" \
   -stroke none -fill "rgb(0,160,0)" -draw "circle 52,136 52,124" -draw "circle 84,110 84,98" \
   -draw "circle 116,148 116,136" -draw "circle 148,118 148,106" -draw "circle 180,140 180,128" \
   -fill "rgb(240,192,0)" -draw "circle 206,84 206,70" icons/vantorel-256.png
for size in 16 32 48 64 128; do
    $C icons/vantorel-256.png -resize ${size}x${size} icons/vantorel-$size.png
done

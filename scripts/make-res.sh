#!/usr/bin/env bash
# Regenerates the images in res/: the logos are drawn here, the icons are taken
# from Debian's oxygen-icon-theme (LGPL-3+). Needs imagemagick and
# oxygen-icon-theme; the results are committed, so the build never runs this.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
res="$root/res"
oxygen=/usr/share/icons/oxygen/base
font=DejaVu-Sans-Bold

# The badge: two arrows passing each other, for a unit that switches over
# between two computers. Drawn on a 256 grid; the scalable icon below uses the
# same shapes.
upper_arrow="52,92 168,92 168,62 212,106 168,150 168,120 52,120"
lower_arrow="204,164 88,164 88,134 44,178 88,222 88,192 204,192"
badge() { # out size background-top background-bottom arrow-colour
    local out="$1" size="$2" top="$3" bottom="$4" fg="$5"
    convert -size 256x256 gradient:"$top-$bottom" \
        \( -size 256x256 xc:black -fill white -draw "roundrectangle 8,8 247,247 44,44" \) \
        -alpha off -compose CopyOpacity -composite -compose Over \
        -fill "$fg" -stroke none \
        -draw "polygon $upper_arrow" -draw "polygon $lower_arrow" \
        -resize "${size}x${size}" -depth 8 -define png:exclude-chunks=date,time "$out"
}

badge "$res/ValdaneLogo.png" 256 '#3b6ea8' '#1d3656' white
badge "$res/ValdaneLogo-2.png" 32 '#3b6ea8' '#1d3656' white

# The program's icon for desktop menus: the badge in the sizes of the hicolor
# icon theme, and as SVG. Installed from desktop/icons, never built.
icons_dir="$root/desktop/icons/hicolor"
for size in 16 22 24 32 48 64 128 256; do
    mkdir -p "$icons_dir/${size}x${size}/apps"
    badge "$icons_dir/${size}x${size}/apps/cuesmith.png" "$size" '#3b6ea8' '#1d3656' white
done
mkdir -p "$icons_dir/scalable/apps"
cat > "$icons_dir/scalable/apps/cuesmith.svg" <<SVG
<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">
  <defs>
    <linearGradient id="face" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#3b6ea8"/>
      <stop offset="1" stop-color="#1d3656"/>
    </linearGradient>
  </defs>
  <rect x="8" y="8" width="240" height="240" rx="44" ry="44" fill="url(#face)"/>
  <polygon points="$upper_arrow" fill="#ffffff"/>
  <polygon points="$lower_arrow" fill="#ffffff"/>
</svg>
SVG

# The logo panel picture: greyscale so that it stays quiet behind the pages.
# Twice the size it is shown at, for high-density screens.
badge /tmp/cuesmith-badge-grey.png 128 '#9a9a9a' '#5a5a5a' '#e6e6e6'
convert -size 604x148 xc:none \
    /tmp/cuesmith-badge-grey.png -geometry +10+10 -composite \
    -font "$font" -fill '#d2d2d2' -pointsize 78 -annotate +158+92 'Cuesmith' \
    -font DejaVu-Sans -fill '#9a9a9a' -pointsize 26 -annotate +162+132 'RSX-4 configuration' \
    -colorspace Gray -depth 8 -define png:exclude-chunks=date,time -define png:color-type=6 "$res/valdane_greyscale.PNG"
rm -f /tmp/cuesmith-badge-grey.png

# name in res/ <- icon in the theme (category/name)
icons=(
    "empty-2.png actions/document-new"
    "open-2.png actions/document-open"
    "save as-2.png actions/document-save-as"
    "exit-2.png actions/application-exit"
    "information-2.png status/dialog-information"
    "configure-3.png actions/configure"
    "settings-2.png categories/preferences-system"
    "midicontrol2-2.png mimetypes/audio-midi"
    "record-3.png actions/media-record"
    "stop-5.png actions/media-playback-stop"
    "compile.png actions/go-down"
    "upload_preset.png actions/go-up"
    "table_delete-2.png actions/edit-table-delete-row"
    "table_save-2.png actions/edit-table-insert-row-below"
    "build-2.png actions/run-build"
    "switch-network.png places/network-workgroup"
    "router.png devices/modem"
    "cog.png actions/system-run"
)
for entry in "${icons[@]}"; do
    name="${entry% *}"
    cp "$oxygen/32x32/${entry##* }.png" "$res/$name"
done

# The two .ico names hold real Windows icons, with a 16, 32 and 48 pixel image.
ico() {
    convert "$oxygen/16x16/$2.png" "$oxygen/32x32/$2.png" "$oxygen/48x48/$2.png" "$res/$1"
}
ico connect-3.ico actions/network-connect
ico numbering-2.ico actions/format-list-ordered

# Every image under its own name: the program asks for ":/res/save as-2.png".
{
    echo '<!DOCTYPE RCC>'
    echo '<RCC version="1.0">'
    echo '<qresource prefix="/res">'
    find "$res" -maxdepth 1 -type f ! -name '*.qrc' ! -name '*.md' -printf '%f\n' | LC_ALL=C sort |
        while read -r f; do echo "    <file alias=\"$f\">$f</file>"; done
    echo '</qresource>'
    echo '</RCC>'
} > /tmp/cuesmith-resources.qrc
mv /tmp/cuesmith-resources.qrc "$res/resources.qrc"

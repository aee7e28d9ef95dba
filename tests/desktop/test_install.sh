#!/usr/bin/env bash
# Installs the built program into a temporary tree (DESTDIR) and checks what
# a desktop needs of it: both programs, the sample library where the
# installed program looks for it, the desktop entry and the metadata (each
# passes its validator), the icons, the manual pages, and the file types:
# after update-mime-database on the tree, a worksheet, a name-field file and
# a worksheet without extension are named by their types.
#   test_install.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
app_id=org.tavenor.Print
fail=0
bad() { echo "FAIL: $*" >&2; fail=1; }
need() { command -v "$1" >/dev/null || { echo "FAIL: $1 is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }; }
for tool in desktop-file-validate appstreamcli update-mime-database mimetype xdg-mime gunzip; do need "$tool"; done

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
dest=$tmp/dest
DESTDIR=$dest cmake --install "$build" --prefix /usr >"$tmp/install.log" 2>&1 || { cat "$tmp/install.log" >&2; exit 1; }
root=$dest/usr
share=$root/share

for f in bin/tavenor-print bin/tavenor-print-tool; do
  [ -x "$root/$f" ] || bad "$f is not installed as a program"
done
for f in applications/$app_id.desktop metainfo/$app_id.metainfo.xml mime/packages/$app_id.xml \
         man/man1/tavenor-print.1.gz man/man1/tavenor-print-tool.1.gz \
         icons/hicolor/scalable/apps/$app_id.svg; do
  [ -f "$share/$f" ] || bad "share/$f is missing"
done
for size in 16 24 32 48 64 128 256; do
  for icon in apps/$app_id mimetypes/application-x-tavenor-print-worksheet \
              mimetypes/application-x-tavenor-print-namefield; do
    png=$share/icons/hicolor/${size}x${size}/$icon.png
    if [ ! -f "$png" ]; then bad "icon $size $icon is missing"; continue; fi
    # The PNG header holds width and height at bytes 16..23.
    dims=$(od -An -tu1 -j16 -N8 "$png" | awk '{print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8}')
    [ "$dims" = "${size}x${size}" ] || bad "icon $icon at $size is $dims"
  done
done

# The installed program finds the samples, which are all there.
samples=$(ls "$share/tavenor-print/Navi"/*.prx 2>/dev/null | wc -l)
expected=$(ls "$build/Navi"/*.prx | wc -l)
[ "$samples" -gt 0 ] && [ "$samples" = "$expected" ] || bad "$samples of $expected samples installed"
"$root/bin/tavenor-print" --version | grep -q "^Tavenor プリント " || bad "the installed editor has no --version"
"$root/bin/tavenor-print-tool" --version | grep -q "^tavenor-print-tool " || bad "the installed tool has no --version"

# The desktop entry and the metadata.
desktop=$share/applications/$app_id.desktop
desktop-file-validate "$desktop" || bad "desktop-file-validate refuses the desktop entry"
grep -qx 'Name=Tavenor プリント' "$desktop" || bad "desktop entry: Name"
grep -qx 'Exec=tavenor-print %f' "$desktop" || bad "desktop entry: Exec"
grep -qx "Icon=$app_id" "$desktop" || bad "desktop entry: Icon"
grep -q '^Categories=.*Education;' "$desktop" && grep -q '^Categories=.*Office;' "$desktop" || bad "desktop entry: Categories"
grep -q '^MimeType=.*application/x-tavenor-print-worksheet;' "$desktop" || bad "desktop entry: worksheet type"
grep -q '^MimeType=.*application/x-tavenor-print-namefield;' "$desktop" || bad "desktop entry: name-field type"
LC_ALL=C.UTF-8 grep -qP '^Comment=.*[\p{Hiragana}\p{Katakana}\p{Han}]' "$desktop" || bad "desktop entry: the comment is not Japanese"
appstreamcli validate --no-net "$share/metainfo/$app_id.metainfo.xml" || bad "appstreamcli refuses the metadata"
version=$("$build/tavenor-print" --version | awk '{print $3}')
grep -q "<release version=\"$version\"" "$share/metainfo/$app_id.metainfo.xml" || bad "metadata: release $version"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$share/metainfo/$app_id.metainfo.xml" || bad "metadata: launchable"

# The manual pages are whole and carry the version.
for page in tavenor-print tavenor-print-tool; do
  gunzip -c "$share/man/man1/$page.1.gz" >"$tmp/$page.1" || bad "$page.1.gz is damaged"
  grep -q "^\.TH $(echo "$page" | tr a-z A-Z) 1 .*$version" "$tmp/$page.1" || bad "$page(1) has no title line with $version"
  grep -q '^\.SH NAME' "$tmp/$page.1" || bad "$page(1) has no NAME"
done

# The file types, looked up in the installed tree alone.
update-mime-database "$share/mime" >"$tmp/mime.log" 2>&1 || { cat "$tmp/mime.log" >&2; bad "update-mime-database fails"; }
"$build/tavenor-print-tool" make-samples "$tmp/s" >/dev/null 2>&1 || bad "make-samples fails"
sheet=$(ls "$tmp/s"/*.prx | head -1)
cp "$sheet" "$tmp/noext"
cp "$sheet" "$tmp/sheet.PRX"
printf 'anything' >"$tmp/namae.prn"
export XDG_DATA_DIRS=$share XDG_DATA_HOME=$tmp/empty-home XDG_CURRENT_DESKTOP=
unset DESKTOP_SESSION KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID
check_type() {
  local file=$1 want=$2 got
  got=$(xdg-mime query filetype "$file" 2>/dev/null || true)
  [ "$got" = "$want" ] || bad "xdg-mime names $(basename "$file") '$got', not $want"
}
check_type "$sheet" application/x-tavenor-print-worksheet
check_type "$tmp/sheet.PRX" application/x-tavenor-print-worksheet
check_type "$tmp/namae.prn" application/x-tavenor-print-namefield
check_type "$tmp/noext" application/x-tavenor-print-worksheet
# Another file without extension is not taken for a worksheet.
printf 'Tavenor,Print Header is not at the start' >"$tmp/plain"
got=$(xdg-mime query filetype "$tmp/plain" 2>/dev/null || true)
[ "$got" != application/x-tavenor-print-worksheet ] || bad "a text file is taken for a worksheet"
# The desktop entry is the one that opens both types.
for type in application/x-tavenor-print-worksheet application/x-tavenor-print-namefield; do
  got=$(XDG_DATA_DIRS=$share xdg-mime query default "$type" 2>/dev/null || true)
  [ "$got" = "$app_id.desktop" ] || bad "the default program of $type is '$got'"
done

[ $fail = 0 ] && echo "the installed tree is complete"
exit $fail

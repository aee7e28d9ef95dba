#!/usr/bin/env bash
# Builds the Debian package from the build folder (cpack -G DEB) into a
# temporary folder and checks it: its name and version, the dependencies it
# declares, that every file lies under /usr and the desktop's files are in
# it, and that it has no maintainer scripts, so that removing it can touch
# nothing of the user's. Skipped (77) without cpack or dpkg-deb.
#   test_package.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
command -v cpack >/dev/null && command -v dpkg-deb >/dev/null || { echo "no cpack or dpkg-deb: skipped"; exit 77; }
fail=0
bad() { echo "FAIL: $*" >&2; fail=1; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
(cd "$tmp" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/out" >"$tmp/cpack.log" 2>&1) \
  || { cat "$tmp/cpack.log" >&2; exit 1; }
version=$("$build/tavenor-print" --version | awk '{print $3}')
arch=$(dpkg --print-architecture)
deb=$tmp/out/tavenor-print_${version}_${arch}.deb
[ -f "$deb" ] || { ls -R "$tmp/out" >&2; echo "FAIL: no $(basename "$deb")" >&2; exit 1; }

[ "$(dpkg-deb -f "$deb" Package)" = tavenor-print ] || bad "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || bad "package version"
[ "$(dpkg-deb -f "$deb" Architecture)" = "$arch" ] || bad "package architecture"
depends=$(dpkg-deb -f "$deb" Depends)
for dep in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6network6 \
           qt6-translations-l10n libcups2 fonts-ipafont-gothic fonts-ipafont-mincho; do
  echo "$depends" | tr ',' '\n' | sed 's/^ *//' | grep -q "^$dep\( \|$\)" || bad "Depends lacks $dep: $depends"
done

dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$tmp/files"
while read -r f; do
  case $f in /usr/*|/|/usr) ;; *) bad "file outside /usr: $f" ;; esac
done <"$tmp/files"
for f in /usr/bin/tavenor-print /usr/bin/tavenor-print-tool \
         /usr/share/applications/org.tavenor.Print.desktop \
         /usr/share/metainfo/org.tavenor.Print.metainfo.xml \
         /usr/share/mime/packages/org.tavenor.Print.xml \
         /usr/share/icons/hicolor/48x48/apps/org.tavenor.Print.png \
         /usr/share/icons/hicolor/scalable/apps/org.tavenor.Print.svg \
         /usr/share/man/man1/tavenor-print.1.gz /usr/share/man/man1/tavenor-print-tool.1.gz; do
  grep -qx "$f" "$tmp/files" || bad "$f is not in the package"
done
grep -q '^/usr/share/tavenor-print/Navi/.*\.prx$' "$tmp/files" || bad "no samples in the package"
# The desktop's caches belong to the system, never to the package.
grep -E '/mime/[^/]+$|/mimeinfo\.cache$|/icon-theme\.cache$' "$tmp/files" && bad "the package holds cache files of the desktop"

mkdir "$tmp/control"
dpkg-deb -e "$deb" "$tmp/control"
for script in preinst postinst prerm postrm config; do
  [ ! -e "$tmp/control/$script" ] || bad "the package has a $script script"
done
[ ! -e "$tmp/control/conffiles" ] || bad "the package has configuration files"

# The programs in the package run.
dpkg-deb -x "$deb" "$tmp/root"
"$tmp/root/usr/bin/tavenor-print" --version | grep -q " $version " || bad "the packaged editor does not run"

[ $fail = 0 ] && echo "$(basename "$deb"): $depends"
exit $fail

#!/usr/bin/env bash
# Builds the Debian package from a build folder and checks it as Debian
# would: its file list and control fields (dpkg-deb), the desktop entry
# (desktop-file-validate), the AppStream data (appstreamcli) and the whole
# package (lintian, which must report no errors).
# Usage: check-package.sh <build folder>
set -euo pipefail
cd "$1"
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -f tavel-builder_*.deb
cpack -G DEB >cpack.log 2>&1 || { cat cpack.log; fail "cpack could not build the package"; }
debs=(tavel-builder_*_amd64.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "no single tavel-builder_<version>_amd64.deb: ${debs[*]}"
deb=${debs[0]}

files=$(dpkg-deb -c "$deb" | awk '{print $6}')
id=org.tavelbuilder.TavelBuilder
for want in ./usr/bin/tavel \
    ./usr/share/tavel-builder/system/index.htm ./usr/share/tavel-builder/system/sys.js \
    ./usr/share/tavel-builder/system/gaps.ini ./usr/share/tavel-builder/Styles/Provided/Inferno.tvs \
    ./usr/share/tavel-builder/Styles/Color/Blue.csm ./usr/share/tavel-builder/buttons/blue.jpg \
    ./usr/share/tavel-builder/Help/index.htm \
    ./usr/share/applications/$id.desktop ./usr/share/metainfo/$id.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/$id.svg ./usr/share/icons/hicolor/48x48/apps/$id.png \
    ./usr/share/icons/hicolor/128x128/apps/$id.png ./usr/share/icons/hicolor/256x256/apps/$id.png \
    ./usr/share/man/man1/tavel.1.gz ./usr/share/bash-completion/completions/tavel \
    ./usr/share/doc/tavel-builder/copyright ./usr/share/doc/tavel-builder/changelog.gz; do
  grep -qxF "$want" <<<"$files" || fail "the package lacks $want"
done
stray=$(grep -v -e '^\./$' -e '^\./usr/' <<<"$files" || true)
[ -z "$stray" ] || fail "files outside /usr: $stray"
grep -q '^\./usr/share/tavel-builder/Styles/User' <<<"$files" && fail "the package ships user styles"

[ "$(dpkg-deb -f "$deb" Package)" = tavel-builder ] || fail "Package field"
[ "$(dpkg-deb -f "$deb" Architecture)" = amd64 ] || fail "Architecture field"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6webenginewidgets6 libqt6widgets6 libjpeg62-turbo libc6; do
  grep -q "\b$lib\b" <<<"$depends" || fail "Depends lacks $lib: $depends"
done
grep -qE -- '-dev\b|\bg\+\+|\bcmake\b|\bgtest|\bchromium\b' <<<"$depends" && fail "Depends pulls in build or test tools: $depends"

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
desktop-file-validate "$unpacked/usr/share/applications/$id.desktop"
appstreamcli validate --no-net "$unpacked/usr/share/metainfo/$id.metainfo.xml"
lintian --fail-on error "$deb"
echo "checked $deb"

#!/usr/bin/env bash
# Builds the release program in build/package, installs it into a scratch directory and checks the
# installed desktop entry and metainfo with the validators, builds the Debian package with CPack,
# checks it with lintian (errors fail, warnings are listed) and prints its Depends line.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

build=build/package
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

# Debian's hardening flags, as a package built by dpkg-buildpackage would get them.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
      -DVOLUNDE_TESTS=OFF -DVOLUNDE_BENCH=OFF \
      -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
      -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
cmake --build "$build" -j2
DESTDIR="$stage" cmake --install "$build"

echo "== installed files"
(cd "$stage" && find . -type f | sort)

echo "== desktop-file-validate"
desktop-file-validate "$stage"/usr/share/applications/*.desktop
echo "passed"

echo "== desktop entry points at installed files"
entry=$(ls "$stage"/usr/share/applications/*.desktop)
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
icon_name=$(sed -n 's/^Icon=//p' "$entry")
test -x "$stage/usr/bin/$exec_name" || { echo "Exec=$exec_name is not installed" >&2; exit 1; }
for size in 32 64 128; do
  test -f "$stage/usr/share/icons/hicolor/${size}x${size}/apps/$icon_name.png" \
    || { echo "Icon=$icon_name has no ${size}x${size} picture" >&2; exit 1; }
done
echo "Exec=$exec_name, Icon=$icon_name: found"

echo "== appstreamcli validate"
appstreamcli validate --no-net "$stage"/usr/share/metainfo/*.metainfo.xml

echo "== cpack"
rm -f "$build"/*.deb
(cd "$build" && cpack -G DEB)
deb=$(ls "$build"/*.deb)
echo "$deb"

echo "== lintian"
# Errors fail the check; warnings and notes are listed.
report=$(lintian --display-info --tag-display-limit 0 "$deb" 2>&1 \
           | grep -v '^running with root privileges' || true)
echo "${report:-no tags}"
if grep -q '^E:' <<<"$report"; then
  echo "lintian reports errors" >&2
  exit 1
fi
echo "no errors"

echo "== dependencies"
echo "Depends: $(dpkg-deb --field "$deb" Depends)"

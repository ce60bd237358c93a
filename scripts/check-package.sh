#!/bin/bash
# Builds the Debian package from a built tree (build/ unless another is
# named) and checks it as a user would meet it: its control data, its files,
# the programs run from a copy unpacked somewhere else, and its desktop entry,
# software-centre metadata and manual pages through their validators.
set -euo pipefail
cd "$(dirname "$0")/.."
tree="$(cd "${1:-build}" && pwd)"

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
pass() {
  echo "ok: $*"
}
# expect_output DESCRIPTION EXPECTED COMMAND...: the command succeeds and
# prints exactly EXPECTED on standard output.
expect_output() {
  local what="$1" expected="$2" actual
  shift 2
  if ! actual="$("$@" 2>&1)"; then
    fail "$what: the command failed: $actual"
  elif [ "$actual" != "$expected" ]; then
    fail "$what: expected '$expected', got '$actual'"
  else
    pass "$what"
  fi
}

echo "== package"
rm -f "$tree"/zeltacalc_*.deb
if ! log="$(cd "$tree" && cpack -G DEB 2>&1)"; then
  echo "$log" >&2
  echo "FAIL: cpack -G DEB" >&2
  exit 1
fi
debs=("$tree"/zeltacalc_*_amd64.deb)
[ -f "${debs[0]}" ] || { echo "FAIL: cpack made no zeltacalc_*_amd64.deb in $tree" >&2; exit 1; }
deb="${debs[0]}"
pass "$(basename "$deb")"

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Section)" = math ] && pass "Section: math" || fail "Section is '$(field Section)'"
[ -n "$(field Maintainer)" ] && pass "Maintainer: $(field Maintainer)" || fail "no Maintainer"
# dpkg-shlibdeps writes versioned dependencies on the libraries the
# programs link; a hand-written list would lack them.
depends="$(field Depends)"
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 libedit2; do
  if [[ ", $depends" == *", $library (>= "* ]]; then
    pass "depends on $library"
  else
    fail "Depends lacks a versioned $library: $depends"
  fi
done
[ "$(field Description | wc -l)" -gt 3 ] && pass "long description" || fail "no long description"

contents="$(dpkg-deb --contents "$deb" | awk '{print $NF}' | sed 's|^\./|/|')"
id=io.github.zeltacalc.ZeltaCalc
for path in \
  /usr/bin/zeltacalc /usr/bin/zeltacalc-console /usr/bin/zeltacalc-plot \
  /usr/libexec/zeltacalc/zeltacalc-plugin-host \
  /usr/share/zeltacalc/constants.txt /usr/share/zeltacalc/presets.txt /usr/share/zeltacalc/errors.txt \
  /usr/share/applications/$id.desktop /usr/share/metainfo/$id.metainfo.xml \
  /usr/share/icons/hicolor/scalable/apps/$id.svg \
  /usr/share/icons/hicolor/48x48/apps/$id.png \
  /usr/share/icons/hicolor/128x128/apps/$id.png \
  /usr/share/icons/hicolor/256x256/apps/$id.png \
  /usr/share/man/man1/zeltacalc.1.gz /usr/share/man/man1/zeltacalc-console.1.gz \
  /usr/share/man/man1/zeltacalc-plot.1.gz \
  /usr/share/doc/zeltacalc/copyright /usr/share/doc/zeltacalc/changelog.gz \
  /usr/share/doc/zeltacalc/plugins.md \
  /usr/share/doc/zeltacalc/examples/example_plugin.cpp; do
  grep -qxF "$path" <<<"$contents" && pass "$path" || fail "the package lacks $path"
done
if grep -q -e '^/usr/bin/zeltacalc-plugin-host$' -e '/plugins/' -e '_test$' <<<"$contents"; then
  fail "the package holds files that are not for users"
fi

echo "== unpacked elsewhere"
unpacked="$(mktemp -d)"
trap 'rm -rf "$unpacked"' EXIT
dpkg -x "$deb" "$unpacked/root"
bin="$unpacked/root/usr/bin"
export HOME="$unpacked/home" XDG_DATA_HOME="$unpacked/home/.local/share"
mkdir -p "$HOME"

expect_output "zeltacalc-console -e 1+1" "  2" "$bin/zeltacalc-console" -e 1+1
expect_output "constants from ../share/zeltacalc" "  3.14159265358979" "$bin/zeltacalc-console" -e pi
for program in zeltacalc zeltacalc-console zeltacalc-plot; do
  version="$(field Version)"
  expect_output "$program --version" "$program $version" env -u DISPLAY -u WAYLAND_DISPLAY "$bin/$program" --version
  if env -u DISPLAY -u WAYLAND_DISPLAY "$bin/$program" --help | grep -q "$program"; then
    pass "$program --help"
  else
    fail "$program --help"
  fi
done

# A library function, with the example plugin built in the tree: the
# unpacked programs must find the unpacked plugin host, since none sits
# beside them.
plugin="$tree/bin/plugins/libzeltacalc_example.so"
if [ -f "$plugin" ]; then
  data="$unpacked/data"
  mkdir -p "$data"
  cp "$unpacked/root/usr/share/zeltacalc/constants.txt" "$data/"
  printf '[sumsq]\r\nExplain=\r\nRunType=1\r\nParams=\r\nSentence=\r\nDLLPath=%s\r\nDLLProc=SumOfSquares\r\n\r\n' \
    "$plugin" >"$data/Functions.inf"
  expect_output "a library function through the installed plugin host" "  25" \
    "$bin/zeltacalc-console" --data-dir "$data" -e 'sumsq(3,4)'
  if "$bin/zeltacalc-plot" --data-dir "$data" --strict -o "$unpacked/sumsq.png" 'sumsq(x,1)/20' &&
    [ -s "$unpacked/sumsq.png" ]; then
    pass "zeltacalc-plot draws a library function"
  else
    fail "zeltacalc-plot could not draw a library function"
  fi
else
  echo "skipped: no example plugin in $tree"
fi

echo "== metadata"
share="$unpacked/root/usr/share"
if output="$(desktop-file-validate "$share/applications/$id.desktop" 2>&1)"; then
  pass "desktop-file-validate${output:+ ($output)}"
else
  fail "desktop-file-validate: $output"
fi
if output="$(appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" 2>&1)"; then
  pass "appstreamcli validate"
else
  fail "appstreamcli validate: $output"
fi
for size in 48 128 256; do
  if file "$share/icons/hicolor/${size}x${size}/apps/$id.png" | grep -q "PNG image data, $size x $size,"; then
    pass "icon ${size}x${size}"
  else
    fail "the ${size}x${size} icon is no PNG of that size"
  fi
done
for page in "$share"/man/man1/*.1.gz; do
  warnings="$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)"
  if [ -n "$warnings" ]; then
    fail "man $(basename "$page"): $warnings"
  elif [ "$(MANWIDTH=80 man -l "$page" 2>/dev/null | wc -l)" -lt 10 ]; then
    fail "man $(basename "$page") renders almost nothing"
  else
    pass "man $(basename "$page")"
  fi
done

if [ "$failures" -ne 0 ]; then
  echo "== $failures package checks failed" >&2
  exit 1
fi
echo "== the package checks passed"

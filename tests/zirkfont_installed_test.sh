#!/usr/bin/env bash
# zirkfont as a user outside this tree takes it: installed, the tree moved
# elsewhere, and the example program built twice, once by pkg-config's words
# alone and once from the two sources installed for firmware builds; both
# must print the canvases the example prints.
# Usage: zirkfont_installed_test.sh BUILD_DIR SOURCE_DIR C_COMPILER [C_FLAGS...]
set -euo pipefail
build=$1 source=$2 cc=$3
shift 3
cflags=("$@")
command -v pkg-config >/dev/null || { echo "no pkg-config"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/installed" --component dev >/dev/null
# The pkg-config file finds its prefix from where it lies.
mv "$work/installed" "$work/moved"
pc=$(find "$work/moved" -name zirkfont.pc)
read -ra flags < <(PKG_CONFIG_PATH=$(dirname "$pc") pkg-config --cflags --libs zirkfont)
"$cc" -std=c99 "${cflags[@]}" -o "$work/linked" "$source/examples/wrap.c" "${flags[@]}"
"$work/linked" "$source/examples/block8x8.zirk" | diff -u "$source/examples/wrap.out" -

sources=$work/moved/share/korvane/zirkfont
"$cc" -std=c99 "${cflags[@]}" -o "$work/compiled" -I "$sources" "$source/examples/wrap.c" "$sources/zirkfont.c"
"$work/compiled" "$source/examples/block8x8.zirk" | diff -u "$source/examples/wrap.out" -

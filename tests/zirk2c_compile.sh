#!/bin/bash
# zirk2c_compile.sh SOURCE_DIR WORK_DIR ZIRK2C...: writes the example fonts as
# C with zirk2c and compiles them with tests/firmware/draw_word.c and
# zirkfont, warnings as errors, by every compiler at hand: as C99 with GCC
# and clang, the fonts as C++ beside C, and for AVR (fonts in flash) and
# 32-bit ARM. What the host and ARM builds draw must be the drawing kept in
# tests/zirk2c_word.txt. A compiler that is not installed is skipped, and
# said so. ZIRK2C may be several words: zirk2c after a test wrapper
# (valgrind, an emulator).
set -eu
source_dir=$1
work=$2
shift 2
zirk2c=("$@")
rm -rf "$work"
mkdir -p "$work"
cd "$work"

for font in block8x8 slim10 matrix5x7; do
	"${zirk2c[@]}" "$source_dir/examples/$font.zirk" > "$font.c"
	"${zirk2c[@]}" --header "$source_dir/examples/$font.zirk" > "$font.h"
done
fonts=(block8x8.c slim10.c matrix5x7.c)
library="$source_dir/zirkfont/zirkfont.c"
program="$source_dir/tests/firmware/draw_word.c"
c_flags=(-std=c99 -Wall -Wextra -Wpedantic -Werror -I. -I"$source_dir/zirkfont")
expected="$source_dir/tests/zirk2c_word.txt"
failed=0

# check NAME COMMAND...: the drawing the built program prints, run by
# COMMAND (empty for the host), against the kept one.
check() {
	local name=$1
	shift
	if ! "$@" ./"$name" > "$name.out"; then
		echo "$name: the program failed"
		failed=1
	elif ! diff -u "$expected" "$name.out"; then
		echo "$name: draws otherwise than tests/zirk2c_word.txt"
		failed=1
	else
		echo "$name: compiled without warnings, drew the word"
	fi
}

for cc in gcc clang; do
	if ! command -v "$cc" > /dev/null; then
		echo "$cc: not installed, skipped"
		continue
	fi
	"$cc" "${c_flags[@]}" -o "$cc-c99" "$program" "${fonts[@]}" "$library"
	check "$cc-c99"
done

# The fonts compiled as C++, the rest as C: the objects must link.
if command -v g++ > /dev/null; then
	for font in "${fonts[@]}"; do
		g++ -x c++ -Wall -Wextra -Wpedantic -Werror -I. -I"$source_dir/zirkfont" -c "$font" -o "${font%.c}.o"
	done
	gcc "${c_flags[@]}" -c "$program" -o draw_word.o
	gcc "${c_flags[@]}" -c "$library" -o zirkfont.o
	g++ -o cxx-fonts draw_word.o zirkfont.o block8x8.o slim10.o matrix5x7.o
	check cxx-fonts
else
	echo "g++: not installed, skipped"
fi

if command -v arm-linux-gnueabihf-gcc > /dev/null && command -v qemu-arm > /dev/null; then
	arm-linux-gnueabihf-gcc "${c_flags[@]}" -static -o arm "$program" "${fonts[@]}" "$library"
	check arm qemu-arm
else
	echo "arm-linux-gnueabihf-gcc or qemu-arm: not installed, skipped"
fi

# The fonts in flash, read through pgm_read_byte; built and linked here,
# run under simavr by checks/device.
if command -v avr-gcc > /dev/null; then
	avr-gcc "${c_flags[@]}" -Os -mmcu=atmega2560 -include avr/pgmspace.h -DZIRKFONT_SECTION=PROGMEM \
		-DZF_READ_BYTE=pgm_read_byte -o avr.elf "$program" "${fonts[@]}" "$library"
	echo "avr-gcc: compiled without warnings"
else
	echo "avr-gcc: not installed, skipped"
fi
exit "$failed"

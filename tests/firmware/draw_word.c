/* Firmware as a user writes it: the example fonts compiled in by zirk2c,
 * three files side by side, opened with zirkfont and a word drawn in each
 * font. Prints each canvas as '#' and '.' (the tests keep the drawing, in
 * zirk2c_word.txt) and passes where the drawing's checksum is the kept
 * one's, so that a device without a file system checks it too. */
#include "block8x8.h"
#include "matrix5x7.h"
#include "slim10.h"

#ifdef __AVR__
#include <avr/interrupt.h>
#include <avr/io.h>
#include <avr/sleep.h>
static void put(char c)
{
	while (!(UCSR0A & (1 << UDRE0)))
		;
	UDR0 = (uint8_t)c;
}
#else
#include <stdio.h>
static void put(char c)
{
	putchar(c);
}
#endif

#define WIDTH 64
#define HEIGHT 12
/* FNV-1a of the drawing as zirk2c_word.txt holds it. */
#define DRAWING_CHECKSUM 0x72f69fd1UL

static uint32_t checksum = 2166136261UL;

static void emit(char c)
{
	checksum = (checksum ^ (uint8_t)c) * 16777619UL;
	put(c);
}

static void say(const char *s)
{
	while (*s)
		put(*s++);
}

static int draw(const uint8_t *data, size_t size, const zf_charmap *map, unsigned index)
{
	static uint8_t bits[HEIGHT * WIDTH / 8];
	static const char word[] = "HELLO h\xc3\xa9llo";
	zf_container c;
	zf_font f;
	zf_canvas cv;
	const char *name;
	int x, y;
	size_t i;
	if (zf_open(&c, data, size, NULL) != ZF_OK || !zf_font_at(&c, index, &f))
		return 0;
	for (i = 0; i < sizeof bits; i++)
		bits[i] = 0;
	zf_canvas_init(&cv, bits, WIDTH, HEIGHT, WIDTH / 8, ZF_ROWS);
	zf_draw_utf8(&cv, &f, map, 0, 1, word, sizeof word - 1, '?', NULL);
	for (name = f.name; *name; name++)
		emit(*name);
	emit('\n');
	for (y = 0; y < HEIGHT; y++) {
		for (x = 0; x < WIDTH; x++)
			emit(bits[y * WIDTH / 8 + x / 8] & (0x80 >> (x % 8)) ? '#' : '.');
		emit('\n');
	}
	return 1;
}

int main(void)
{
	int drawn;
#ifdef __AVR__
	UCSR0B = 1 << TXEN0;
#endif
	drawn = draw(block8x8, block8x8_size, &block8x8_map, BLOCK8X8_FONT_BLOCK_8X8) &&
	        draw(slim10, slim10_size, &slim10_map, SLIM10_FONT_SLIM_10) &&
	        draw(matrix5x7, matrix5x7_size, &matrix5x7_map, MATRIX5X7_FONT_MATRIX_10X7_WIDE) &&
	        MATRIX5X7_COUNT == 2;
	drawn = drawn && checksum == DRAWING_CHECKSUM;
	say(drawn ? "draw_word: passed\n" : "FAIL: draw_word: not the drawing zirk2c_word.txt holds\n");
#ifdef __AVR__
	/* simavr ends its run when the core sleeps with interrupts off. */
	cli();
	sleep_mode();
#endif
	return !drawn;
}

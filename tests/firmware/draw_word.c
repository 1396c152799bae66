/* Firmware as a user writes it: the example fonts compiled in by zirk2c,
 * three files side by side, opened with zirkfont and a word drawn in each
 * font. Prints each canvas as '#' and '.', to be compared with the
 * drawing the tests keep (zirk2c_word.txt). */
#include "block8x8.h"
#include "matrix5x7.h"
#include "slim10.h"

#include <stdio.h>

#define WIDTH 64
#define HEIGHT 12

static int draw(const uint8_t *data, size_t size, const zf_charmap *map, unsigned index)
{
	static uint8_t bits[HEIGHT * WIDTH / 8];
	static const char word[] = "HELLO h\xc3\xa9llo";
	zf_container c;
	zf_font f;
	zf_canvas cv;
	int x, y;
	size_t i;
	if (zf_open(&c, data, size, NULL) != ZF_OK || !zf_font_at(&c, index, &f))
		return 0;
	for (i = 0; i < sizeof bits; i++)
		bits[i] = 0;
	zf_canvas_init(&cv, bits, WIDTH, HEIGHT, WIDTH / 8, ZF_ROWS);
	zf_draw_utf8(&cv, &f, map, 0, 1, word, sizeof word - 1, '?', NULL);
	printf("%s\n", f.name);
	for (y = 0; y < HEIGHT; y++) {
		for (x = 0; x < WIDTH; x++)
			putchar(bits[y * WIDTH / 8 + x / 8] & (0x80 >> (x % 8)) ? '#' : '.');
		putchar('\n');
	}
	return 1;
}

int main(void)
{
	return draw(block8x8, block8x8_size, &block8x8_map, BLOCK8X8_FONT_BLOCK_8X8) &&
	               draw(slim10, slim10_size, &slim10_map, SLIM10_FONT_SLIM_10) &&
	               draw(matrix5x7, matrix5x7_size, &matrix5x7_map, MATRIX5X7_FONT_MATRIX_10X7_WIDE) &&
	               MATRIX5X7_COUNT == 2
	               ? 0
	               : 1;
}

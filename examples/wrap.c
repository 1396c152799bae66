/*
 * wrap: a sentence wrapped into a 64x32 display, drawn with zirkfont into
 * a canvas of rows (as most monochrome LCDs take it) and one of pages (as
 * SSD1306-type OLEDs take it), each printed as '#' and '.'.
 *
 *     wrap [CONTAINER [FONT]]
 *
 * The container is read whole into memory here; on a device it would be an
 * array in flash. Its first font is used unless FONT names another.
 */
#include "zirkfont.h"

#include <stdio.h>
#include <string.h>

#define WIDTH 64
#define HEIGHT 32

static const char sentence[] = "KORVANE DRAWS ZIRK FONTS";

/* Lines as zf_wrap breaks them, one glyph height apart. */
static void draw_text(zf_canvas *cv, const zf_font *f)
{
	const uint8_t *text = (const uint8_t *)sentence;
	size_t left = strlen(sentence), next;
	int y = 0;
	while (left > 0 && y < HEIGHT) {
		size_t length = zf_wrap(f, text, left, WIDTH, NULL, &next);
		zf_draw(cv, f, 0, y, text, length, NULL);
		text += next;
		left -= next;
		y += f->height;
	}
}

static int pixel(const uint8_t *bits, zf_layout layout, int x, int y)
{
	if (layout == ZF_ROWS)
		return bits[y * (WIDTH / 8) + x / 8] >> (7 - x % 8) & 1;
	return bits[y / 8 * WIDTH + x] >> (y % 8) & 1;
}

static void show(const zf_font *f, zf_layout layout)
{
	uint8_t bits[WIDTH * HEIGHT / 8] = {0};
	zf_canvas cv;
	int x, y;
	zf_canvas_init(&cv, bits, WIDTH, HEIGHT, layout == ZF_ROWS ? WIDTH / 8 : WIDTH, layout);
	draw_text(&cv, f);
	printf("%s:\n", layout == ZF_ROWS ? "rows" : "pages");
	for (y = 0; y < HEIGHT; y++) {
		for (x = 0; x < WIDTH; x++)
			putchar(pixel(bits, layout, x, y) ? '#' : '.');
		putchar('\n');
	}
}

int main(int argc, char **argv)
{
	static uint8_t data[65536];
	const char *path = argc > 1 ? argv[1] : "examples/block8x8.zirk";
	FILE *file = fopen(path, "rb");
	zf_container c;
	zf_font f;
	zf_error e;
	size_t size, fault_at = 0;
	if (!file) {
		perror(path);
		return 1;
	}
	size = fread(data, 1, sizeof data, file);
	fclose(file);
	e = zf_open(&c, data, size, &fault_at);
	if (e != ZF_OK) {
		fprintf(stderr, "%s: %s (record at byte %zu)\n", path, zf_error_text(e), fault_at);
		return 1;
	}
	if (argc > 2 ? !zf_font_named(&c, argv[2], &f) : !zf_font_at(&c, 0, &f)) {
		fprintf(stderr, "%s: no such font\n", path);
		return 1;
	}
	show(&f, ZF_ROWS);
	show(&f, ZF_PAGES);
	return fflush(stdout) != 0 || ferror(stdout);
}

/*
 * zirkfont's tests: tables of containers, codes and the canvases they must
 * give, in one program that runs unchanged on the host, under emulators and
 * on an 8-bit AVR, where the fonts stay in flash. Prints every failure and
 * exits non-zero when there is one.
 */
#include "zirkfont.h"

#include <limits.h>
#include <string.h>

#ifdef __AVR__
#include <avr/interrupt.h>
#include <avr/io.h>
#include <avr/pgmspace.h>
#include <avr/sleep.h>
#define FLASH PROGMEM
#define load memcpy_P
static void emit(char c)
{
	while (!(UCSR0A & (1 << UDRE0)))
		;
	UDR0 = (uint8_t)c;
}
#else
#include <stdio.h>
#define FLASH
#define load memcpy
static void emit(char c)
{
	putchar(c);
}
#endif

static unsigned failures;

static void say(const char *s)
{
	while (*s)
		emit(*s++);
}

static void say_number(long n)
{
	char digits[12];
	int i = 0;
	unsigned long u = n < 0 ? 0ul - (unsigned long)n : (unsigned long)n;
	if (n < 0)
		emit('-');
	do
		digits[i++] = (char)('0' + u % 10);
	while ((u /= 10) != 0);
	while (i > 0)
		emit(digits[--i]);
}

static void fail(const char *what, unsigned index, long got, long want)
{
	failures++;
	say("FAIL ");
	say(what);
	say(" #");
	say_number((long)index);
	say(": got ");
	say_number(got);
	say(", want ");
	say_number(want);
	emit('\n');
}

static void check(bool ok, const char *what, unsigned index, long got, long want)
{
	if (!ok)
		fail(what, index, got, want);
}

/* A record header: bitmap size, 16-byte name, spacing, three free bytes,
 * fixed width, height, first and last code. */
#define RECORD(size, spacing, fixed, height, first, last, ...)                                                         \
	(size) & 0xFF, (size) >> 8, __VA_ARGS__, spacing, 0, 0, 0, fixed, height, first, last
#define NAME4(a, b, c, d) a, b, c, d, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0
#define MAGIC 'Z', 'I', 'R', 'K', 'F', 'N', 'T'

/* Three fonts. "mono": 3x3, A to C, padding bits set to catch their ink,
 * and a block one byte longer than its glyphs. "prop": 2 high, '0' to '3'
 * 1, 0, 9 and 2 wide. "none": no codes. */
static const uint8_t fonts[] FLASH = {
	MAGIC, 3,
	RECORD(10, 'F', 3, 3, 'A', 'C', NAME4('m', 'o', 'n', 'o')),
	0xBF, 0x5F, 0xBF, /* A: #.# .#. #.# */
	0xE0, 0xA0, 0xE0, /* B: ### #.# ### */
	0x40, 0x40, 0x5F, /* C: .#. .#. .#. */
	0xFF,
	RECORD(8, 'P', 0, 2, '0', '3', NAME4('p', 'r', 'o', 'p')),
	1, 0, 9, 2,
	0x80, 0x00,             /* 0: # . */
	0xFF, 0x80, 0x80, 0x00, /* 2: ######### #........ */
	0x40, 0x80,             /* 3: .# #. */
	RECORD(0, 'p', 4, 5, 9, 8, NAME4('n', 'o', 'n', 'e')),
	'j', 'u', 'n', 'k',
};

static void test_fonts(zf_container *c)
{
	zf_font f;
	zf_glyph g;
	size_t at = 99;
	check(zf_open(c, fonts, sizeof fonts, &at) == ZF_OK && at == 99, "open fonts", 0, (long)at, 99);
	check(c->count == 3, "count", 0, (long)c->count, 3);
	check(zf_font_at(c, 2, &f) && strcmp(f.name, "none") == 0 && !f.proportional && f.height == 5, "font 2", 0, 0,
	      0);
	check(!zf_glyph_at(&f, 8, &g) && !zf_glyph_at(&f, 9, &g), "empty font", 0, 0, 0);
	check(!zf_font_at(c, 3, &f), "past the last font", 0, 0, 0);
	check(zf_font_named(c, "prop", &f) && f.proportional && f.first_char == '0', "named", 0, 0, 0);
	check(!zf_font_named(c, "pro", &f) && !zf_font_named(c, "props", &f), "named prefix", 0, 0, 0);
	zf_font_named(c, "prop", &f);
	check(zf_glyph_at(&f, '3', &g) && g.width == 2 && g.row_bytes == 1 && g.height == 2 &&
	              g.rows == f.bitmap + 6,
	      "glyph 3", 0, (long)(g.rows - f.bitmap), 6);
	check(zf_glyph_at(&f, '1', &g) && g.width == 0 && g.row_bytes == 0, "glyph 1", 0, (long)g.width, 0);
	check(!zf_glyph_at(&f, '4', &g) && !zf_glyph_at(&f, '/', &g) && !zf_glyph_at(&f, 0x130, &g), "outside", 0, 0,
	      0);
}

/* Containers zf_open must refuse, or take, and where. */
struct open_case {
	uint8_t size;
	uint8_t error;
	uint8_t fault_at;
	uint8_t bytes[64];
};

static const struct open_case open_cases[] FLASH = {
	{0, ZF_NOT_ZIRK, 0, {0}},
	{7, ZF_NOT_ZIRK, 0, {MAGIC}},
	{8, ZF_NOT_ZIRK, 0, {'Z', 'I', 'R', 'K', 'F', 'N', 'X', 0}},
	{8, ZF_OK, 0, {MAGIC, 0}},
	{9, ZF_OK, 0, {MAGIC, 0, 1}},
	{33, ZF_TRUNCATED, 8, {MAGIC, 1}},
	/* The range comes before the table, the table before the height, the
	 * size before the stored size. */
	{34, ZF_BAD_RANGE, 8, {MAGIC, 1, RECORD(0, 'P', 0, 200, 5, 3, NAME4('a', 0, 0, 0))}},
	{34, ZF_OK, 0, {MAGIC, 1, RECORD(0, 'P', 0, 1, 5, 4, NAME4('a', 0, 0, 0))}},
	{36, ZF_TRUNCATED, 8, {MAGIC, 1, RECORD(0, 'P', 0, 200, 5, 7, NAME4('a', 0, 0, 0)), 1, 1}},
	{37, ZF_TOO_TALL, 8, {MAGIC, 1, RECORD(0, 'P', 0, 128, 5, 7, NAME4('a', 0, 0, 0)), 1, 1, 1}},
	{34, ZF_OK, 0, {MAGIC, 1, RECORD(0, 'F', 9, 127, 5, 4, NAME4('a', 0, 0, 0))}},
	/* 256 codes, 32 bytes a row, 8 rows: 65536 bytes, 0 in 16 bits. */
	{34, ZF_TOO_LARGE, 8, {MAGIC, 1, RECORD(0, 'F', 255, 8, 0, 255, NAME4('a', 0, 0, 0))}},
	{34, ZF_TOO_LARGE, 8, {MAGIC, 1, RECORD(0, 'F', 48, 100, 0, 41, NAME4('a', 0, 0, 0))}},
	{34, ZF_SHORT_BLOCK, 8, {MAGIC, 1, RECORD(0, 'F', 48, 100, 0, 40, NAME4('a', 0, 0, 0))}},
	{37, ZF_SHORT_BLOCK, 8, {MAGIC, 1, RECORD(2, 'P', 0, 1, 1, 3, NAME4('a', 0, 0, 0)), 9, 0, 1}},
	{37, ZF_OK, 0, {MAGIC, 1, RECORD(0, 'P', 0, 1, 1, 3, NAME4('a', 0, 0, 0)), 0, 0, 0}},
	{36, ZF_TRUNCATED, 8, {MAGIC, 1, RECORD(3, 'F', 8, 1, 1, 3, NAME4('a', 0, 0, 0)), 0, 0}},
	{61, ZF_TRUNCATED, 37, {MAGIC, 2, RECORD(3, 'F', 8, 1, 1, 3, NAME4('a', 0, 0, 0)), 0, 0, 0}},
	{63, ZF_BAD_RANGE, 37,
	 {MAGIC, 2, RECORD(3, 'F', 8, 1, 1, 3, NAME4('a', 0, 0, 0)), 0, 0, 0,
	  RECORD(0, 'F', 8, 1, 2, 0, NAME4('b', 0, 0, 0))}},
};

static void test_open(void)
{
	unsigned i;
	struct open_case k;
	zf_container c;
	size_t at;
	for (i = 0; i < sizeof open_cases / sizeof open_cases[0]; i++) {
		load(&k, &open_cases[i], sizeof k);
		at = 999;
		zf_error e = zf_open(&c, open_cases[i].bytes, k.size, &at);
		check(e == (zf_error)k.error, "open error", i, (long)e, (long)k.error);
		check(at == (k.error ? k.fault_at : 999u), "open fault offset", i, (long)at, (long)k.fault_at);
	}
}

/* Drawings on a 16x8 canvas: codes of "mono" (M) or "prop" (P), where,
 * how, and the picture, in the rows, pages and callback canvases alike. */
#define W 16
#define H 8
struct draw_case {
	char font;
	char text[6];
	signed char x, y;
	zf_style style;
	bool set; /* the canvas starts set */
	signed char clip[4];
	signed char result;
	char picture[W * H + 1];
};

static const struct draw_case draw_cases[] FLASH = {
	{'M', "ABC", 0, 0, {1, 1, false, false}, false, {0, 0, W, H}, 11,
	 "#.#.###..#......"
	 ".#..#.#..#......"
	 "#.#.###..#......"
	 "................"
	 "................"
	 "................"
	 "................"
	 "................"},
	/* Codes outside the range take no room; the first cell partly off the
	 * canvas. */
	{'M', "AzD@B", -1, 6, {0, 0, false, false}, false, {0, 0, W, H}, 5,
	 "................"
	 "................"
	 "................"
	 "................"
	 "................"
	 "................"
	 ".####..........."
	 "#.#.#..........."},
	/* Cells overlapping by a font pixel, at scale 2. */
	{'M', "BA", 2, 1, {2, -1, false, false}, false, {0, 0, W, H}, 12,
	 "................"
	 "..######..##...."
	 "..######..##...."
	 "..##..####......"
	 "..##..####......"
	 "..######..##...."
	 "..######..##...."
	 "................"},
	/* Opaque over a set canvas: the cells cleared but for ink, the spacing
	 * between them left alone. */
	{'M', "AC", 1, 2, {1, 2, true, false}, true, {0, 0, W, H}, 9,
	 "################"
	 "################"
	 "##.###.#.#######"
	 "#.#.##.#.#######"
	 "##.###.#.#######"
	 "################"
	 "################"
	 "################"},
	{'M', "AC", 1, 2, {1, 2, true, true}, false, {0, 0, W, H}, 9,
	 "................"
	 "................"
	 "..#...#.#......."
	 ".#.#..#.#......."
	 "..#...#.#......."
	 "................"
	 "................"
	 "................"},
	/* Proportional: a 0-wide glyph skipped, a glyph two bytes a row, and
	 * negative spacing where the later glyph stands. */
	{'P', "01230", 0, 3, {1, -1, true, false}, false, {0, 0, W, H}, 10,
	 "................"
	 "................"
	 "................"
	 "########.#......"
	 "#.......#......."
	 "................"
	 "................"
	 "................"},
	{'M', "ABC", -2, -1, {3, 0, false, false}, false, {2, 1, 9, 4}, 25,
	 "................"
	 "....#######....."
	 "..##...###......"
	 "..##...###......"
	 "..##...###......"
	 "................"
	 "................"
	 "................"},
};

/* The callback canvas: a picture in text, and any call outside the clip
 * rectangle counted as a failure. */
struct sketch {
	char picture[W * H + 1];
	signed char clip[4];
	unsigned index;
};

static void sketch_pixel(void *ctx, int x, int y, bool set)
{
	struct sketch *s = (struct sketch *)ctx;
	if (x < s->clip[0] || y < s->clip[1] || x >= s->clip[0] + s->clip[2] || y >= s->clip[1] + s->clip[3] ||
	    x >= W || y >= H) {
		fail("callback outside the clip", s->index, x, y);
		return;
	}
	s->picture[y * W + x] = set ? '#' : '.';
}

static void compare(const char *layout, unsigned index, const char *got, const char *want)
{
	int row;
	if (strcmp(got, want) == 0)
		return;
	fail(layout, index, 0, 0);
	for (row = 0; row < H; row++) {
		say("  got ");
		say_number(row);
		emit(' ');
		for (int x = 0; x < W; x++)
			emit(got[row * W + x]);
		say("  want ");
		for (int x = 0; x < W; x++)
			emit(want[row * W + x]);
		emit('\n');
	}
}

static void test_draw(const zf_container *c)
{
	struct draw_case k;
	struct sketch sk;
	uint8_t rows[W / 8 * H], pages[W];
	char got[W * H + 1];
	zf_canvas cv;
	zf_font f;
	unsigned i;
	int x, y;
	for (i = 0; i < sizeof draw_cases / sizeof draw_cases[0]; i++) {
		load(&k, &draw_cases[i], sizeof k);
		zf_font_at(c, k.font == 'M' ? 0 : 1, &f);
		size_t n = strlen(k.text);
		memset(rows, k.set ? 0xFF : 0, sizeof rows);
		memset(pages, k.set ? 0xFF : 0, sizeof pages);
		memset(sk.picture, k.set ? '#' : '.', W * H);
		sk.picture[W * H] = got[W * H] = 0;
		memcpy(sk.clip, k.clip, sizeof sk.clip);
		sk.index = i;

		zf_canvas_init(&cv, rows, W, H, W / 8, ZF_ROWS);
		zf_canvas_clip(&cv, k.clip[0], k.clip[1], k.clip[2], k.clip[3]);
		int r = zf_draw(&cv, &f, k.x, k.y, (const uint8_t *)k.text, n, &k.style);
		check(r == k.result, "draw result", i, r, k.result);
		check(zf_width(&f, (const uint8_t *)k.text, n, &k.style) == k.result - k.x, "width", i, r, k.result);
		for (y = 0; y < H; y++)
			for (x = 0; x < W; x++)
				got[y * W + x] = rows[y * (W / 8) + x / 8] & (0x80 >> (x % 8)) ? '#' : '.';
		compare("rows", i, got, k.picture);

		zf_canvas_init(&cv, pages, W, H, W, ZF_PAGES);
		zf_canvas_clip(&cv, k.clip[0], k.clip[1], k.clip[2], k.clip[3]);
		zf_draw(&cv, &f, k.x, k.y, (const uint8_t *)k.text, n, &k.style);
		for (y = 0; y < H; y++)
			for (x = 0; x < W; x++)
				got[y * W + x] = pages[x] & (1 << y) ? '#' : '.';
		compare("pages", i, got, k.picture);

		zf_canvas_callback(&cv, W, H, sketch_pixel, &sk);
		zf_canvas_clip(&cv, k.clip[0], k.clip[1], k.clip[2], k.clip[3]);
		zf_draw(&cv, &f, k.x, k.y, (const uint8_t *)k.text, n, &k.style);
		compare("callback", i, sk.picture, k.picture);
	}
}

/* Many positions, scales, styles and clips, some far off the canvas,
 * against a renderer that decides each canvas pixel on its own, its pen
 * held to the range of int at every step as the library's is. */
static long long held(long long x)
{
	return x < INT_MIN ? INT_MIN : x > INT_MAX ? INT_MAX : x;
}

static bool reference_pixel(const zf_font *f, const char *text, long long x, long long y, const zf_style *s, int px,
                            int py, bool was)
{
	long long scale = s->scale ? s->scale : 1, pen = x;
	bool drawn = false, ink;
	zf_glyph g;
	for (; *text; text++) {
		if (!zf_glyph_at(f, (uint8_t)*text, &g) || g.width == 0)
			continue;
		pen = held(pen + (drawn ? s->spacing * scale : 0));
		drawn = true;
		if (px >= pen && px < pen + g.width * scale && py >= y && py < y + g.height * scale) {
			unsigned column = (unsigned)((px - pen) / scale), row = (unsigned)((py - y) / scale);
			ink = ZF_READ_BYTE(g.rows + row * g.row_bytes + column / 8) & (0x80 >> (column % 8));
			if (ink || s->opaque)
				was = ink != s->inverse;
		}
		pen = held(pen + g.width * scale);
	}
	return was;
}

static void test_positions(const zf_container *c)
{
	static const int places[] = {INT_MIN, -20000, -25, -7, -3, -1, 0, 2, 5, 13, INT_MAX - 2, INT_MAX};
	static const unsigned scales[] = {1, 2, 5, 40000u, UINT_MAX};
	static const signed char clips[][4] = {{0, 0, W, H}, {3, 1, 7, 5}, {-5, 4, 100, 2}};
	const int nplaces = sizeof places / sizeof places[0];
	uint8_t rows[W / 8 * H];
	zf_canvas cv;
	zf_font f;
	zf_style s = {1, 0, false, false};
	unsigned i = 0, k, scale, clip;
	int xi, yi, x, y;
	bool want;
	for (k = 0; k < 2; k++) {
		zf_font_at(c, k, &f);
		const char *text = k ? "320" : "CAB";
		for (scale = 0; scale < sizeof scales / sizeof scales[0]; scale++)
			for (clip = 0; clip < 3; clip++)
				for (xi = 0; xi < nplaces; xi++)
					for (yi = (xi + (int)clip) % 3; yi < nplaces; yi += 3, i++) {
						s.scale = scales[scale];
						s.spacing = (int)(i % 3) - 1;
						s.opaque = i & 1;
						s.inverse = i & 2;
						memset(rows, i & 4 ? 0xFF : 0, sizeof rows);
						zf_canvas_init(&cv, rows, W, H, W / 8, ZF_ROWS);
						zf_canvas_clip(&cv, clips[clip][0], clips[clip][1], clips[clip][2],
						               clips[clip][3]);
						zf_draw(&cv, &f, places[xi], places[yi], (const uint8_t *)text, 3, &s);
						for (y = 0; y < H; y++)
							for (x = 0; x < W; x++) {
								bool inside = x >= clips[clip][0] && y >= clips[clip][1] &&
								              x < clips[clip][0] + clips[clip][2] &&
								              y < clips[clip][1] + clips[clip][3];
								bool got = rows[y * 2 + x / 8] & (0x80 >> (x % 8));
								want = (i & 4) != 0;
								if (inside)
									want = reference_pixel(&f, text, places[xi],
									                       places[yi], &s, x, y, want);
								if (got != want) {
									fail("position", i, x, y);
									x = W;
									y = H;
								}
							}
					}
	}
	s.scale = UINT_MAX;
	check(zf_width(&f, (const uint8_t *)"3", 1, &s) == INT_MAX, "width held", 0, 0, 0);
	s.scale = 2;
	s.spacing = INT_MIN;
	check(zf_width(&f, (const uint8_t *)"33", 2, &s) == INT_MIN + 4, "width held below", 0, 0, 0);
	check(zf_draw(&cv, &f, INT_MAX - 1, 0, (const uint8_t *)"3", 1, NULL) == INT_MAX, "draw held", 0, 0, 0);
}

/* Lines of a font 6 wide covering ' ' to 'z', max_width 30. */
static const uint8_t wide6[8 + 26 + 91] FLASH = {MAGIC, 1, RECORD(91, 'F', 6, 1, ' ', 'z', NAME4('w', 0, 0, 0))};

struct wrap_case {
	char text[16];
	signed char max_width;
	uint8_t length, next;
};

static const struct wrap_case wrap_cases[] FLASH = {
	{"hello world", 30, 5, 6},
	{"hi  there", 30, 2, 4},
	{"abcdefgh", 30, 5, 5},
	{"a\nb", 30, 1, 2},
	{"ab   ", 30, 2, 5},
	{"", 30, 0, 0},
	{"\n\nx", 30, 0, 1},
	{"  ab cd", 30, 4, 5},
	{"    abcd", 30, 0, 4},
	{"  abcdefgh", 30, 5, 5},
	{"a b c d e f", 30, 5, 6},
	{"xy", -5, 1, 1},
	{"ab{}{}cd ef", 30, 8, 9},
};

static void test_wrap(void)
{
	zf_container c;
	zf_font f;
	struct wrap_case k;
	unsigned i;
	size_t next;
	zf_open(&c, wide6, sizeof wide6, NULL);
	zf_font_at(&c, 0, &f);
	for (i = 0; i < sizeof wrap_cases / sizeof wrap_cases[0]; i++) {
		load(&k, &wrap_cases[i], sizeof k);
		size_t length = zf_wrap(&f, (const uint8_t *)k.text, strlen(k.text), k.max_width, NULL, &next);
		check(length == k.length, "wrap length", i, (long)length, k.length);
		check(next == k.next, "wrap next", i, (long)next, k.next);
	}
}

/* UTF-8 through no map and a small one: each maximal ill-formed
 * subsequence is one '?'. */
static const uint32_t map_chars[] = {0x41, 0xE9, 0x20AC, 0x10FFFF};
static const uint8_t map_codes[] = {'a', 0x82, 0x80, 0xFF};

struct encode_case {
	bool mapped;
	char utf8[16];
	char codes[16];
};

static const struct encode_case encode_cases[] FLASH = {
	{false, "a\xC3\xA9z", "a\xE9z"},
	{false, "\xE2\x82\xAC!", "?!"},
	{false, "a\xF1\x80\x80\xE1\x80\xC2" "b\x80" "c\x80\xBF" "d", "a???b?c??d"},
	{false, "\xED\xA0\x80|\xE0\x80|\xF4\x90|\xC0\xAF", "???|??|??|??"},
	{false, "\xF0\x9F\x98\x80\xF8\xFF\xC2", "????"},
	{true, "A\xC3\xA9\xE2\x82\xAC" "B\n", "a\x82\x80?\n"},
	{true, "\xF4\x8F\xBF\xBF\xEF\xBF\xBD", "\xFF?"},
};

static void test_encode(const zf_container *c)
{
	static const zf_charmap map = {map_chars, map_codes, 4};
	struct encode_case k;
	uint8_t codes[16];
	zf_font f;
	zf_style s = {2, 1, false, false};
	unsigned i;
	for (i = 0; i < sizeof encode_cases / sizeof encode_cases[0]; i++) {
		load(&k, &encode_cases[i], sizeof k);
		size_t len = strlen(k.utf8);
		size_t n = zf_encode(k.mapped ? &map : NULL, k.utf8, len, codes, sizeof codes, '?');
		check(n == strlen(k.codes) && memcmp(codes, k.codes, n) == 0, "encode", i, (long)n,
		      (long)strlen(k.codes));
		check(zf_encode(NULL, k.utf8, len, codes, 2, '?') == 2, "encode capacity", i, 0, 0);
	}
	zf_font_at(c, 0, &f);
	check(zf_width_utf8(&f, NULL, "A\xC3\x80" "B\xFF", 5, 'C', &s) == 22, "width utf8", 0, 0, 22);
}

int main(void)
{
	zf_container c;
#ifdef __AVR__
	UCSR0B = 1 << TXEN0;
#endif
	test_fonts(&c);
	test_open();
	test_draw(&c);
	test_positions(&c);
	test_wrap();
	test_encode(&c);
	say(failures ? "zirkfont_test: failed\n" : "zirkfont_test: all passed\n");
#ifdef __AVR__
	/* simavr ends its run when the core sleeps with interrupts off. */
	cli();
	sleep_mode();
#endif
	return failures != 0;
}

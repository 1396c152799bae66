/*
 * zirkfont: reads zirk font containers and draws text with them, on any
 * machine from 8-bit microcontrollers up. C99, freestanding: no allocation,
 * no writable static data, nothing of the C library beyond <stdint.h>,
 * <stddef.h> and <stdbool.h>.
 *
 * zf_open checks a whole container once; every later call stays inside what
 * it checked, whatever the bytes say. Never call anything else on a
 * container zf_open refused.
 *
 * Every byte of a container is read through ZF_READ_BYTE(p), so that fonts
 * can stay where a plain read does not reach them: on AVR, compile
 * zirkfont.c and every file that includes this header with
 * -include avr/pgmspace.h '-DZF_READ_BYTE(p)=pgm_read_byte(p)'. Texts, code
 * maps and canvases are read as ordinary memory.
 */
#ifndef ZIRKFONT_H
#define ZIRKFONT_H

#include <stdbool.h>
#include <stddef.h>
#include <stdint.h>

#ifndef ZF_READ_BYTE
#define ZF_READ_BYTE(p) (*(p))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* What zf_open found wrong; ZF_OK is 0. */
typedef enum zf_error {
	ZF_OK = 0,
	ZF_NOT_ZIRK,   /* shorter than the 8-byte header, or no magic */
	ZF_TRUNCATED,  /* ends inside a record header, a width table or a bitmap block */
	ZF_BAD_RANGE,  /* last_char more than one below first_char */
	ZF_TOO_TALL,   /* height above 127 */
	ZF_TOO_LARGE,  /* the glyphs need more than 24600 bytes */
	ZF_SHORT_BLOCK /* the stored bitmap_size is less than the glyphs need */
} zf_error;

/* A checked container. Filled by zf_open; read-only for the caller. */
typedef struct zf_container {
	const uint8_t *data;
	size_t size;    /* bytes the records take, from the start of data */
	unsigned count; /* number of fonts */
} zf_container;

/* One font of a container, as zf_font_at and zf_font_named fill it. */
typedef struct zf_font {
	char name[17];     /* zero-terminated */
	bool proportional; /* a width per character (spacing 'P') */
	uint8_t fixed_width, height, first_char, last_char;
	const uint8_t *widths; /* the width table, or NULL for a fixed font */
	const uint8_t *bitmap; /* the glyph block */
} zf_font;

/* A glyph: height rows, top to bottom, row_bytes apart; in a byte the most
 * significant bit is the leftmost pixel. Bits past width are padding. */
typedef struct zf_glyph {
	const uint8_t *rows;
	unsigned width, height, row_bytes;
} zf_glyph;

typedef enum zf_layout {
	ZF_ROWS, /* rows top to bottom, stride bytes apart; most significant bit leftmost */
	ZF_PAGES /* pages of 8 rows, stride bytes apart; a byte is a column, least significant bit on top */
} zf_layout;

/* Where drawing goes. Set up with zf_canvas_init or zf_canvas_callback;
 * its fields are the library's. */
typedef struct zf_canvas {
	uint8_t *bits;
	size_t stride;
	int width, height;
	int clip_x0, clip_y0, clip_x1, clip_y1; /* clip rectangle, right and bottom exclusive */
	zf_layout layout;
	void (*pixel)(void *ctx, int x, int y, bool set);
	void *ctx;
} zf_canvas;

/* How text is drawn. A NULL style is scale 1, spacing 0, transparent, not
 * inverse. */
typedef struct zf_style {
	unsigned scale; /* each font pixel drawn scale x scale; 0 counts as 1 */
	int spacing;    /* font pixels added between two glyphs (may be negative) */
	bool opaque;    /* the clear pixels of each glyph's cell are drawn too, as background */
	bool inverse;   /* ink clears and background sets */
} zf_style;

/* Characters to codes: chars ascending, codes[i] the code of chars[i]. A
 * NULL map is ISO-8859-1 (U+0000 to U+00FF to the same code). */
typedef struct zf_charmap {
	const uint32_t *chars;
	const uint8_t *codes;
	size_t count;
} zf_charmap;

/* Checks data[0..size) and fills c. On a fault, *fault_at (when fault_at is
 * not NULL) gets the offset of the record at fault (8 for the first; 0 for
 * ZF_NOT_ZIRK); on ZF_OK it is left alone. Records are checked in turn,
 * each for: header there, range, width table there, height, glyphs' size,
 * stored bitmap_size, block there. Bytes after the last record are fine. */
zf_error zf_open(zf_container *c, const uint8_t *data, size_t size, size_t *fault_at);

/* A short English phrase for e. */
const char *zf_error_text(zf_error e);

/* The font at index (from 0); false past the last. */
bool zf_font_at(const zf_container *c, unsigned index, zf_font *f);

/* The first font whose name is name; false when none is. */
bool zf_font_named(const zf_container *c, const char *name, zf_font *f);

/* The glyph of code; false when code is outside the font's range. O(1) for
 * a fixed font, one pass over the width table for a proportional one. */
bool zf_glyph_at(const zf_font *f, unsigned code, zf_glyph *g);

/* A canvas over bits, width x height pixels, clipped to all of it. Negative
 * sizes count as 0. bits holds height rows of stride >= (width + 7) / 8
 * bytes (ZF_ROWS), or (height + 7) / 8 pages of stride >= width bytes
 * (ZF_PAGES). */
void zf_canvas_init(zf_canvas *cv, uint8_t *bits, int width, int height, size_t stride, zf_layout layout);

/* A canvas that draws through pixel(ctx, x, y, set), set being the value
 * the pixel takes; x and y are always inside the clip rectangle. */
void zf_canvas_callback(zf_canvas *cv, int width, int height, void (*pixel)(void *ctx, int x, int y, bool set),
                        void *ctx);

/* Narrows the clip rectangle to its part inside x, y, w, h. No pixel
 * outside it is ever touched, whatever the coordinates, font or scale. */
void zf_canvas_clip(zf_canvas *cv, int x, int y, int w, int h);

/* Draws codes[0..n) with the top-left of the first glyph's cell at (x, y),
 * left to right; where cells overlap, the later glyph's pixels stand. A
 * code outside the font's range, or whose glyph is 0 wide, is skipped and
 * takes no room. Transparent drawing touches only ink pixels; opaque
 * drawing every pixel of each cell, never the spacing between cells.
 * Returns x + zf_width(f, codes, n, s). The pen is held to the range of
 * int at every step. */
int zf_draw(zf_canvas *cv, const zf_font *f, int x, int y, const uint8_t *codes, size_t n, const zf_style *s);

/* The drawn glyphs' widths, plus spacing between each two, all times the
 * scale; held to the range of int. */
int zf_width(const zf_font *f, const uint8_t *codes, size_t n, const zf_style *s);

/* The first line of codes[0..n) no wider than max_width, greedily, words
 * being runs of codes other than space and newline (0x0A). Returns its
 * length without the spaces or the newline that end it; *next (when not
 * NULL) gets where the next line starts (n when none). A word wider than a
 * line on its own is cut after the most glyphs that fit, at least one.
 * Spaces at the start of the text or after a newline belong to the line. */
size_t zf_wrap(const zf_font *f, const uint8_t *codes, size_t n, int max_width, const zf_style *s, size_t *next);

/* The codes of UTF-8 text through map m, at most capacity; returns how
 * many. A character m lacks, and each maximal ill-formed subsequence,
 * becomes replacement. U+000A is always 0x0A. */
size_t zf_encode(const zf_charmap *m, const char *utf8, size_t len, uint8_t *codes, size_t capacity,
                 uint8_t replacement);

/* zf_draw and zf_width of what zf_encode gives, decoded on the fly. */
int zf_draw_utf8(zf_canvas *cv, const zf_font *f, const zf_charmap *m, int x, int y, const char *utf8, size_t len,
                 uint8_t replacement, const zf_style *s);
int zf_width_utf8(const zf_font *f, const zf_charmap *m, const char *utf8, size_t len, uint8_t replacement,
                  const zf_style *s);

#ifdef __cplusplus
}
#endif

#endif

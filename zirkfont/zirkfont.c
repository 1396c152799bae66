/*
 * zirkfont: the container checked once in zf_open, then read in bounds by
 * construction. Offsets into a container are size_t; everything about a
 * glyph fits 16 bits (heights up to 127, blocks up to 24600 bytes), so the
 * drawing loops need no wider arithmetic on 8- and 16-bit machines.
 */
#include "zirkfont.h"

#define HEADER 26u
#define BLOCK_LIMIT 24600u
#define INT_TOP ((int)(~0u >> 1))
#define INT_BOTTOM (-INT_TOP - 1)

static unsigned byte_at(const uint8_t *p, size_t i)
{
	return ZF_READ_BYTE(p + i);
}

static unsigned row_bytes(unsigned width)
{
	return (width + 7u) >> 3;
}

/* A record's fields, from its header at p (known to be there). */
static void read_header(const uint8_t *p, zf_font *f, unsigned *bitmap_size, unsigned *codes)
{
	unsigned i = 0;
	*bitmap_size = byte_at(p, 0) | byte_at(p, 1) << 8;
	while (i < 16 && (f->name[i] = (char)byte_at(p, 2 + i)) != 0)
		i++;
	while (i < 17)
		f->name[i++] = 0;
	f->proportional = byte_at(p, 18) == 'P';
	f->fixed_width = (uint8_t)byte_at(p, 22);
	f->height = (uint8_t)byte_at(p, 23);
	f->first_char = (uint8_t)byte_at(p, 24);
	f->last_char = (uint8_t)byte_at(p, 25);
	/* Wraps to a large number on a bad range, which zf_open refuses. The
	 * block starts after the width table, once that is known to be there. */
	*codes = f->last_char + 1u - f->first_char;
	f->widths = f->proportional ? p + HEADER : NULL;
	f->bitmap = p + HEADER;
}

/* The sum of row bytes of codes first to below first + n. */
static unsigned row_bytes_before(const zf_font *f, unsigned n)
{
	unsigned sum = 0, i;
	if (!f->proportional)
		return n * row_bytes(f->fixed_width);
	for (i = 0; i < n; i++)
		sum += row_bytes(byte_at(f->widths, i));
	return sum;
}

zf_error zf_open(zf_container *c, const uint8_t *data, size_t size, size_t *fault_at)
{
	const char *magic = "ZIRKFNT";
	size_t at = 0, left;
	unsigned i, bitmap_size, codes, need;
	zf_font f;
	zf_error e = ZF_NOT_ZIRK;

	if (size < 8)
		goto fault;
	for (i = 0; i < 7; i++)
		if (byte_at(data, i) != (unsigned char)magic[i])
			goto fault;
	c->data = data;
	c->count = byte_at(data, 7);
	for (at = 8, i = 0; i < c->count; i++) {
		left = size - at;
		e = ZF_TRUNCATED;
		if (left < HEADER)
			goto fault;
		left -= HEADER;
		read_header(data + at, &f, &bitmap_size, &codes);
		e = ZF_BAD_RANGE;
		if (codes > 256)
			goto fault;
		e = ZF_TRUNCATED;
		if (f.proportional) {
			if (left < codes)
				goto fault;
			left -= codes;
			f.bitmap += codes;
		}
		e = ZF_TOO_TALL;
		if (f.height > 127)
			goto fault;
		need = row_bytes_before(&f, codes);
		e = ZF_TOO_LARGE;
		if (f.height != 0 && need > BLOCK_LIMIT / f.height)
			goto fault;
		e = ZF_SHORT_BLOCK;
		if (bitmap_size < need * f.height)
			goto fault;
		e = ZF_TRUNCATED;
		if (left < bitmap_size)
			goto fault;
		at = (size_t)(f.bitmap - data) + bitmap_size;
	}
	c->size = at;
	return ZF_OK;
fault:
	if (fault_at)
		*fault_at = at;
	return e;
}

const char *zf_error_text(zf_error e)
{
	switch (e) {
	case ZF_OK: return "ok";
	case ZF_NOT_ZIRK: return "not a zirk container";
	case ZF_TRUNCATED: return "truncated";
	case ZF_BAD_RANGE: return "bad character range";
	case ZF_TOO_TALL: return "font too tall";
	case ZF_TOO_LARGE: return "glyphs too large";
	case ZF_SHORT_BLOCK: return "bitmap block too short";
	}
	return "unknown error";
}

bool zf_font_at(const zf_container *c, unsigned index, zf_font *f)
{
	const uint8_t *p = c->data + 8;
	unsigned bitmap_size, codes;
	if (index >= c->count)
		return false;
	for (;;) {
		read_header(p, f, &bitmap_size, &codes);
		if (f->proportional)
			f->bitmap += codes;
		if (index-- == 0)
			return true;
		p = f->bitmap + bitmap_size;
	}
}

bool zf_font_named(const zf_container *c, const char *name, zf_font *f)
{
	unsigned index, i;
	for (index = 0; zf_font_at(c, index, f); index++) {
		for (i = 0; f->name[i] == name[i] && name[i] != 0; i++)
			;
		if (f->name[i] == name[i])
			return true;
	}
	return false;
}

/* The first row of code's glyph, code being in the font's range. */
static const uint8_t *glyph_rows(const zf_font *f, unsigned code)
{
	return f->bitmap + row_bytes_before(f, code - f->first_char) * f->height;
}

bool zf_glyph_at(const zf_font *f, unsigned code, zf_glyph *g)
{
	if (code < f->first_char || code > f->last_char)
		return false;
	g->width = f->proportional ? byte_at(f->widths, code - f->first_char) : f->fixed_width;
	g->height = f->height;
	g->row_bytes = row_bytes(g->width);
	g->rows = glyph_rows(f, code);
	return true;
}

void zf_canvas_init(zf_canvas *cv, uint8_t *bits, int width, int height, size_t stride, zf_layout layout)
{
	cv->bits = bits;
	cv->stride = stride;
	cv->layout = layout;
	cv->pixel = NULL;
	cv->ctx = NULL;
	cv->width = width < 0 ? 0 : width;
	cv->height = height < 0 ? 0 : height;
	cv->clip_x0 = cv->clip_y0 = 0;
	cv->clip_x1 = cv->width;
	cv->clip_y1 = cv->height;
}

void zf_canvas_callback(zf_canvas *cv, int width, int height, void (*pixel)(void *ctx, int x, int y, bool set),
                        void *ctx)
{
	zf_canvas_init(cv, NULL, width, height, 0, ZF_ROWS);
	cv->pixel = pixel;
	cv->ctx = ctx;
}

/* Where a function must stay a call of its own, so that its locals are not
 * added to its caller's stack frame, nor its code to every caller's. */
#ifdef __GNUC__
#define SEPARATE __attribute__((noinline))
#else
#define SEPARATE
#endif

/* x + n × scale, held to the range of int, without overflow on the way. */
static SEPARATE int add_scaled(int x, int n, unsigned scale)
{
	unsigned m, room;
	if (n >= 0) {
		m = (unsigned)n;
		room = (unsigned)INT_TOP - (unsigned)x;
		if (m > room || (scale != 1 && m != 0 && room / m < scale))
			return INT_TOP;
		return (int)((unsigned)x + m * scale);
	}
	m = (unsigned)-(n + 1) + 1u; /* -n, which INT_MIN has not */
	room = (unsigned)x - (unsigned)INT_BOTTOM;
	if (m > room || (scale != 1 && room / m < scale))
		return INT_BOTTOM;
	return (int)((unsigned)x - m * scale);
}

static int larger(int a, int b)
{
	return a > b ? a : b;
}

static int smaller(int a, int b)
{
	return a < b ? a : b;
}

void zf_canvas_clip(zf_canvas *cv, int x, int y, int w, int h)
{
	cv->clip_x1 = smaller(cv->clip_x1, add_scaled(x, w, 1));
	cv->clip_y1 = smaller(cv->clip_y1, add_scaled(y, h, 1));
	cv->clip_x0 = smaller(larger(cv->clip_x0, x), cv->clip_x1);
	cv->clip_y0 = smaller(larger(cv->clip_y0, y), cv->clip_y1);
}

static const zf_style plain = {1, 0, false, false};

/* A pen moving right: where the last glyph's cell starts, where the next
 * one's would (before spacing), and whether a glyph was drawn. */
typedef struct pen {
	int cell, x;
	bool drawn;
} pen;

/* One call of the drawing or measuring functions: its codes, its canvas,
 * its pen. Kept in one place and passed by pointer, so that the drawing
 * loops need little stack on small machines. */
typedef struct job {
	/* First, where small machines reach them with the shortest code. */
	pen at;
	bool utf8;
	uint8_t replacement;
	const uint8_t *p; /* the codes, or UTF-8 text when utf8 */
	size_t n;
	const zf_charmap *map;
	const zf_canvas *cv; /* NULL when only measuring */
	const zf_font *f;
	const zf_style *s;
	int y, y1; /* the cells' top; the end of the rows drawn, inside the clip rectangle */
} job;

/* The code of a character through m. */
static unsigned map_char(const zf_charmap *m, uint32_t ch, uint8_t replacement)
{
	size_t low = 0, high;
	if (ch == 0x0A)
		return 0x0A;
	if (!m)
		return ch <= 0xFF ? (unsigned)ch : replacement;
	high = m->count;
	while (low < high) {
		size_t mid = low + (high - low) / 2;
		if (m->chars[mid] == ch)
			return m->codes[mid];
		if (m->chars[mid] < ch)
			low = mid + 1;
		else
			high = mid;
	}
	return replacement;
}

/* The next code, or -1 at the end; returned, not stored, so that callers
 * keep no variable of theirs in memory for it. An ill-formed sequence ends
 * at the first byte that cannot continue it, which is left for the next
 * code. */
static int next_code(job *src)
{
	unsigned lead, need = 0, low = 0x80, high = 0xBF;
	uint32_t ch;
	if (src->n == 0)
		return -1;
	lead = *src->p++;
	src->n--;
	if (!src->utf8)
		return (int)lead;
	ch = lead;
	if (lead >= 0xC2 && lead <= 0xDF) {
		need = 1;
		ch &= 0x1F;
	} else if (lead >= 0xE0 && lead <= 0xEF) {
		need = 2;
		ch &= 0x0F;
		low = lead == 0xE0 ? 0xA0 : low;
		high = lead == 0xED ? 0x9F : high;
	} else if (lead >= 0xF0 && lead <= 0xF4) {
		need = 3;
		ch &= 0x07;
		low = lead == 0xF0 ? 0x90 : low;
		high = lead == 0xF4 ? 0x8F : high;
	} else if (lead >= 0x80) {
		return src->replacement;
	}
	for (; need > 0; need--) {
		unsigned b = src->n ? *src->p : 0;
		if (b < low || b > high)
			return src->replacement;
		ch = ch << 6 | (b & 0x3Fu);
		src->p++;
		src->n--;
		low = 0x80;
		high = 0xBF;
	}
	return (int)map_char(src->map, ch, src->replacement);
}

static unsigned width_of(const zf_font *f, unsigned code)
{
	if (code < f->first_char || code > f->last_char)
		return 0;
	return f->proportional ? byte_at(f->widths, code - f->first_char) : f->fixed_width;
}

/* Moves the pen over code's glyph; returns its width, 0 when the code is
 * skipped. */
static unsigned advance(pen *at, const zf_font *f, unsigned code, const zf_style *s)
{
	unsigned scale = s->scale ? s->scale : 1, width = width_of(f, code);
	if (width == 0)
		return 0;
	if (at->drawn && s->spacing != 0)
		at->x = add_scaled(at->x, s->spacing, scale);
	at->drawn = true;
	at->cell = at->x;
	at->x = add_scaled(at->x, (int)width, scale);
	return width;
}

/* The glyph whose rows start at rows, in the cell the pen just passed, cut
 * to the clip rectangle. At scale 1 into rows, each canvas byte the glyph
 * covers gets the glyph bits that fall on it, shifted out of one or two
 * glyph bytes, the rows of one canvas byte column at a time; the clip
 * rectangle's edges are the first and last byte's masks, and opaque
 * drawing of a whole byte stores it without reading the canvas. Any other
 * way goes a pixel at a time, each font pixel repeated scale times across
 * and down by counting. */
static SEPARATE void draw(const job *j, const uint8_t *rows, unsigned row_bytes)
{
	const zf_canvas *cv = j->cv;
	const zf_style *s = j->s;
	unsigned scale = s->scale ? s->scale : 1, row_phase = 0, inverse = s->inverse ? 0xFFu : 0u;
	int x0 = larger(j->at.cell, cv->clip_x0), x1 = smaller(j->at.x, cv->clip_x1), x, y;
	int y0 = larger(j->y, cv->clip_y0);
	/* Font columns and rows from the cell's corner, then canvas pixels. */
	unsigned across = (unsigned)x0 - (unsigned)j->at.cell, down = (unsigned)y0 - (unsigned)j->y;
	if (x0 >= x1)
		return;
	if (scale != 1) {
		row_phase = down % scale;
		down /= scale;
	}
	rows += down * row_bytes;
	if (scale == 1 && !cv->pixel && cv->layout == ZF_ROWS) {
		/* The glyph column, plus 8, at the left edge of the first canvas
		 * byte: its bits come from glyph bytes index - 1 and index. */
		unsigned at = across + 8u - ((unsigned)x0 & 7u), shift = at & 7u, index = at >> 3;
		unsigned mask = 0xFFu >> ((unsigned)x0 & 7u), k = (unsigned)x0 >> 3, last = (unsigned)(x1 - 1) >> 3;
		/* Copies the canvas's stores cannot change. */
		size_t stride = cv->stride;
		int height = j->y1 - y0, n;
		bool opaque = s->opaque;
		for (; k <= last; k++, index++, mask = 0xFFu) {
			uint8_t *p = cv->bits + (size_t)y0 * stride + k;
			const uint8_t *g = rows;
			if (k == last)
				mask &= 0xFF00u >> (((unsigned)(x1 - 1) & 7u) + 1u);
			if (opaque && mask == 0xFFu && !shift) {
				/* A whole glyph byte on a whole canvas byte. */
				for (g += index - 1u, n = height; n > 0; n--, p += stride, g += row_bytes)
					*p = (uint8_t)(byte_at(g, 0) ^ inverse);
				continue;
			}
			for (n = height; n > 0; n--, p += stride, g += row_bytes) {
				unsigned b = index ? byte_at(g, index - 1u) << 8 : 0u, touched;
				if (shift && index < row_bytes)
					b |= byte_at(g, index);
				b = (b >> (8u - shift) & 0xFFu) ^ inverse;
				touched = opaque ? mask : mask & (b ^ inverse);
				*p = (uint8_t)((*p & ~touched) | (b & touched));
			}
		}
		return;
	}
	for (y = y0; y < j->y1; y++) {
		unsigned column = across / scale, phase = across % scale;
		for (x = x0; x < x1; x++) {
			unsigned ink = byte_at(rows, column >> 3) << (column & 7u) & 0x80u;
			if (ink || s->opaque) {
				bool set = (ink ? 0xFFu : 0u) != inverse;
				if (cv->pixel) {
					cv->pixel(cv->ctx, x, y, set);
				} else {
					uint8_t *p, bit;
					if (cv->layout == ZF_ROWS) {
						p = cv->bits + (size_t)y * cv->stride + ((unsigned)x >> 3);
						bit = (uint8_t)(0x80u >> ((unsigned)x & 7u));
					} else {
						p = cv->bits + ((unsigned)y >> 3) * cv->stride + (unsigned)x;
						bit = (uint8_t)(1u << ((unsigned)y & 7u));
					}
					*p = (uint8_t)(set ? *p | bit : *p & ~bit);
				}
			}
			if (++phase == scale) {
				phase = 0;
				column++;
			}
		}
		if (++row_phase == scale) {
			row_phase = 0;
			rows += row_bytes;
		}
	}
}

/* The codes of j, measured, and drawn when j has a canvas. The rows drawn
 * are the same for every glyph, so their end is clipped once; their start,
 * one comparison, is worked out again where it is needed rather than kept. */
static SEPARATE int print(job *j, int x, int y)
{
	int code;
	if (!j->s)
		j->s = &plain;
	j->at.x = x;
	j->at.drawn = false;
	if (j->cv) {
		j->y = y;
		j->y1 = smaller(add_scaled(y, j->f->height, j->s->scale ? j->s->scale : 1), j->cv->clip_y1);
	}
	while ((code = next_code(j)) >= 0) {
		const unsigned width = advance(&j->at, j->f, (unsigned)code, j->s);
		if (width != 0 && j->cv && larger(y, j->cv->clip_y0) < j->y1)
			draw(j, glyph_rows(j->f, (unsigned)code), row_bytes(width));
	}
	return j->at.x;
}

/* Every field but those print sets, and the map and replacement of codes
 * that are not UTF-8, which are never read. */
int zf_draw(zf_canvas *cv, const zf_font *f, int x, int y, const uint8_t *codes, size_t n, const zf_style *s)
{
	job j;
	j.p = codes;
	j.n = n;
	j.cv = cv;
	j.f = f;
	j.s = s;
	j.utf8 = false;
	return print(&j, x, y);
}

int zf_width(const zf_font *f, const uint8_t *codes, size_t n, const zf_style *s)
{
	return zf_draw(NULL, f, 0, 0, codes, n, s);
}

int zf_draw_utf8(zf_canvas *cv, const zf_font *f, const zf_charmap *m, int x, int y, const char *utf8, size_t len,
                 uint8_t replacement, const zf_style *s)
{
	job j;
	j.p = (const uint8_t *)utf8;
	j.n = len;
	j.map = m;
	j.cv = cv;
	j.f = f;
	j.s = s;
	j.utf8 = true;
	j.replacement = replacement;
	return print(&j, x, y);
}

int zf_width_utf8(const zf_font *f, const zf_charmap *m, const char *utf8, size_t len, uint8_t replacement,
                  const zf_style *s)
{
	return zf_draw_utf8(NULL, f, m, 0, 0, utf8, len, replacement, s);
}

size_t zf_encode(const zf_charmap *m, const char *utf8, size_t len, uint8_t *codes, size_t capacity,
                 uint8_t replacement)
{
	job src;
	size_t count = 0;
	int code;
	src.p = (const uint8_t *)utf8;
	src.n = len;
	src.map = m;
	src.utf8 = true;
	src.replacement = replacement;
	while (count < capacity && (code = next_code(&src)) >= 0)
		codes[count++] = (uint8_t)code;
	return count;
}

static bool is_break(uint8_t code)
{
	return code == ' ' || code == '\n';
}

size_t zf_wrap(const zf_font *f, const uint8_t *codes, size_t n, int max_width, const zf_style *s, size_t *next)
{
	pen line = {0, 0, false}, word, alone;
	size_t end = 0, i = 0, spaces, k;
	if (!s)
		s = &plain;
	for (;;) {
		for (spaces = i; spaces < n && codes[spaces] == ' '; spaces++)
			;
		if (spaces == n || codes[spaces] == '\n') {
			i = spaces + (spaces < n);
			break;
		}
		/* The word measured from the line's start, and on its own; cut
		 * before its first glyph past max_width but the first. */
		size_t cut = 0;
		word = line;
		alone.x = 0;
		alone.drawn = false;
		for (k = i; k < n && (k < spaces || !is_break(codes[k])); k++) {
			advance(&word, f, codes[k], s);
			if (k >= spaces)
				advance(&alone, f, codes[k], s);
			if (!cut && k > spaces && word.x > max_width)
				cut = k;
		}
		if (word.x <= max_width) {
			line = word;
			end = i = k;
			continue;
		}
		/* A word wider than a line on its own is cut; any other starts
		 * the next line. */
		i = spaces;
		if (end == 0 && alone.x > max_width)
			end = i = cut ? cut : spaces + 1;
		break;
	}
	if (next)
		*next = i;
	return end;
}

// draw_fonts FILE: opens FILE as a container with the device library and,
// when it takes it, draws every code of every font into small clipped
// canvases of both layouts and through a callback, at several scales and
// spacings, then wraps and encodes the file's last bytes as text. Any pixel
// outside the clip, or a byte outside a canvas, aborts. Built by AFL++ and
// run without FILE, it takes many inputs in one process.
#include "zirkfont.h"

#include <array>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <span>
#include <vector>

#include <unistd.h>

namespace {

// The canvases: 37 by 21 pixels, clipped to 3..33 by 2..18 so that glyphs are
// cut on every side; the callback checks the clip itself.
constexpr int WIDTH = 37, HEIGHT = 21;
constexpr int CLIP_X = 3, CLIP_Y = 2, CLIP_W = 30, CLIP_H = 16;

void check_pixel(void *ctx, int x, int y, bool set)
{
	if (x < CLIP_X || x >= CLIP_X + CLIP_W || y < CLIP_Y || y >= CLIP_Y + CLIP_H)
		std::abort();
	*static_cast<unsigned *>(ctx) += set ? 1U : 0U;
}

// Bytes a canvas outside the clip must keep.
void check_outside_clip(const std::vector<std::uint8_t> &bits, zf_layout layout, std::size_t stride)
{
	for (int y = 0; y < HEIGHT; y++)
		for (int x = 0; x < WIDTH; x++) {
			if (x >= CLIP_X && x < CLIP_X + CLIP_W && y >= CLIP_Y && y < CLIP_Y + CLIP_H)
				continue;
			const auto ux = static_cast<std::size_t>(x);
			const auto uy = static_cast<std::size_t>(y);
			const unsigned bit = layout == ZF_ROWS ? (bits[uy * stride + ux / 8] >> (7 - ux % 8)) & 1U
			                                       : (bits[uy / 8 * stride + ux] >> (uy % 8)) & 1U;
			if (bit != 1)
				std::abort();
		}
}

// Every code, then the text, into a canvas of bits that are all set outside
// the clip and must stay so.
void draw_into_bits(zf_layout layout, const zf_font &font, int x, const zf_style &style,
                    std::span<const std::uint8_t> every, std::span<const std::uint8_t> text)
{
	const std::size_t stride = layout == ZF_ROWS ? (WIDTH + 7) / 8 : WIDTH;
	std::vector<std::uint8_t> bits(stride * (layout == ZF_ROWS ? HEIGHT : (HEIGHT + 7) / 8), 0xff);
	zf_canvas cv;
	zf_canvas_init(&cv, bits.data(), WIDTH, HEIGHT, stride, layout);
	zf_canvas_clip(&cv, CLIP_X, CLIP_Y, CLIP_W, CLIP_H);
	(void)zf_draw(&cv, &font, x, -1, every.data(), every.size(), &style);
	(void)zf_draw(&cv, &font, x, 4, text.data(), text.size(), &style);
	check_outside_clip(bits, layout, stride);
}

void draw_font(const zf_font &font, const std::uint8_t *text, std::size_t text_size)
{
	std::array<std::uint8_t, 256> every{};
	for (std::size_t i = 0; i < every.size(); i++)
		every[i] = static_cast<std::uint8_t>(i);
	static const zf_style styles[] = {{1, 0, false, false},
	                                  {0, -3, true, false},
	                                  {2, 1, true, true},
	                                  {5, 2, false, true},
	                                  {3, -200, true, false}};
	for (const zf_style &style : styles)
		for (const int x : {-20, 0, 5}) {
			for (const zf_layout layout : {ZF_ROWS, ZF_PAGES})
				draw_into_bits(layout, font, x, style, {every.data(), every.size()}, {text, text_size});
			unsigned set = 0;
			zf_canvas cv;
			zf_canvas_callback(&cv, WIDTH, HEIGHT, check_pixel, &set);
			zf_canvas_clip(&cv, -5, -5, 1000, 1000);
			zf_canvas_clip(&cv, CLIP_X, CLIP_Y, CLIP_W, CLIP_H);
			(void)zf_draw(&cv, &font, x, 3, every.data(), every.size(), &style);
			// Ends of int, where a position plus a width overflows.
			(void)zf_draw(&cv, &font, INT_MAX - 30 + x, INT_MIN + 3, every.data(), every.size(), &style);
			(void)zf_draw(&cv, &font, INT_MIN + 20 + x, INT_MAX - 3, text, text_size, &style);
			(void)zf_width(&font, every.data(), every.size(), &style);
			(void)zf_draw_utf8(&cv, &font, nullptr, x, 0, reinterpret_cast<const char *>(text), text_size,
			                   '?', &style);
		}
	// Every glyph's rows, read to their last byte, where the sanitizer sees
	// them.
	volatile unsigned sum = 0;
	for (unsigned code = 0; code < 260; code++) {
		zf_glyph g;
		if (zf_glyph_at(&font, code, &g) && g.height > 0 && g.row_bytes > 0)
			sum = sum + g.rows[0] + g.rows[g.height * g.row_bytes - 1];
	}
	for (const int max : {-1, 0, 7, 40, 300}) {
		std::size_t next = 0;
		for (std::size_t at = 0; at < text_size; at += next) {
			(void)zf_wrap(&font, text + at, text_size - at, max, nullptr, &next);
			if (next == 0 || next > text_size - at)
				std::abort();
		}
	}
	(void)zf_width_utf8(&font, nullptr, reinterpret_cast<const char *>(text), text_size, 0, &styles[2]);
}

void exercise(const std::uint8_t *data, std::size_t size)
{
	// The last 48 bytes, as codes and as UTF-8.
	const std::size_t tail = size < 48 ? size : 48;
	const std::uint8_t *text = data + size - tail;
	std::array<std::uint8_t, 64> codes{};
	const std::uint32_t chars[] = {'\n', 'A', 0xe9, 0x20ac, 0x1f600};
	const std::uint8_t mapped[] = {1, 2, 3, 4, 5};
	const zf_charmap map{chars, mapped, 5};
	if (zf_encode(&map, reinterpret_cast<const char *>(text), tail, codes.data(), codes.size(), 0) > codes.size() ||
	    zf_encode(nullptr, reinterpret_cast<const char *>(text), tail, codes.data(), 7, 0) > 7)
		std::abort();

	zf_container container;
	std::size_t fault_at = 0;
	const zf_error error = zf_open(&container, data, size, &fault_at);
	if (zf_error_text(error) == nullptr)
		std::abort();
	if (error != ZF_OK) {
		if (fault_at > size)
			std::abort();
		return;
	}
	zf_font font;
	for (unsigned i = 0; zf_font_at(&container, i, &font); i++)
		draw_font(font, text, tail);
	if (zf_font_at(&container, 0, &font))
		(void)zf_font_named(&container, font.name, &font);
	(void)zf_font_named(&container, "\x7f none", &font);
}

}  // namespace

#ifdef __AFL_FUZZ_TESTCASE_LEN
// afl-clang-fast's macros are written in GNU C.
#pragma clang diagnostic ignored "-Wgnu-statement-expression"
#pragma clang diagnostic ignored "-Wshorten-64-to-32"
__AFL_FUZZ_INIT();
#endif

int main(int argc, char **argv)
{
#ifdef __AFL_FUZZ_TESTCASE_LEN
	// Under afl-fuzz, without a file: many inputs in one process.
	if (argc == 1) {
		__AFL_INIT();
		const unsigned char *buffer = __AFL_FUZZ_TESTCASE_BUF;
		while (__AFL_LOOP(10000)) {
			// A copy of exactly the input's size, so that the sanitizer
			// sees a read past its end.
			const std::size_t size = __AFL_FUZZ_TESTCASE_LEN;
			const std::vector<std::uint8_t> input(buffer, buffer + size);
			exercise(input.data(), input.size());
		}
		return 0;
	}
#endif
	if (argc != 2) {
		static_cast<void>(std::fputs("usage: draw_fonts FILE\n", stderr));
		return 2;
	}
	std::ifstream in(argv[1], std::ios::binary);
	if (!in)
		return 1;
	const std::vector<std::uint8_t> input{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
	exercise(input.data(), input.size());
	return 0;
}

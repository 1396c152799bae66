// zirkfont's drawing speed on the host: a 648 by 480 one-bit canvas (rows,
// most significant bit leftmost) filled with 30 lines of 80 glyphs, in
// glyph pixels a second, for a fixed 8x16 font at byte-aligned and
// unaligned positions and for a proportional font 3 to 12 pixels wide.
// Each is set against its limit: the plainest loop that copies the same
// glyph rows to the same places, as an opaque drawing replaces them. See
// bench/README.md; bench/zirkfont_speed runs it and prints the ratios.
#include "zirkfile.h"
#include "zirkfont.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

constexpr int WIDTH = 648, HEIGHT = 480, STRIDE = WIDTH / 8, LINES = 30, GLYPHS = 80, ROWS = 16;
constexpr unsigned FIRST = 32, LAST = 126;

std::vector<unsigned char> font_container(bool proportional)
{
	// NOLINTNEXTLINE(cert-msc32-c,cert-msc51-cpp): the same font every run
	std::mt19937 rng(8);
	font_record font;
	font.header.spacing = proportional ? PROPORTIONAL : 0;
	font.header.fixed_width = 8;
	font.header.height = ROWS;
	font.header.first_char = FIRST;
	font.header.last_char = LAST;
	if (proportional)
		for (unsigned c = FIRST; c <= LAST; c++)
			font.widths.push_back(static_cast<unsigned char>(3 + rng() % 10));
	font.bitmap.resize(geometry_length(font));
	for (unsigned char &b : font.bitmap)
		b = static_cast<unsigned char>(rng());
	font.header.bitmap_size = static_cast<std::uint16_t>(font.bitmap.size());
	return container_bytes({{font}, {}});
}

struct workload {
	std::vector<unsigned char> file;
	zf_font font{};
	std::vector<std::uint8_t> text;
	std::vector<std::uint8_t> canvas;
	long pixels = 0;  // glyph pixels of one canvas full

	explicit workload(bool proportional)
	    : file(font_container(proportional)), canvas(static_cast<std::size_t>(STRIDE) * HEIGHT)
	{
		zf_container c;
		if (zf_open(&c, file.data(), file.size(), nullptr) != ZF_OK || !zf_font_at(&c, 0, &font))
			throw std::runtime_error("the benchmark's font does not open");
		for (unsigned i = 0; i < GLYPHS; i++)
			text.push_back(static_cast<std::uint8_t>(FIRST + (i * 7) % (LAST - FIRST + 1)));
		for (const std::uint8_t code : text) {
			zf_glyph g;
			zf_glyph_at(&font, code, &g);
			pixels += static_cast<long>(g.width * g.height);
		}
		pixels *= LINES;
	}
};

void report(benchmark::State &state, const workload &w)
{
	state.counters["pixels"] =
		benchmark::Counter(static_cast<double>(w.pixels), benchmark::Counter::kIsIterationInvariantRate);
}

void draw_with_zirkfont(benchmark::State &state, bool proportional, int x, bool opaque)
{
	workload w(proportional);
	const zf_style style{1, 0, opaque, false};
	zf_canvas cv;
	zf_canvas_init(&cv, w.canvas.data(), WIDTH, HEIGHT, STRIDE, ZF_ROWS);
	while (state.KeepRunning())
		for (int line = 0; line < LINES; line++)
			benchmark::DoNotOptimize(
				zf_draw(&cv, &w.font, x, line * ROWS, w.text.data(), w.text.size(), &style));
	report(state, w);
}

// The limit for a fixed font at a byte boundary: one byte stored a row.
void copy_aligned_rows(benchmark::State &state)
{
	workload w(false);
	std::uint8_t *canvas = w.canvas.data();
	benchmark::DoNotOptimize(w.canvas.data());
	while (state.KeepRunning()) {
		for (int line = 0; line < LINES; line++)
			for (int i = 0; i < GLYPHS; i++) {
				const std::size_t glyph = w.text[static_cast<std::size_t>(i)] - FIRST;
				const std::uint8_t *rows = w.font.bitmap + glyph * std::size_t{ROWS};
				for (int r = 0; r < ROWS; r++)
					canvas[(line * ROWS + r) * STRIDE + i] = rows[r];
			}
		benchmark::ClobberMemory();
	}
	report(state, w);
}

// The limit anywhere else: each row's bytes shifted into place, the pixels
// outside the glyph kept.
void copy_shifted_rows(benchmark::State &state, bool proportional, int x0)
{
	workload w(proportional);
	std::vector<const std::uint8_t *> glyph(LAST + 1);
	std::vector<unsigned> width(LAST + 1);
	const std::uint8_t *at = w.font.bitmap;
	for (unsigned c = FIRST; c <= LAST; c++) {
		glyph[c] = at;
		width[c] = proportional ? w.font.widths[c - FIRST] : 8;
		at += std::size_t{(width[c] + 7) / 8} * std::size_t{ROWS};
	}
	std::uint8_t *canvas = w.canvas.data();
	benchmark::DoNotOptimize(w.canvas.data());
	while (state.KeepRunning()) {
		for (int line = 0; line < LINES; line++) {
			unsigned x = static_cast<unsigned>(x0);
			for (const std::uint8_t code : w.text) {
				const unsigned row_bytes = (width[code] + 7) / 8;
				const unsigned shift = x % 8;
				const std::uint8_t *rows = glyph[code];
				for (int r = 0; r < ROWS; r++, rows += row_bytes) {
					const int y = line * ROWS + r;
					std::uint8_t *out = canvas + static_cast<std::ptrdiff_t>(y) * STRIDE + x / 8;
					for (unsigned b = 0, left = width[code]; b < row_bytes; b++, left -= 8) {
						const unsigned keep = left >= 8 ? 0xffU : 0xff00U >> left & 0xffU;
						const unsigned bits = (rows[b] & keep) << 8 >> shift;
						const unsigned mask = keep << 8 >> shift;
						out[b] = static_cast<std::uint8_t>((out[b] & ~(mask >> 8)) | bits >> 8);
						out[b + 1] = static_cast<std::uint8_t>((out[b + 1] & ~mask) |
						                                       (bits & 0xffU));
					}
				}
				x += width[code];
			}
		}
		benchmark::ClobberMemory();
	}
	report(state, w);
}

}  // namespace

BENCHMARK_CAPTURE(draw_with_zirkfont, fixed_aligned, false, 0, true);
BENCHMARK(copy_aligned_rows)->Name("copy/fixed_aligned");
BENCHMARK_CAPTURE(draw_with_zirkfont, fixed_unaligned, false, 3, true);
BENCHMARK_CAPTURE(copy_shifted_rows, fixed_unaligned, false, 3)->Name("copy/fixed_unaligned");
BENCHMARK_CAPTURE(draw_with_zirkfont, proportional, true, 0, true);
BENCHMARK_CAPTURE(copy_shifted_rows, proportional, true, 0)->Name("copy/proportional");
BENCHMARK_CAPTURE(draw_with_zirkfont, fixed_aligned_transparent, false, 0, false);

BENCHMARK_MAIN();

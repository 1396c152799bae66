#include "png_output.h"

#include "../toolkit/messages.h"
#include "../toolkit/output.h"

#include <png.h>

#include <string>

// libpng's faults end the run here; nothing of what it had begun is left to
// clean up, since the process ends.
[[noreturn]] static void png_fault(png_structp /*png*/, png_const_charp message)
{
	std::string what = "cannot write the PNG image: ";
	fatal(what.append(message));
}

// libpng warns about settings it then ignores, which would be a picture
// other than the one asked for.
static void png_warning(png_structp png, png_const_charp message)
{
	png_fault(png, message);
}

static void write_bytes(png_structp /*png*/, png_bytep bytes, std::size_t size)
{
	write_stdout(bytes, size);
}

// finish_stdout flushes, once, at the end.
static void flush_bytes(png_structp /*png*/) {}

// Two pixels a byte, the left one in the high half.
static void pack(const std::vector<unsigned char> &pixels, std::vector<unsigned char> &packed)
{
	const std::size_t pairs = pixels.size() / 2;
	for (std::size_t i = 0; i < pairs; i++)
		packed[i] = static_cast<unsigned char>(pixels[2 * i] << 4 | pixels[2 * i + 1]);
	if (pixels.size() % 2 != 0)
		packed[pairs] = static_cast<unsigned char>(pixels.back() << 4);
}

void write_png(std::uint32_t width, std::uint32_t height, const row_source &rows)
{
	png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, png_fault, png_warning);
	png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
	if (info == nullptr)
		png_fault(png, "out of memory");
	png_set_write_fn(png, nullptr, write_bytes, flush_bytes);
	png_set_IHDR(png, info, width, height, 4, PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE,
	             PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
	std::array<png_color, COLOURS> palette{};
	for (std::size_t i = 0; i < COLOURS; i++)
		palette[i] = {PALETTE[i].red, PALETTE[i].green, PALETTE[i].blue};
	png_set_PLTE(png, info, palette.data(), COLOURS);
	// A sheet is long runs of a few colours, often repeated row after row:
	// deflate's fastest level finds them, and filters would only cost time.
	png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
	png_set_compression_level(png, 1);
	png_write_info(png, info);

	std::vector<unsigned char> pixels(width);
	std::vector<unsigned char> packed((std::size_t{width} + 1) / 2);
	for (std::uint32_t y = 0; y < height; y++) {
		rows(y, pixels);
		pack(pixels, packed);
		png_write_row(png, packed.data());
	}
	png_write_end(png, nullptr);
	png_destroy_write_struct(&png, &info);
}

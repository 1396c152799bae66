// Reading the font file whole, and inflating it when it is gzip'd: FreeType
// reads a gzip'd PCF itself, but not a gzip'd BDF, and the PSF reader reads
// neither, so every kind is inflated here, once.
#include "import.h"

#include "../toolkit/input.h"
#include "../toolkit/messages.h"

#include <zlib.h>

#include <array>
#include <string>

namespace {

// Far above any font file (all of Unifont as BDF is under 20 MB), low
// enough that a small file claiming a huge content cannot exhaust memory.
constexpr std::size_t MAX_FONT_BYTES = std::size_t{256} << 20;

std::vector<unsigned char> read_whole(const std::string &path)
{
	const input_file in(path);
	std::vector<unsigned char> bytes;
	std::array<unsigned char, 65536> chunk{};
	for (;;) {
		const std::size_t n = in.read(chunk.data(), chunk.size());
		bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(n));
		if (bytes.size() > MAX_FONT_BYTES)
			file_fatal(path, "larger than 256 MiB, too large for a font");
		if (n < chunk.size())
			return bytes;
	}
}

bool is_gzip(const std::vector<unsigned char> &bytes)
{
	return bytes.size() >= 2 && bytes[0] == 0x1f && bytes[1] == 0x8b;
}

struct inflater {
	z_stream stream{};
	~inflater() { inflateEnd(&stream); }
	inflater() = default;
	inflater(const inflater &) = delete;
	inflater &operator=(const inflater &) = delete;
};

std::vector<unsigned char> inflate_gzip(const std::string &path, std::vector<unsigned char> &packed)
{
	inflater z;
	// 16 + MAX_WBITS: a gzip header and trailer, checked.
	if (inflateInit2(&z.stream, 16 + MAX_WBITS) != Z_OK)
		file_fatal(path, "cannot start zlib");
	z.stream.next_in = packed.data();
	z.stream.avail_in = static_cast<uInt>(packed.size());
	std::vector<unsigned char> out;
	std::array<unsigned char, 65536> chunk{};
	int status = Z_OK;
	while (status != Z_STREAM_END) {
		z.stream.next_out = chunk.data();
		z.stream.avail_out = static_cast<uInt>(chunk.size());
		status = inflate(&z.stream, Z_NO_FLUSH);
		if (status != Z_OK && status != Z_STREAM_END && status != Z_BUF_ERROR)
			file_fatal(path, "damaged gzip data");
		const std::size_t n = chunk.size() - z.stream.avail_out;
		if (status == Z_BUF_ERROR && n == 0)
			file_fatal(path, "gzip data is truncated");
		out.insert(out.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(n));
		if (out.size() > MAX_FONT_BYTES)
			file_fatal(path, "inflates to more than 256 MiB, too large for a font");
	}
	if (z.stream.avail_in != 0)
		file_fatal(path, "bytes after the end of the gzip data");
	return out;
}

}  // namespace

std::vector<unsigned char> read_font_file(const std::string &path)
{
	std::vector<unsigned char> bytes = read_whole(path);
	if (bytes.empty())
		file_fatal(path, "empty file");
	if (is_gzip(bytes))
		bytes = inflate_gzip(path, bytes);
	return bytes;
}

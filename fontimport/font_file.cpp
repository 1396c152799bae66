// Reading the font file whole, and inflating it when it is gzip'd: FreeType
// reads a gzip'd PCF itself, but not a gzip'd BDF, and the PSF reader reads
// neither, so every kind is inflated here, once, as it is read.
#include "import.h"

#include "../toolkit/input.h"
#include "../toolkit/messages.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <span>
#include <string>
#include <utility>

namespace {

// Far above any font file (all of Unifont as BDF is under 20 MB), low
// enough that a small file claiming a huge content cannot exhaust memory.
constexpr std::size_t MAX_FONT_BYTES = std::size_t{256} << 20;
constexpr std::size_t CHUNK = std::size_t{1} << 20;

// The bytes in pieces of at most CHUNK as they come, so that growing never
// holds an old copy beside a new one; joined once their length is known,
// each piece let go as soon as it is copied. Peak: the whole and one piece.
class pieces {
public:
	explicit pieces(std::string path, const char *too_large) : path_(std::move(path)), too_large_(too_large) {}

	// Room for at least one byte at the end.
	std::span<unsigned char> room()
	{
		if (parts_.empty() || parts_.back().size() == CHUNK) {
			parts_.emplace_back();
			parts_.back().reserve(CHUNK);
		}
		std::vector<unsigned char> &last = parts_.back();
		const std::size_t used = last.size();
		last.resize(CHUNK);
		return {last.data() + used, CHUNK - used};
	}
	// n bytes of the last room() were filled.
	void took(std::span<unsigned char> at, std::size_t n)
	{
		parts_.back().resize(static_cast<std::size_t>(at.data() - parts_.back().data()) + n);
		size_ += n;
		if (size_ > MAX_FONT_BYTES)
			file_fatal(path_, too_large_);
	}
	std::size_t size() const { return size_; }

	std::vector<unsigned char> joined()
	{
		std::vector<unsigned char> all;
		all.reserve(size_);
		for (std::vector<unsigned char> &part : parts_) {
			all.insert(all.end(), part.begin(), part.end());
			std::vector<unsigned char>().swap(part);
		}
		return all;
	}

private:
	std::string path_;
	const char *too_large_;
	std::vector<std::vector<unsigned char>> parts_;
	std::size_t size_ = 0;
};

struct inflater {
	z_stream stream{};
	~inflater() { inflateEnd(&stream); }
	inflater() = default;
	inflater(const inflater &) = delete;
	inflater &operator=(const inflater &) = delete;
};

bool is_gzip(const unsigned char *bytes, std::size_t size)
{
	return size >= 2 && bytes[0] == 0x1f && bytes[1] == 0x8b;
}

// Every member of a gzip stream, one after another as zcat reads them,
// inflated as in is read; first_bytes were read from it already.
std::vector<unsigned char> inflate_all(const input_file &in, std::span<const unsigned char> first_bytes)
{
	const std::string &path = in.path();
	inflater z;
	// 16 + MAX_WBITS: a gzip header and trailer, checked.
	if (inflateInit2(&z.stream, 16 + MAX_WBITS) != Z_OK)
		file_fatal(path, "cannot start zlib");
	std::array<unsigned char, 65536> packed{};
	std::size_t packed_size = first_bytes.size();
	std::copy(first_bytes.begin(), first_bytes.end(), packed.begin());
	z.stream.next_in = packed.data();
	z.stream.avail_in = static_cast<uInt>(packed_size);
	const auto refill = [&] {
		if (z.stream.avail_in > 0)
			return true;
		const std::size_t n = in.read(packed.data(), packed.size());
		packed_size += n;
		if (packed_size > MAX_FONT_BYTES)
			file_fatal(path, "larger than 256 MiB, too large for a font");
		z.stream.next_in = packed.data();
		z.stream.avail_in = static_cast<uInt>(n);
		return n > 0;
	};
	pieces out(path, "inflates to more than 256 MiB, too large for a font");
	for (;;) {
		const std::span<unsigned char> room = out.room();
		z.stream.next_out = room.data();
		z.stream.avail_out = static_cast<uInt>(room.size());
		const int status = inflate(&z.stream, Z_NO_FLUSH);
		out.took(room, room.size() - z.stream.avail_out);
		if (status == Z_STREAM_END) {
			// Another member may follow, and nothing else may.
			if (!refill())
				return out.joined();
			if (z.stream.next_in[0] != 0x1f || (z.stream.avail_in > 1 && z.stream.next_in[1] != 0x8b))
				file_fatal(path, "bytes after the end of the gzip data");
			inflateReset(&z.stream);
		} else if (status != Z_OK && status != Z_BUF_ERROR) {
			file_fatal(path, "damaged gzip data");
		} else if (z.stream.avail_out != 0 && !refill()) {
			// Stopped for want of input, and there is no more.
			file_fatal(path, "gzip data is truncated");
		}
	}
}

}  // namespace

std::vector<unsigned char> read_font_file(const std::string &path)
{
	const input_file in(path);
	std::array<unsigned char, 2> start{};
	const std::size_t started = in.read(start.data(), start.size());
	if (started == 0)
		file_fatal(path, "empty file");
	if (is_gzip(start.data(), started))
		return inflate_all(in, std::span(start.data(), started));
	pieces bytes(path, "larger than 256 MiB, too large for a font");
	std::span<unsigned char> room = bytes.room();
	std::copy(start.begin(), start.begin() + static_cast<std::ptrdiff_t>(started), room.begin());
	bytes.took(room, started);
	for (;;) {
		room = bytes.room();
		const std::size_t n = in.read(room.data(), room.size());
		bytes.took(room, n);
		if (n == 0)
			return bytes.joined();
	}
}

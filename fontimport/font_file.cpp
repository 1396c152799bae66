// Reading the font file whole, and inflating it when it is gzip'd: FreeType
// reads a gzip'd PCF itself, but not a gzip'd BDF, and the PSF reader reads
// neither, so every kind is inflated here, once, as it is read.
#include "import.h"

#include "../toolkit/input.h"
#include "../toolkit/messages.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <memory>
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
// A piece is never cleared before it is filled: inflate asks for room once
// per call, and a gzip stream of many empty members calls it once per member.
class pieces {
public:
	explicit pieces(std::string path, const char *too_large) : path_(std::move(path)), too_large_(too_large) {}

	// Room for at least one byte at the end.
	std::span<unsigned char> room()
	{
		if (parts_.empty() || parts_.back().used == CHUNK)
			parts_.push_back({std::make_unique_for_overwrite<unsigned char[]>(CHUNK), 0});
		piece &last = parts_.back();
		return {last.bytes.get() + last.used, CHUNK - last.used};
	}
	// The first n bytes of the last room() were filled.
	void took(std::size_t n)
	{
		parts_.back().used += n;
		size_ += n;
		if (size_ > MAX_FONT_BYTES)
			file_fatal(path_, too_large_);
	}
	std::size_t size() const { return size_; }

	std::vector<unsigned char> joined()
	{
		std::vector<unsigned char> all;
		all.reserve(size_);
		for (piece &part : parts_) {
			all.insert(all.end(), part.bytes.get(), part.bytes.get() + part.used);
			part.bytes.reset();
		}
		return all;
	}

private:
	struct piece {
		std::unique_ptr<unsigned char[]> bytes;  // NOLINT(*-avoid-c-arrays): filled before it is read
		std::size_t used;
	};
	std::string path_;
	const char *too_large_;
	std::vector<piece> parts_;
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
		out.took(room.size() - z.stream.avail_out);
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
	bytes.took(started);
	for (;;) {
		room = bytes.room();
		const std::size_t n = in.read(room.data(), room.size());
		bytes.took(n);
		if (n == 0)
			return bytes.joined();
	}
}

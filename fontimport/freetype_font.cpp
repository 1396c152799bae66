// Every font file but PSF is read by FreeType: BDF, PCF, OTB, FNT/FON,
// TrueType and OpenType. Bitmap glyphs come out as the font has them,
// scalable ones rendered monochrome and hinted.
#include "import.h"

#include "../format/zirk_format.h"
#include "../toolkit/messages.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_MODULE_H

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>

namespace {

// Debian's FreeType is built without its error strings; the words are in
// its header, which gives them to whoever asks.
std::string words(FT_Error error)
{
#undef FTERRORS_H_
	// clang-format off
#define FT_ERRORDEF(e, v, s) case v: return s;
#define FT_ERROR_START_LIST switch (error) {
#define FT_ERROR_END_LIST }
	// clang-format on
#include FT_ERRORS_H
	return "FreeType error " + std::to_string(error);
}

// FreeType holds what it reads beside the file's bytes: a BDF, for one,
// as parsed glyphs about half its size. Its memory comes from a budget so
// that the whole run stays under MEMORY_BOUND, whatever the file holds;
// past it, reading stops and the message says why.
constexpr std::size_t MEMORY_BOUND = std::size_t{320} << 20;
// The program, its libraries and the glyphs taken.
constexpr std::size_t OTHER_MEMORY = std::size_t{32} << 20;

struct memory_budget {
	std::size_t left = 0;
	bool exceeded = false;
};
memory_budget budget;

// Each block begins with its size, so that freeing it gives the bytes back.
constexpr std::size_t HEADER = alignof(std::max_align_t);

void *budget_alloc(FT_Memory /*memory*/, long size)
{
	const auto n = static_cast<std::size_t>(size);
	if (n > budget.left) {
		budget.exceeded = true;
		return nullptr;
	}
	auto *block = static_cast<unsigned char *>(std::malloc(HEADER + n));
	if (block == nullptr)
		return nullptr;
	budget.left -= n;
	std::memcpy(block, &n, sizeof n);
	return block + HEADER;
}

void budget_free(FT_Memory /*memory*/, void *at)
{
	if (at == nullptr)
		return;
	unsigned char *block = static_cast<unsigned char *>(at) - HEADER;
	std::size_t n = 0;
	std::memcpy(&n, block, sizeof n);
	budget.left += n;
	std::free(block);
}

void *budget_realloc(FT_Memory memory, long /*old_size*/, long new_size, void *at)
{
	void *moved = budget_alloc(memory, new_size);
	if (moved == nullptr)
		return nullptr;
	if (at != nullptr) {
		std::size_t n = 0;
		std::memcpy(&n, static_cast<unsigned char *>(at) - HEADER, sizeof n);
		std::memcpy(moved, at, std::min(n, static_cast<std::size_t>(new_size)));
		budget_free(memory, at);
	}
	return moved;
}

FT_MemoryRec_ budget_memory{nullptr, budget_alloc, budget_free, budget_realloc};

// A fault FreeType reports: past the budget, that is the fault.
[[noreturn]] void freetype_fatal(const std::string &path, const std::string &what)
{
	if (budget.exceeded)
		file_fatal(path, "needs more memory to read than the 320 MiB font2zirk keeps to; reading stopped");
	file_fatal(path, what);
}

struct library_closer {
	void operator()(FT_Library library) const { FT_Done_Library(library); }
};
struct face_closer {
	void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using library_ptr = std::unique_ptr<FT_LibraryRec_, library_closer>;
using face_ptr = std::unique_ptr<FT_FaceRec_, face_closer>;

int pixel_size(const FT_Bitmap_Size &strike)
{
	return static_cast<int>((strike.y_ppem + 32) >> 6);
}

// The kinds FreeType reads, by the bytes they begin with: a file of one
// of them that FreeType cannot read is damaged, not of an unknown kind.
const char *kind_of(const std::vector<unsigned char> &bytes)
{
	struct signature {
		std::string_view start;
		const char *kind;
	};
	using namespace std::string_view_literals;
	static constexpr std::array<signature, 9> known{{
		{"STARTFONT"sv, "BDF"},
		{"\1fcp"sv, "PCF"},
		{"\0\1\0\0"sv, "TrueType or OpenType"},
		{"true"sv, "TrueType"},
		{"OTTO"sv, "OpenType"},
		{"ttcf"sv, "TrueType collection"},
		{"MZ"sv, "FON"},
		{"\0\2"sv, "FNT"},
		{"\0\3"sv, "FNT"},
	}};

	const std::string_view start(reinterpret_cast<const char *>(bytes.data()), bytes.size());
	for (const signature &s : known)
		if (start.starts_with(s.start))
			return s.kind;
	return nullptr;
}

face_ptr open_face(FT_Library library, const std::string &path, const std::vector<unsigned char> &bytes, FT_Long index)
{
	FT_Face face = nullptr;
	if (const FT_Error e =
	            FT_New_Memory_Face(library, bytes.data(), static_cast<FT_Long>(bytes.size()), index, &face)) {
		const char *kind = kind_of(bytes);
		if (bytes.size() >= MAGIC_SIZE && std::equal(FONT_MAGIC.begin(), FONT_MAGIC.end(), bytes.begin()))
			file_fatal(path, "a zirk container (zirk2txt reads it), not a font file");
		if (kind == nullptr)
			file_fatal(
				path,
				"not a font file font2zirk reads (BDF, PCF, OTB, FNT, FON, TrueType, OpenType or PSF)");
		freetype_fatal(path, std::string("damaged ") + kind + " font (FreeType: " + words(e) + ")");
	}
	return face_ptr(face);
}

// One bitmap size of the file: a FON holds each of its sizes as a face of
// its own, an OTB all of them in one face.
struct strike {
	FT_Long face;
	int index;
	int pixels;
};

std::vector<strike> strikes_of(FT_Library library, const std::string &path, const std::vector<unsigned char> &bytes,
                               FT_Face first)
{
	std::vector<strike> strikes;
	for (FT_Long f = 0; f < first->num_faces; f++) {
		const face_ptr other = f == 0 ? face_ptr() : open_face(library, path, bytes, f);
		const FT_Face face = f == 0 ? first : other.get();
		for (int i = 0; i < face->num_fixed_sizes; i++)
			strikes.push_back({f, i, pixel_size(face->available_sizes[i])});
	}
	return strikes;
}

std::string size_list(const std::vector<strike> &strikes)
{
	std::string list;
	for (const strike &s : strikes)
		list += (list.empty() ? "" : ", ") + std::to_string(s.pixels);
	return list;
}

strike choose_strike(const std::string &path, const std::vector<strike> &strikes, unsigned size)
{
	if (strikes.empty())
		file_fatal(path, "holds no bitmap size to take");
	if (size == 0 && strikes.size() > 1)
		file_fatal(path, "holds several sizes (" + size_list(strikes) + "); choose one with --size");
	if (size == 0)
		return strikes[0];
	for (const strike &s : strikes)
		if (s.pixels == static_cast<int>(size))
			return s;
	file_fatal(path, "has no size " + std::to_string(size) + "; its sizes: " + size_list(strikes));
}

// The top row's first byte: a negative pitch means the rows lie bottom up.
const unsigned char *top_row(const FT_Bitmap &bitmap)
{
	if (bitmap.pitch >= 0 || bitmap.rows == 0)
		return bitmap.buffer;
	return bitmap.buffer + static_cast<std::ptrdiff_t>(-bitmap.pitch) * (bitmap.rows - 1);
}

glyph_image take_glyph(const std::string &path, FT_GlyphSlot slot, unsigned code)
{
	const FT_Bitmap &bitmap = slot->bitmap;
	if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO && bitmap.pixel_mode != FT_PIXEL_MODE_GRAY)
		file_fatal(path, "the glyph of code " + std::to_string(code) + " is in colour, not black and white");
	glyph_image image;
	image.advance = static_cast<int>(slot->advance.x + 32) >> 6;
	image.advance = std::max(image.advance, 0);
	image.left = slot->bitmap_left;
	image.top = slot->bitmap_top;
	image.width = static_cast<int>(bitmap.width);
	image.rows = static_cast<int>(bitmap.rows);
	image.pixels.resize(std::size_t{bitmap.width} * bitmap.rows);
	const unsigned char *row = top_row(bitmap);
	// Rows are padded to the pitch (PCF to 4 bytes, TrueType to 2), so the
	// pixels are taken one by one.
	for (unsigned y = 0; y < bitmap.rows; y++, row += bitmap.pitch)
		for (unsigned x = 0; x < bitmap.width; x++) {
			const bool set = bitmap.pixel_mode == FT_PIXEL_MODE_MONO ? (row[x / 8] >> (7 - x % 8) & 1) != 0
			                                                         : row[x] >= 128;
			image.pixels[std::size_t{y} * bitmap.width + x] = set ? 1 : 0;
		}
	return image;
}

// Family and style, as the font names them; a style of regular weight
// says nothing worth the bytes of a 16-byte name.
std::string described_name(FT_Face face)
{
	std::string name = face->family_name != nullptr ? face->family_name : "";
	std::istringstream style(face->style_name != nullptr ? face->style_name : "");
	for (std::string word; style >> word;) {
		// As a word of its own, or run into the next ("MediumOblique").
		for (const std::string_view regular : {"Regular", "Medium", "Book", "Normal"})
			if (word.starts_with(regular))
				word.erase(0, regular.size());
		if (!word.empty())
			name += (name.empty() ? "" : " ") + word;
	}
	return name;
}

// The face's glyph for a code, 0 for none: by the code itself, or by the
// first of its characters the face has, noting which.
FT_UInt glyph_index(FT_Face face, imported_font &font, const code_map &charset, unsigned code)
{
	if (font.own_codes)
		return FT_Get_Char_Index(face, code);
	for (std::size_t i = 0; i < charset[code].size(); i++)
		if (is_control(charset[code][i]))
			continue;
		else if (const FT_UInt index = FT_Get_Char_Index(face, charset[code][i])) {
			font.found_by[code] = i;
			return index;
		}
	return 0;
}

}  // namespace

imported_font read_with_freetype(const std::string &path, const std::vector<unsigned char> &bytes, unsigned size,
                                 const code_map &charset)
{
	budget = {bytes.size() + OTHER_MEMORY < MEMORY_BOUND ? MEMORY_BOUND - OTHER_MEMORY - bytes.size() : 0, false};
	FT_Library raw_library = nullptr;
	if (const FT_Error e = FT_New_Library(&budget_memory, &raw_library))
		freetype_fatal(path, "cannot start FreeType: " + words(e));
	const library_ptr library(raw_library);
	FT_Add_Default_Modules(raw_library);
	face_ptr face = open_face(library.get(), path, bytes, 0);

	imported_font font;
	unsigned drawn = size;
	if (FT_IS_SCALABLE(face)) {
		if (size == 0)
			file_fatal(path, "a scalable font needs --size PX, the pixel size to draw it at");
		if (const FT_Error e = FT_Set_Pixel_Sizes(face.get(), 0, size))
			freetype_fatal(path, "cannot be drawn at size " + std::to_string(size) + ": " + words(e));
	} else {
		const std::vector<strike> strikes = strikes_of(library.get(), path, bytes, face.get());
		const strike chosen = choose_strike(path, strikes, size);
		font.smaller_size = std::any_of(strikes.begin(), strikes.end(),
		                                [&](const strike &s) { return s.pixels < chosen.pixels; });
		if (chosen.face != 0)
			face = open_face(library.get(), path, bytes, chosen.face);
		if (const FT_Error e = FT_Select_Size(face.get(), chosen.index))
			freetype_fatal(path,
			               "cannot select its size " + std::to_string(chosen.pixels) + ": " + words(e));
		drawn = static_cast<unsigned>(chosen.pixels);
	}
	font.smaller_size = font.smaller_size || (FT_IS_SCALABLE(face) && size > 1);
	font.described = described_name(face.get());
	font.size = drawn;
	const FT_Size_Metrics &metrics = face->size->metrics;
	font.ascent = static_cast<int>((metrics.ascender + 63) >> 6);
	font.descent = static_cast<int>((-metrics.descender + 63) >> 6);

	// OTB and TrueType fonts carry a Mac Roman map beside the Unicode one,
	// so Unicode is asked for by name; a font without it is taken by its
	// own codes, through whatever map it has.
	font.own_codes = FT_Select_Charmap(face.get(), FT_ENCODING_UNICODE) != 0;
	if (font.own_codes && face->charmap == nullptr) {
		if (face->num_charmaps <= 0)
			file_fatal(path, "has no character map");
		FT_Set_Charmap(face.get(), face->charmaps[0]);
	}
	const FT_Int32 load = FT_IS_SCALABLE(face) ? FT_LOAD_RENDER | FT_LOAD_TARGET_MONO : FT_LOAD_DEFAULT;
	for (unsigned code = 0; code < CODES; code++) {
		// Index 0 is the font's default glyph, never the code's own.
		const FT_UInt index = glyph_index(face.get(), font, charset, code);
		if (index == 0)
			continue;
		if (const FT_Error e = FT_Load_Glyph(face.get(), index, load))
			freetype_fatal(path, "cannot load the glyph of code " + std::to_string(code) + ": " + words(e));
		font.glyphs[code] = take_glyph(path, face->glyph, code);
	}
	return font;
}

// zirk2psf's command line: its help and its options.
#include "export.h"

namespace {

constexpr std::string_view HELP = R"(Usage: zirk2psf [OPTIONS] [FILE] > FONT.psf
Write one font of the zirk container FILE as a PSF2 console font of 256
glyphs, glyph N for code N, with a Unicode table. A proportional font is
centred in cells as wide as its widest glyph. With no FILE, or when FILE is
-, read standard input. A summary goes to standard error.

  -f, --font N        the font to write, counting from 1 (needed when the
                      container holds more than one)
  -c, --charset NAME  what the codes mean, any one-byte charset iconv knows
                      (default ISO-8859-1)
  -m, --map FILE      what the codes mean, by a code map file over --charset
  -h, --help          show this help and exit
      --version       show the version and exit
)";

}  // namespace

const command_syntax program_syntax{
	"zirk2psf", HELP, std::span<const option_syntax>(EXPORT_OPTIONS.data(), EXPORT_OPTIONS.size() - 1), 1};

// zirk2psf's command line: its help and its options.
#include "export.h"

namespace {

constexpr auto HELP = export_help(R"(Usage: zirk2psf [OPTIONS] [FILE] > FONT.psf
Write one font of the zirk container FILE as a PSF2 console font of 256
glyphs, glyph N for code N, with a Unicode table. A proportional font is
centred in cells as wide as its widest glyph.
)",
                                  "");

}  // namespace

const command_syntax program_syntax{"zirk2psf",
                                    {HELP.data(), HELP.size()},
                                    std::span<const option_syntax>(EXPORT_OPTIONS.data(), EXPORT_OPTIONS.size() - 1),
                                    1};

// zirk2bdf's command line: its help and its options.
#include "export.h"

namespace {

constexpr auto HELP = export_help(R"(Usage: zirk2bdf [OPTIONS] [FILE] > FONT.bdf
Write one font of the zirk container FILE as a BDF 2.1 font, its glyphs
named and encoded by Unicode character.
)",
                                  R"(      --descent N     rows below the baseline (default: a guess from the
                      letters and digits that sit on it)
)");

}  // namespace

const command_syntax program_syntax{"zirk2bdf", {HELP.data(), HELP.size()}, EXPORT_OPTIONS, 1};

// zirk2bdf's command line: its help and its options.
#include "export.h"

namespace {

constexpr std::string_view HELP = R"(Usage: zirk2bdf [OPTIONS] [FILE] > FONT.bdf
Write one font of the zirk container FILE as a BDF 2.1 font, its glyphs
named and encoded by Unicode character. With no FILE, or when FILE is -,
read standard input. A summary goes to standard error.

  -f, --font N        the font to write, counting from 1 (needed when the
                      container holds more than one)
  -c, --charset NAME  what the codes mean, any one-byte charset iconv knows
                      (default ISO-8859-1)
  -m, --map FILE      what the codes mean, by a code map file over --charset
      --descent N     rows below the baseline (default: a guess from the
                      digits and capital letters)
  -h, --help          show this help and exit
      --version       show the version and exit
)";

}  // namespace

const command_syntax program_syntax{"zirk2bdf", HELP, EXPORT_OPTIONS, 1};

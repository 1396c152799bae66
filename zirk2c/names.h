// The C names zirk2c writes: the one a user gives or the file suggests, and
// the enum constants of the fonts' indexes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Why text cannot name what zirk2c writes ("is a C keyword"), or empty
// when it can: a C identifier, no keyword of C or C++, and none of the names
// the written code itself uses.
std::string name_fault(std::string_view text);

// The file's name without its folder and extension, made an identifier:
// "examples/block8x8.zirk" gives "block8x8"; "fonts" for standard input.
std::string default_name(std::string_view path);

// One constant per font, in order: IDENT in capitals, "_FONT_", the font's
// name in capitals with each run of other bytes than letters and digits
// one '_', "_2", "_3"... where a constant would repeat.
std::vector<std::string> font_constants(std::string_view ident, const std::vector<std::string> &font_names);

// The line font2zirk leaves on standard error: what it made and what it
// could not take.
#pragma once

#include "placement.h"

#include <string>

std::string summary_line(const placed_font &placed, bool own_codes);

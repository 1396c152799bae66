// The check every BDF and PSF the suite writes goes through.
#pragma once

#include "run_korvane.h"

#include <gtest/gtest.h>

#include <string>

// Whether no character stands for two codes in font, what zirk2bdf or
// zirk2psf wrote: a BDF's encodings, a PSF's table as psfxtable lists it.
testing::AssertionResult each_character_once(const std::string &font, const scratch_dir &dir);

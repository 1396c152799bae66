// The font2zirk tests take two command lines as their trailing arguments,
// font2zirk's, then "--", then korvane's, so that an emulator can run both.
#include "font2zirk_support.h"

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
	testing::InitGoogleTest(&argc, argv);
	set_commands(std::vector<std::string>(argv + 1, argv + argc));
	return RUN_ALL_TESTS();
}

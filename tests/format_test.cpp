// In-process tests of the container code that has logic of its own: glyph
// geometry, byte order, and what the loader leaves in the store.
#include "zirk.h"
#include "run_korvane.h"
#include "zirk_builder.h"

#include <gtest/gtest.h>

#include <bit>

TEST(geometry, row_bytes_take_whole_bytes)
{
	const std::pair<unsigned, unsigned> cases[] = {{0, 0}, {1, 1},  {7, 1},  {8, 1},
	                                               {9, 2}, {16, 2}, {17, 3}, {255, 32}};
	for (const auto &[width, bytes] : cases)
		EXPECT_EQ(row_bytes_for_width(width), bytes) << "width " << width;
}

TEST(geometry, character_range)
{
	font_header h{};
	h.first_char = 10;
	h.last_char = 9;
	EXPECT_TRUE(char_range_is_valid(h));
	EXPECT_EQ(char_count(h), 0u);
	h.first_char = 11;
	EXPECT_FALSE(char_range_is_valid(h));
	h.first_char = 0;
	h.last_char = 255;
	EXPECT_TRUE(char_range_is_valid(h));
	EXPECT_EQ(char_count(h), 256u);
	h.first_char = 255;
	h.last_char = 0;
	EXPECT_FALSE(char_range_is_valid(h));
}

TEST(geometry, bitmap_length_sums_rows_over_the_range_only)
{
	font_store_layout store{};
	store.row_bytes.fill(9);  // outside the range: must not count
	store.header.first_char = 'a';
	store.header.last_char = 'c';
	store.header.height = 10;
	store.row_bytes['a'] = 1;
	store.row_bytes['b'] = 2;
	store.row_bytes['c'] = 3;
	EXPECT_EQ(bitmap_length(store), 60u);

	store.header.last_char = 'a' - 1;
	EXPECT_EQ(bitmap_length(store), 0u);

	// The largest geometry the header can describe must not wrap.
	store.header.first_char = 0;
	store.header.last_char = 255;
	store.header.height = 255;
	store.row_bytes.fill(32);
	EXPECT_EQ(bitmap_length(store), 256u * 32u * 255u);
}

TEST(byte_order, host_order_is_detected)
{
	EXPECT_EQ(host_is_big_endian(), std::endian::native == std::endian::big);
}

TEST(byte_order, swap_exchanges_the_two_bytes)
{
	std::uint16_t v = 0x1234;
	swap_u16(v);
	EXPECT_EQ(v, 0x3412);
	swap_u16(v);
	EXPECT_EQ(v, 0x1234);
}

// The loader, run in this process against files the test writes.
TEST(loader, walks_past_width_tables_and_fills_the_tables)
{
	const scratch_dir dir;
	test_font first{
		.name = "prop", .spacing = 'P', .first_char = 'a', .last_char = 'e', .widths = {1, 9, 17, 0, 255}};
	test_font second{.name = "fixed", .fixed_width = 12, .height = 3, .first_char = 0, .last_char = 255, .seed = 2};
	test_font third{.name = "empty", .spacing = 'P', .first_char = 'x', .last_char = 'x' - 1};
	const std::string path = dir.file("three.zirk", container_of({first, second, third}));

	load_font(path.c_str(), 1);
	EXPECT_EQ(font_store.widths['a'], 1);
	EXPECT_EQ(font_store.widths['e'], 255);
	EXPECT_EQ(font_store.row_bytes['b'], 2);
	EXPECT_EQ(font_store.row_bytes['c'], 3);
	EXPECT_EQ(font_store.row_bytes['d'], 0);
	EXPECT_EQ(font_store.row_bytes['e'], 32);

	load_font(path.c_str(), 2);
	EXPECT_EQ(std::string(reinterpret_cast<const char *>(font_store.header.name.data()), 5), "fixed");
	for (unsigned c = 0; c < 256; c++) {
		ASSERT_EQ(font_store.widths[c], 12) << c;
		ASSERT_EQ(font_store.row_bytes[c], 2) << c;
	}
	EXPECT_EQ(font_store.bitmap_read, 256u * 2u * 3u);

	load_font(path.c_str(), 3);
	EXPECT_EQ(font_store.header.bitmap_size, 0);
	EXPECT_EQ(font_store.bitmap_read, 0u);

	// Going back is a walk from the first record, not a step on from the last.
	load_font(path.c_str(), 2);
	EXPECT_EQ(font_store.header.fixed_width, 12);
	EXPECT_EQ(font_store.bitmap_read, 256u * 2u * 3u);
}

TEST(loader, never_writes_past_the_bitmap_store)
{
	const scratch_dir dir;
	test_font big{.height = 1, .first_char = 0, .last_char = 0, .bitmap = pattern(30000, 3), .bitmap_size = 30000};
	const std::string path = dir.file("big.zirk", container_of({big}));
	load_font(path.c_str(), 1);
	EXPECT_EQ(font_store.header.bitmap_size, 30000);
	EXPECT_EQ(font_store.bitmap_read, BITMAP_STORE_SIZE);
}

TEST(loader, clears_what_an_earlier_font_left_beyond_the_bytes_read)
{
	const scratch_dir dir;
	test_font full{.bitmap = std::string(100, '\xff')};
	test_font shorter{.bitmap = std::string(10, '\x01'), .bitmap_size = 10};
	const std::string path = dir.file("two.zirk", container_of({full, shorter}));
	load_font(path.c_str(), 1);
	load_font(path.c_str(), 2);
	EXPECT_EQ(font_store.bitmap[9], 1);
	EXPECT_EQ(font_store.bitmap[10], 0);
	EXPECT_EQ(font_store.bitmap[99], 0);
}

// A record the walk only passes over is checked as strictly as the one it
// loads: a bad range there would make the skip land anywhere.
TEST(loader, refuses_what_it_walks_over)
{
	const scratch_dir dir;
	const test_font good{};
	const test_font reversed{.spacing = 'P', .first_char = 'Z', .last_char = 'A'};
	const std::string bad_first =
		dir.file("bad_first.zirk", container_with_count(2, record(reversed) + record(good)));
	const std::string cut = dir.file("cut.zirk", container_with_count(3, record(good) + record(good)));

	EXPECT_EXIT(load_font(bad_first.c_str(), 2), testing::ExitedWithCode(1),
	            "^Error: font has an invalid character range\n$");
	EXPECT_EXIT(load_font(cut.c_str(), 3), testing::ExitedWithCode(1), "^Error: font file is truncated\n$");
	EXPECT_EXIT(load_font(cut.c_str(), 4), testing::ExitedWithCode(1),
	            "^Error: requested fontno not in fontfile\n$");
}

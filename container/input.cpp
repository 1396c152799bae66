#include "input.h"

static const char *const UNREADABLE = "Error: File not found.\n";

input_file open_input(const char *path)
{
	input_file file{std::fopen(path, "rb")};
	if (!file)
		fail(UNREADABLE);
	// Every input is read front to back in a few exact reads (headers, a
	// width table, a bitmap block). A stream buffer would only read ahead
	// bytes that the close throws away, and copy every block twice. Refused,
	// the buffer stays: slower, never wrong.
	(void)std::setvbuf(file.get(), nullptr, _IONBF, 0);
	return file;
}

std::size_t read_input(const input_file &file, void *bytes, std::size_t size)
{
	const std::size_t got = std::fread(bytes, 1, size, file.get());
	if (got < size && std::ferror(file.get()) != 0)
		fail(UNREADABLE);
	return got;
}

void skip_input(const input_file &file, long size)
{
	if (std::fseek(file.get(), size, SEEK_CUR) != 0)
		fail(UNREADABLE);
}

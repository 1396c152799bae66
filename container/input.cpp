#include "input.h"

static const char *const UNREADABLE = "Error: File not found.\n";

input_file open_input(const char *path)
{
	input_file file{std::fopen(path, "rb")};
	if (!file)
		fail(UNREADABLE);
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

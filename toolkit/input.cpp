#include "input.h"

#include "../platform/platform.h"
#include "messages.h"
#include "output.h"

#include <cerrno>
#include <utility>

input_file::input_file(std::string path) : path_(std::move(path)), file_(stdin)
{
	refuse_output_into(path_);
	if (path_ == "-") {
		set_binary_input();
		return;
	}
	file_ = std::fopen(path_.c_str(), "rb");
	if (file_ == nullptr)
		system_fatal(path_, errno);
	owned_ = true;
}

input_file::input_file(std::FILE *stream, std::string name) : path_(std::move(name)), file_(stream) {}

input_file::~input_file()
{
	// Only read from, so a failing close loses nothing.
	if (owned_)
		(void)std::fclose(file_);
}

std::size_t input_file::read(void *bytes, std::size_t size) const
{
	errno = 0;
	const std::size_t got = std::fread(bytes, 1, size, file_);
	if (got < size && std::ferror(file_) != 0)
		system_fatal(path_, errno != 0 ? errno : EIO);
	return got;
}

#include <CommandLine.h>

#include <fstream>
#include <iterator>

namespace BPrivate {

std::vector<std::string> ProcessArguments()
{
	std::ifstream file("/proc/self/cmdline", std::ios::binary);
	std::string all((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
	std::vector<std::string> arguments;
	size_t start = 0;
	while (start < all.size()) {
		size_t end = all.find('\0', start);
		if (end == std::string::npos)
			end = all.size();
		arguments.push_back(all.substr(start, end - start));
		start = end + 1;
	}
	return arguments;
}

} // namespace BPrivate

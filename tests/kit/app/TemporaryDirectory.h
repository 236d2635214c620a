#ifndef VELMORA_TEMPORARY_DIRECTORY_H
#define VELMORA_TEMPORARY_DIRECTORY_H

#include <cstdlib>
#include <filesystem>
#include <string>

// A fresh directory under /tmp, removed with everything in it at the end.
class TemporaryDirectory {
public:
	explicit TemporaryDirectory(const char* purpose)
	{
		std::string pattern = std::string("/tmp/velmora-") + purpose + "-XXXXXX";
		if (mkdtemp(pattern.data()) != nullptr)
			fPath = pattern;
	}
	~TemporaryDirectory()
	{
		std::error_code ignored;
		if (!fPath.empty())
			std::filesystem::remove_all(fPath, ignored);
	}
	TemporaryDirectory(const TemporaryDirectory&) = delete;
	TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

	const std::string& Path() const { return fPath; }

private:
	std::string fPath;
};

#endif

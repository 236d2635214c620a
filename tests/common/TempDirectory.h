#ifndef VELMORA_TESTS_TEMP_DIRECTORY_H
#define VELMORA_TESTS_TEMP_DIRECTORY_H

#include <ftw.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

// A fresh directory for one test, removed with everything in it when the
// object goes. Its path has every link resolved, so it can be compared with
// the paths the storage kit gives back.
class TempDirectory {
public:
	TempDirectory()
	{
		const char* base = getenv("TMPDIR");
		std::string pattern = std::string(base != nullptr && base[0] == '/' ? base : "/tmp")
			+ "/velmora-test-XXXXXX";
		if (mkdtemp(pattern.data()) != nullptr) {
			char real[PATH_MAX];
			fPath = realpath(pattern.c_str(), real) != nullptr ? real : pattern;
		}
	}

	~TempDirectory()
	{
		if (!fPath.empty())
			nftw(fPath.c_str(), RemoveOne, 16, FTW_DEPTH | FTW_PHYS);
	}

	TempDirectory(const TempDirectory&) = delete;
	TempDirectory& operator=(const TempDirectory&) = delete;

	const std::string& Path() const { return fPath; }
	std::string operator/(const std::string& name) const { return fPath + "/" + name; }

	void Write(const std::string& name, const std::string& content) const
	{
		std::ofstream(*this / name, std::ios::binary | std::ios::trunc) << content;
	}

	std::string Read(const std::string& name) const
	{
		std::ifstream in(*this / name, std::ios::binary);
		std::stringstream content;
		content << in.rdbuf();
		return content.str();
	}

	bool Exists(const std::string& name) const
	{
		struct stat st;
		return lstat((*this / name).c_str(), &st) == 0;
	}

private:
	static int RemoveOne(const char* path, const struct stat*, int, struct FTW*)
	{
		remove(path);
		return 0;
	}

	std::string fPath;
};

#endif

#ifndef CORPUS_FILES_H
#define CORPUS_FILES_H

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// The real pages of tests/corpus: every input file of its *-cases folders.
namespace CorpusFiles {

inline std::string Directory()
{
	return VELMORA_CORPUS_DIR;
}

// Paths relative to the corpus folder, sorted, so that test names are stable.
inline std::vector<std::string> Inputs()
{
	std::vector<std::string> files;
	std::filesystem::path root(Directory());
	for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
		if (!entry.is_regular_file())
			continue;
		std::string folder = entry.path().parent_path().filename().string();
		if (folder.ends_with("-cases") && entry.path().filename().string().starts_with("case-"))
			files.push_back(std::filesystem::relative(entry.path(), root).string());
	}
	std::sort(files.begin(), files.end());
	return files;
}

inline std::string Read(const std::string& path)
{
	std::ifstream file(path, std::ios::binary);
	std::stringstream content;
	content << file.rdbuf();
	return content.str();
}

inline std::string ReadInput(const std::string& relativePath)
{
	return Read(Directory() + "/" + relativePath);
}

// A name usable in a test name: letters and digits only.
inline std::string TestName(const std::string& relativePath)
{
	std::string name;
	for (char c : relativePath)
		name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
	return name;
}

// At most count pages spread evenly over the corpus, of every folder but
// the nested and XML ones, larger than 600 bytes and smaller than largest:
// enough variety for a property test that runs thousands of steps on each.
inline std::vector<std::string> SpreadOrdinaryPages(size_t count, size_t largest)
{
	std::vector<std::string> pages;
	for (const std::string& input : Inputs()) {
		size_t size = ReadInput(input).size();
		if (input.find("special-cases") == std::string::npos
				&& input.find("xml-cases") == std::string::npos && size > 600 && size < largest)
			pages.push_back(input);
	}
	std::vector<std::string> chosen;
	for (size_t i = 0; i < pages.size() && chosen.size() < count; i += pages.size() / count + 1)
		chosen.push_back(pages[i]);
	return chosen;
}

} // namespace CorpusFiles

#endif

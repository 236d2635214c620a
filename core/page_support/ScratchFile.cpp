#include "ScratchFile.h"

#include <cctype>

#include "SafeSave.h"

namespace {

constexpr int32 kMostScratchNames = 1000;

// "<prefix><digits>.html"
bool IsScratchName(const std::string& name, const std::string& prefix)
{
	const std::string suffix = ".html";
	if (name.size() <= prefix.size() + suffix.size() || !name.starts_with(prefix)
			|| !name.ends_with(suffix))
		return false;
	for (size_t i = prefix.size(); i < name.size() - suffix.size(); i++) {
		if (!isdigit(static_cast<unsigned char>(name[i])))
			return false;
	}
	return true;
}

} // namespace

ScratchFile::ScratchFile(const std::string& path)
	:
	KFile(path.c_str(), B_READ_WRITE | B_CREATE_FILE | B_FAIL_IF_EXISTS)
{
}

std::unique_ptr<KFile> ScratchFile::CreateIn(const std::string& folder,
	const std::string& prefix, const std::string& pageLeaf)
{
	RemoveAbandoned(folder, prefix, pageLeaf);
	for (int32 n = 0; n < kMostScratchNames; n++) {
		std::string name = folder + "/" + prefix + std::to_string(n) + ".html";
		std::unique_ptr<ScratchFile> scratch(new ScratchFile(name));
		if (scratch->InitCheck() == B_FILE_EXISTS)
			continue;
		if (scratch->InitCheck() != B_OK)
			return nullptr;
		// A start that cleans the folder may have taken the new file for an
		// abandoned one and removed it before it was held: the next name.
		if (scratch->hold.SetTo(name.c_str(), false, true) == B_OK)
			return scratch;
	}
	return nullptr;
}

void ScratchFile::RemoveAbandoned(const std::string& folder, const std::string& prefix,
	const std::string& pageLeaf)
{
	FileLock::RemoveUnheldFiles(folder,
		[&](const std::string& name) { return IsScratchName(name, prefix); });
	if (!pageLeaf.empty())
		SafeSave::RemoveAbandonedNewFiles(folder, pageLeaf);
}

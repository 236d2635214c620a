#ifndef VELMORA_EXTENSION_FILTER_H
#define VELMORA_EXTENSION_FILTER_H

#include <string>
#include <vector>

#include <RefFilter.h>

// Takes folders, and files whose extension (after the last dot of the
// name, compared without regard to case) is one of a list. A link counts
// as what it leads to.
class ExtensionFilter : public BRefFilter {
public:
	explicit ExtensionFilter(std::vector<std::string> extensions);

	bool Filter(const entry_ref* ref, BNode* node, struct stat* st, const char* mimeType) override;

	const std::vector<std::string>& Extensions() const;

private:
	std::vector<std::string> fExtensions;
};

#endif

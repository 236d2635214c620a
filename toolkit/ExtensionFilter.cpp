#include "ExtensionFilter.h"

#include <strings.h>
#include <sys/stat.h>

#include <cstring>

#include <EntryRef.h>

ExtensionFilter::ExtensionFilter(std::vector<std::string> extensions)
	: fExtensions(std::move(extensions))
{
	// "html" and ".html" mean the same.
	for (std::string& extension : fExtensions) {
		if (!extension.empty() && extension[0] == '.')
			extension.erase(0, 1);
	}
}

bool ExtensionFilter::Filter(const entry_ref* ref, BNode*, struct stat* st, const char*)
{
	if (st != nullptr && S_ISDIR(st->st_mode))
		return true;
	if (ref == nullptr || ref->name == nullptr)
		return false;
	const char* dot = strrchr(ref->name, '.');
	if (dot == nullptr || dot == ref->name)
		return false;
	for (const std::string& extension : fExtensions) {
		if (strcasecmp(dot + 1, extension.c_str()) == 0)
			return true;
	}
	return false;
}

const std::vector<std::string>& ExtensionFilter::Extensions() const
{
	return fExtensions;
}

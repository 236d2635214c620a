#ifndef CASE_FOLDED_INDEX_H
#define CASE_FOLDED_INDEX_H

#include <cstring>
#include <string_view>
#include <unordered_map>

#include "AsciiCase.h"

// Finds the entry of a name in a table of lower-case names without regard
// to case, allocating nothing per look-up. Names longer than kLongest are in
// no table.
template<typename Entry, size_t kLongest>
class CaseFoldedIndex {
public:
	template<size_t N>
	explicit CaseFoldedIndex(const Entry (&table)[N])
	{
		for (const Entry& entry : table)
			fByName.emplace(entry.name, &entry);
	}

	const Entry* Find(const char* name) const
	{
		if (name == nullptr)
			return nullptr;
		char buffer[kLongest];
		std::string_view lower = AsciiCase::Lower(std::string_view(name, strnlen(name,
			kLongest + 1)), buffer);
		if (lower.empty())
			return nullptr;
		auto found = fByName.find(lower);
		return found == fByName.end() ? nullptr : found->second;
	}

private:
	std::unordered_map<std::string_view, const Entry*> fByName;
};

#endif

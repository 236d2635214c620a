#ifndef VELMORA_TESTS_SOURCE_COLORING_H
#define VELMORA_TESTS_SOURCE_COLORING_H

#include <string>
#include <vector>

#include "htmlview_support/SourceColorizer.h"

// The colours the source view's colourer gives a text, as one digit a byte.
namespace {

class StringText : public SourceColorizer::Text {
public:
	explicit StringText(const std::string& text) : fText(text) {}
	int32 Length() const override { return static_cast<int32>(fText.size()); }
	std::string_view Range(int32 from, int32 to, std::string&) const override
	{
		return std::string_view(fText).substr(from, to - from);
	}

private:
	const std::string& fText;
};

// The colour of each byte as a digit (the table's index).
inline std::string Digits(const std::vector<SourceColorRun>& runs, int32 start, int32 end)
{
	std::string digits;
	for (size_t i = 0; i < runs.size(); i++) {
		int32 runEnd = i + 1 < runs.size() ? runs[i + 1].offset : end;
		digits.append(runEnd - runs[i].offset, static_cast<char>('0' + runs[i].color));
	}
	return std::string(runs.empty() ? end - start : 0, '?') + digits;
}

// Of the text as it is, or of what an edit touched; settled as the text
// before the edit was at the edit's end.
inline std::string Colors(const std::string& text, int32 from = 0, int32 to = -1,
	SourceColorizer::Stretch* stretch = nullptr, bool settled = true)
{
	StringText source(text);
	std::vector<SourceColorRun> runs;
	SourceColorizer::Stretch done = SourceColorizer(source).Colorize(from,
		to < 0 ? static_cast<int32>(text.size()) : to, settled, runs);
	if (stretch != nullptr)
		*stretch = done;
	return Digits(runs, done.start, done.end);
}

} // namespace

#endif

#include "ReaderText.h"

#include <algorithm>

#include <Autolock.h>

#include "EntityTable.h"
#include "Visual_Engine.h"
#include "Visual_Text.h"

namespace {

constexpr char kNonBreakingSpace = static_cast<char>(kNonBreakingSpaceCode);
const char* const kNonBreakingSpaceUtf8 = "\xC2\xA0";

} // namespace

// A line end inside an element's space is the element's own (a paragraph
// owns one): it is kept, the characters that only make room are not.
std::string ReaderText::Of(Visual_Engine& engine, int32 from, int32 to)
{
	std::string text;
	BAutolock lock(&engine);
	Visual_Text* view = engine.View();
	from = std::max(from, 0);
	to = std::min(to, view->TextLength());
	const char* bytes = view->Text();
	for (int32 offset = from; offset < to; offset++) {
		char character = bytes[offset];
		if (character != '\n' && engine.InNullCharactersAt(offset) > 0)
			continue;
		if (character == kNonBreakingSpace)
			text += kNonBreakingSpaceUtf8;
		else
			text += character;
	}
	return text;
}

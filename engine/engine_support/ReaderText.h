#ifndef VELMORA_READER_TEXT_H
#define VELMORA_READER_TEXT_H

#include <string>

#include <SupportDefs.h>

class Visual_Engine;

// A stretch of the page as the text a reader sees, for programs that take
// plain text: the characters that stand for elements (the spaces of
// images, rules, tags) are left out, the view's non-breaking-space
// character is written as U+00A0, and the line ends of paragraphs and
// line breaks are kept as line ends.
class ReaderText {
public:
	// [from, to) of the engine's text, clamped to it. Takes the engine lock.
	static std::string Of(Visual_Engine& engine, int32 from, int32 to);
};

#endif

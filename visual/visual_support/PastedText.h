#ifndef VELMORA_PASTED_TEXT_H
#define VELMORA_PASTED_TEXT_H

#include <string>
#include <string_view>
#include <vector>

// Plain text from another program, made into what the visual view may
// hold: its lines, each as the characters typing it would leave. Line ends
// of every convention split lines; a tab is a space, and a run of spaces
// one space (a page shows no more); a non-breaking space becomes the
// view's own character for it; every other control character, the view's
// own placeholder characters among them, is dropped, and bytes that are no
// UTF-8 become U+FFFD. The bytes are never taken as keys.
class PastedText {
public:
	static std::vector<std::string> Lines(std::string_view text);

private:
	static void AppendCharacter(std::string& line, std::string_view text, size_t offset,
		size_t length);
};

#endif

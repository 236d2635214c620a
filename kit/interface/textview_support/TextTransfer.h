#ifndef _VELMORA_TEXT_TRANSFER_H
#define _VELMORA_TEXT_TRANSFER_H

#include <string>

#include "TextRuns.h"

class BMessage;

namespace BPrivate {

// The names under which text views hand text over, on the clipboard and
// in drag messages, both as B_MIME_TYPE data.
extern const char* const kPlainTextType;   // "text/plain"
extern const char* const kTextRunsType;    // "application/x-vnd.Be-text_run_array"

// Adds the text, and its runs when there are any, to the message.
status_t AddTextData(BMessage* message, const std::string& text, const text_run_array* runs);
// The text in the message, and its runs when they are there and readable
// (left empty otherwise). False when the message holds no text.
bool FindTextData(const BMessage* message, std::string* text, RunArrayPointer* runs);

} // namespace BPrivate

#endif

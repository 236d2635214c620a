#ifndef _VELMORA_OPTIONAL_TEXT_H
#define _VELMORA_OPTIONAL_TEXT_H

#include <optional>
#include <string>

namespace BPrivate {

// A text that may be absent, as a label is: null in, null out.
class OptionalText {
public:
	// False when the text stays as it was.
	bool Set(const char* text)
	{
		if (text == nullptr ? !fText.has_value() : fText == text)
			return false;
		if (text != nullptr)
			fText = text;
		else
			fText.reset();
		return true;
	}

	const char* Get() const { return fText ? fText->c_str() : nullptr; }

private:
	std::optional<std::string> fText;
};

} // namespace BPrivate

#endif

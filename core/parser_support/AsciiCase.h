#ifndef ASCII_CASE_H
#define ASCII_CASE_H

#include <string>
#include <string_view>

// Letter case of markup names: HTML names are ASCII and compare without
// regard to case; bytes beyond ASCII are left as they are.
class AsciiCase {
public:
	static char Lower(char c)
	{
		return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
	}

	static std::string Lower(std::string_view text)
	{
		std::string lower(text);
		for (char& c : lower)
			c = Lower(c);
		return lower;
	}

	static bool Equal(std::string_view a, std::string_view b)
	{
		if (a.size() != b.size())
			return false;
		for (size_t i = 0; i < a.size(); i++) {
			if (Lower(a[i]) != Lower(b[i]))
				return false;
		}
		return true;
	}

	// The lower-case form of a short name in a caller's buffer, without
	// allocating; empty when the name does not fit.
	template<size_t N>
	static std::string_view Lower(std::string_view name, char (&buffer)[N])
	{
		if (name.size() > N)
			return std::string_view();
		for (size_t i = 0; i < name.size(); i++)
			buffer[i] = Lower(name[i]);
		return std::string_view(buffer, name.size());
	}

	static bool StartsWith(std::string_view text, std::string_view prefix)
	{
		return text.size() >= prefix.size() && Equal(text.substr(0, prefix.size()), prefix);
	}
};

#endif

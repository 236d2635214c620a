#ifndef _VELMORA_FAKE_MEASURER_H
#define _VELMORA_FAKE_MEASURER_H

#include <string>
#include <string_view>

#include <UTF8.h>

#include <textview_support/TextMeasurer.h>

// Widths that depend on each character and on the font's size and face,
// all multiples of 1/16 so that sums of them are exact in floats. Counts
// what it is asked, and refuses tabs and line feeds, which the layout must
// place itself.
class FakeMeasurer : public BPrivate::TextMeasurer {
public:
	float StringWidth(const char* text, int32 length, const BFont& font) override
	{
		widthCalls++;
		measuredBytes += length;
		std::string_view bytes(text, length);
		if (bytes.find_first_of("\t\n") != std::string_view::npos)
			sawControl = true;
		float width = 0;
		for (size_t offset = 0; offset < bytes.size();) {
			size_t charLength;
			uint32 code = BPrivate::UTF8::Decode(bytes, offset, &charLength);
			width += CharWidth(code, font);
			offset += charLength;
		}
		return width;
	}

	void GetHeight(const BFont& font, font_height* height) override
	{
		heightCalls++;
		float unit = font.Size() / 4;
		height->ascent = 3 * unit;
		height->descent = unit;
		height->leading = (font.Face() & B_BOLD_FACE) != 0 ? unit / 2 : 0;
	}

	static float CharWidth(uint32 code, const BFont& font)
	{
		float base = code < 0x80 ? 4 + code % 5 : 10 + code % 3;
		float scale = font.Size() / 16;
		if ((font.Face() & B_BOLD_FACE) != 0)
			scale *= 1.25f;
		return base * scale;
	}

	void Reset() { widthCalls = heightCalls = measuredBytes = 0; }

	int widthCalls = 0;
	int heightCalls = 0;
	int measuredBytes = 0;
	bool sawControl = false;
};

#endif

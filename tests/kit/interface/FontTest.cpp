#include <Font.h>

#include <atomic>
#include <cmath>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "TestFonts.h"

namespace {

// The family and the style of a font, as "family/style".
std::string FullName(const BFont& font)
{
	font_family family;
	font_style style;
	font.GetFamilyAndStyle(&family, &style);
	return std::string(family) + "/" + style;
}

BFont FontOf(const char* family, const char* style, float size = 12)
{
	BFont font;
	EXPECT_EQ(font.SetFamilyAndStyle(family, style), B_OK) << family << " " << style;
	font.SetSize(size);
	return font;
}

std::vector<std::string> ListedFamilies()
{
	std::vector<std::string> names;
	int32 count = count_font_families();
	for (int32 i = 0; i < count; i++) {
		font_family name;
		if (get_font_family(i, &name) == B_OK)
			names.push_back(name);
	}
	return names;
}

} // namespace

TEST(FontEnumeration, ListsFamiliesSortedTheSameEachTimeAndTellsMonospaceApart)
{
	std::vector<std::string> first = ListedFamilies();
	ASSERT_FALSE(first.empty());
	for (size_t i = 1; i < first.size(); i++)
		EXPECT_LT(strcasecmp(first[i - 1].c_str(), first[i].c_str()), 0) << first[i];
	EXPECT_FALSE(update_font_families(true));
	EXPECT_EQ(ListedFamilies(), first);
	int monospaced = 0;
	for (int32 i = 0; i < count_font_families(); i++) {
		font_family name;
		uint32 flags = 0xFFFF;
		ASSERT_EQ(get_font_family(i, &name, &flags), B_OK);
		if (std::string(name) == "DejaVu Sans" || std::string(name) == "DejaVu Sans Mono") {
			EXPECT_EQ((flags & B_IS_FIXED) != 0, std::string(name) == "DejaVu Sans Mono");
			monospaced += (flags & B_IS_FIXED) != 0;
		}
	}
	EXPECT_EQ(monospaced, 1);
	EXPECT_TRUE(be_fixed_font->IsFixed());
	EXPECT_FALSE(be_plain_font->IsFixed());
}

TEST(FontSelection, UnknownNamesAreRefusedAndANullStyleFollowsTheFace)
{
	BFont font(be_fixed_font);
	EXPECT_EQ(font.SetFamilyAndStyle("No Such Family", "Book"), B_NAME_NOT_FOUND);
	EXPECT_EQ(font.SetFamilyAndFace("Arial Unknown", B_BOLD_FACE), B_NAME_NOT_FOUND);
	EXPECT_EQ(font.SetFamilyAndStyle("DejaVu Sans", "No Such Style"), B_NAME_NOT_FOUND);
	EXPECT_EQ(font, *be_fixed_font);

	font = *be_bold_font;
	ASSERT_EQ(font.SetFamilyAndStyle("DejaVu Serif", nullptr), B_OK);
	EXPECT_EQ(FullName(font), "DejaVu Serif/Bold");
}

TEST(FontSelection, AFacePicksTheStyleThatMatchesBoldAndItalic)
{
	const std::tuple<const char*, uint16, const char*> rows[] = {
		{"DejaVu Sans", B_BOLD_FACE, "Bold"},
		{"DejaVu Sans", B_BOLD_FACE | B_ITALIC_FACE, "Bold Oblique"},
		{"DejaVu Serif", B_BOLD_FACE | B_ITALIC_FACE | B_UNDERSCORE_FACE, "Bold Italic"}};
	for (const auto& [family, face, style] : rows) {
		BFont font = FontOf(family, "Book");
		font.SetFace(face);
		EXPECT_EQ(FullName(font), std::string(family) + "/" + style);
		EXPECT_EQ(font.Face(), face);
	}
}

TEST(FontMetrics, WidthsAddUpAndScaleWithTheSize)
{
	BFont font = *be_plain_font;
	const char* text = "Hello, w\xC3\xB6rld";
	float whole = font.StringWidth(text);
	float pieces = font.StringWidth("Hello, w") + font.StringWidth("\xC3\xB6") + font.StringWidth("rld");
	EXPECT_FLOAT_EQ(whole, pieces);
	EXPECT_EQ(font.StringWidth(text, 5), font.StringWidth("Hello"));

	BFont doubled = font;
	doubled.SetSize(24);
	EXPECT_NEAR(doubled.StringWidth(text), 2 * whole, 0.01);
	EXPECT_GT(FontOf("DejaVu Sans", "Bold").StringWidth(text), whole);
	EXPECT_FLOAT_EQ(be_fixed_font->StringWidth("iiiWW"), 5 * be_fixed_font->StringWidth("i"));

	EXPECT_EQ(font.StringWidth(nullptr), 0);
	EXPECT_EQ(font.StringWidth(""), 0);
	EXPECT_EQ(font.StringWidth("abc", -4), 0);
	const char* strings[] = {"a", "bc"};
	int32 lengths[] = {1, 2};
	float widths[2];
	font.GetStringWidths(strings, lengths, 2, widths);
	EXPECT_FLOAT_EQ(widths[1], font.StringWidth("bc"));
}

TEST(FontMetrics, InvalidBytesMeasureAsReplacementCharacters)
{
	BFont font = *be_plain_font;
	float replacement = font.StringWidth("\xEF\xBF\xBD");
	ASSERT_GT(replacement, 0);
	EXPECT_FLOAT_EQ(font.StringWidth("a\xFF" "b"), font.StringWidth("ab") + replacement);
	// A truncated sequence is one replacement per byte, as drawing shows it.
	EXPECT_FLOAT_EQ(font.StringWidth("\xE2\x82"), 2 * replacement);
	EXPECT_FLOAT_EQ(font.StringWidth("\xED\xA0\x80"), 3 * replacement);
}

TEST(FontFallback, CharacterMissingFromTheFontIsMeasuredInAnotherFont)
{
	// U+01C4 is in DejaVu Sans but not in DejaVu Sans Mono.
	BFont mono = *be_fixed_font;
	float cellWidth = mono.StringWidth("M");
	float fallbackWidth = mono.StringWidth("\xC7\x84");
	EXPECT_GT(fallbackWidth, 0);
	EXPECT_NE(fallbackWidth, cellWidth);
	float sans = FontOf("DejaVu Sans", "Book").StringWidth("\xC7\x84");
	float serif = FontOf("DejaVu Serif", "Book").StringWidth("\xC7\x84");
	EXPECT_TRUE(fallbackWidth == sans || fallbackWidth == serif) << fallbackWidth;
}

TEST(FontFallback, CharacterNoFontHasMeasuresAsTheMissingGlyph)
{
	// No DejaVu font has CJK ideographs: each is the font's missing glyph.
	BFont font = *be_plain_font;
	float missing = font.StringWidth("\xE4\xB8\x80");
	EXPECT_GT(missing, 0);
	EXPECT_FLOAT_EQ(font.StringWidth("\xE4\xB8\x80\xE4\xBA\x8C"), 2 * missing);
}

TEST(FontConcurrency, ManyThreadsMeasureTheSameFontsAtOnce)
{
	const std::string text = "Quick brown f\xC3\xB6x \xE2\x82\xAC \xC7\x84 \xE4\xB8\x80 jumps 0123";
	std::vector<float> sizes = {9, 11, 13.5f, 17, 23};
	std::vector<BFont> fonts;
	for (float size : sizes) {
		BFont font = *be_plain_font;
		font.SetSize(size + 100);  // not measured before the threads start
		fonts.push_back(font);
	}
	std::atomic<int> mismatches{0};
	std::vector<std::thread> threads;
	std::vector<std::vector<float>> results(6);
	for (int t = 0; t < 6; t++) {
		threads.emplace_back([&, t] {
			for (int round = 0; round < 50; round++) {
				for (const BFont& font : fonts) {
					float width = font.StringWidth(text.c_str());
					if (round == 0)
						results[t].push_back(width);
					else if (width != results[t][&font - fonts.data()])
						mismatches++;
				}
			}
		});
	}
	for (std::thread& thread : threads)
		thread.join();
	EXPECT_EQ(mismatches.load(), 0);
	for (int t = 1; t < 6; t++)
		EXPECT_EQ(results[t], results[0]);
	for (size_t i = 0; i < fonts.size(); i++)
		EXPECT_FLOAT_EQ(results[0][i], fonts[i].StringWidth(text.c_str()));
}

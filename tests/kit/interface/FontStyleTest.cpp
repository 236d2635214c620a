#include <font_support/FontStyle.h>

#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include <Font.h>
#include <font_support/FontCatalog.h>
#include <font_support/SizedFont.h>

#include "TestFonts.h"

using BPrivate::FontCatalog;
using BPrivate::FontStyle;

namespace {

const char* kFontFolder = "/usr/share/fonts/truetype/dejavu/";

// A style made from a pattern as fontconfig might describe the file: some
// monospace fonts come without a spacing value.
std::unique_ptr<FontStyle> StyleOf(const char* file, int spacing = -1)
{
	FontCatalog::Default();  // fontconfig set up with the test configuration
	std::string path = std::string(kFontFolder) + file;
	FcPattern* pattern = FcPatternCreate();
	FcPatternAddString(pattern, FC_FILE, reinterpret_cast<const FcChar8*>(path.c_str()));
	if (spacing >= 0)
		FcPatternAddInteger(pattern, FC_SPACING, spacing);
	auto style = std::make_unique<FontStyle>(pattern, "Test Family", "Book");
	FcPatternDestroy(pattern);
	return style;
}

} // namespace

TEST(FontSpacing, MonospaceFontWithoutSpacingIsRecognisedByItsAdvances)
{
	EXPECT_TRUE(StyleOf("DejaVuSansMono.ttf")->IsFixed());
	EXPECT_FALSE(StyleOf("DejaVuSans.ttf")->IsFixed());
}

TEST(FontSpacing, SpacingFromFontconfigDecides)
{
	EXPECT_TRUE(StyleOf("DejaVuSans.ttf", FC_MONO)->IsFixed());
	EXPECT_FALSE(StyleOf("DejaVuSansMono.ttf", FC_PROPORTIONAL)->IsFixed());
}

TEST(FontSpacing, FontFileThatCannotBeOpenedIsUnusableAndNotFixed)
{
	std::unique_ptr<FontStyle> style = StyleOf("NoSuchFont.ttf");
	EXPECT_FALSE(style->At(12)->IsUsable());
	EXPECT_FALSE(style->IsFixed());
	EXPECT_TRUE(StyleOf("DejaVuSans.ttf")->At(12)->IsUsable());
}

// Whole sizes are looked up by index, other sizes in the list: every size,
// whichever way it is found, gives one font of exactly that size, also when
// many sizes were made from several threads at once.
TEST(FontSizes, EachSizeHasOneFontOfThatSizeAmongManySizesMadeAtOnce)
{
	std::unique_ptr<FontStyle> style = StyleOf("DejaVuSans.ttf");
	const float sizes[] = {0.5f, 1, 12, 12.5f, 13, 1023, 1024, 1500};
	std::vector<std::thread> makers;
	for (int thread = 0; thread < 4; thread++) {
		makers.emplace_back([&style, thread] {
			for (int size = 1 + thread; size < 1200; size += 4)
				style->At(static_cast<float>(size));
		});
	}
	for (std::thread& maker : makers)
		maker.join();
	for (float size : sizes) {
		const BPrivate::SizedFont* font = style->At(size);
		EXPECT_EQ(font->Size(), size);
		EXPECT_EQ(style->At(size), font) << size;
	}
	EXPECT_NE(style->At(12), style->At(12.5f));
}

// Colouring HTML source: each kind of markup takes its colour, colouring
// any range gives the colours the whole text has there, every walk ends
// whatever the text, and after an edit only what it touched is coloured.

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "SourceColoring.h"

namespace {

bool IsSettledAt(const std::string& text, int32 offset)
{
	StringText source(text);
	return SourceColorizer(source).IsSettledAt(offset);
}

struct Row {
	const char* text;
	const char* colors;
};

// 0 known tag, 1 text, 2 mistake, 3 entity, 4 attribute, 5 value.
const Row kRows[] = {
	{"<B>", "000"},
	{"<b>x</b>", "00010000"},
	{"</B>", "0000"},
	{"</BR>", "22220"},
	{"</XYZ>", "111110"},
	{"<XYZ ALIGN=b>", "1111144444110"},
	{"<A HREF=\"x\">", "001444415550"},
	{"<A\nHREF = \"x\">", "00144441115550"},
	{"<IMG SRC='a.gif'>", "0000144415555555" "0"},
	{"<P FOO=bar>", "00111111110"},
	{"<A HREF=\"zz>", "001444412110"},
	{"<A HREF=\"a>b\">", "00144441210" "111"},
	{"<B \"", "0012"},
	{"<BR/>", "00010"},
	{"&amp;", "33333"},
	{"&AMP;", "33333"},
	{"&#65;&#x41;", "33333" "333333"},
	{"&#;&#x;&#1114112;", "111" "1111" "1111111111"},
	{"&foo;", "11111"},
	{"& x", "111"},
	{"&amp x", "111111"},
	{"a&amp;b", "1333331"},
	{"<!DOCTYPE html>", "000000000000001"},
	{"<!doctype>", "000000000" "1"},
	{"<!-- href -->", "1111111111111"},
	{"a > b", "11111"},
	// Steps that once stood still: each of these ends.
	{"<", "1"},
	{"<<", "11"},
	{"<<B>", "1000"},
	{"a < b", "11111"},
	{"<!", "11"},
	{"&", "1"},
	{"&&amp;", "133333"},
	{"\"", "1"},
	{"<B", "00"},
	{"<A HREF=", "0014444" "1"},
	{"</", "11"},
};

} // namespace

TEST(SourceColors, EachKindOfMarkupTakesItsColour)
{
	for (const Row& row : kRows) {
		SCOPED_TRACE(row.text);
		EXPECT_EQ(Colors(row.text), row.colors);
	}
}

TEST(SourceColors, RangesOutsideTheTextAreClamped)
{
	const std::string text = "<B>x</B>";
	SourceColorizer::Stretch stretch;
	EXPECT_EQ(Colors(text, -5, 99, &stretch), Colors(text));
	EXPECT_EQ(stretch.start, 0);
	EXPECT_EQ(stretch.end, 8);
	EXPECT_EQ(Colors(text, 7, 2, &stretch), "0000");
	EXPECT_EQ(Colors("", 0, 5, &stretch), "");
}

// A page of repeated markup; each edit is coloured from the last point of
// rest before it to the first behind it, and changes the colour of just
// the bytes it should.
TEST(SourceColors, AnEditRecoloursOnlyWhatItTouches)
{
	std::string unit = "<P ALIGN=\"left\">some &amp text <B>bold</B></P>\n";
	std::string page;
	for (int i = 0; i < 200; i++)
		page += unit;
	const int32 middle = static_cast<int32>(unit.size()) * 100;
	struct Edit {
		const char* what;
		int32 at;			// in the middle unit
		int32 removed;
		const char* inserted;
		int32 recolouredAtMost;
		int32 bytesChanged;	// of the bytes that were there before
	};
	const Edit edits[] = {
		{"a letter in a name makes it unknown", 4, 0, "x", 20, 5},
		{"a letter in text", 28, 0, "x", 8, 0},
		{"a semicolon ends an entity", 25, 0, ";", 12, 4},
		{"a quote opens a value at the next quote", 9, 0, "\"", 20, 5},
		{"a tag typed into text", 27, 0, "<B>", 8, 0},
		{"a closing quote taken away", 14, 1, "", 20, 5},
		{"the end of a tag taken away", 15, 1, "", 32, 4},
	};
	for (const Edit& edit : edits) {
		SCOPED_TRACE(edit.what);
		std::string before = Colors(page);
		std::string text = page;
		int32 at = middle + edit.at;
		bool settled = IsSettledAt(text, at + edit.removed);
		text.replace(at, edit.removed, edit.inserted);
		int32 insertedLength = static_cast<int32>(strlen(edit.inserted));
		std::string after = before;
		after.replace(at, edit.removed, std::string(insertedLength, '?'));
		SourceColorizer::Stretch stretch;
		std::string recoloured = Colors(text, at, at + insertedLength, &stretch, settled);
		after.replace(stretch.start, stretch.end - stretch.start, recoloured);

		EXPECT_EQ(after, Colors(text));
		EXPECT_LE(stretch.end - stretch.start, edit.recolouredAtMost);
		int32 changed = 0;
		for (int32 i = 0; i < static_cast<int32>(text.size()); i++) {
			bool old = i < at || i >= at + insertedLength;
			int32 oldIndex = i < at ? i : i - insertedLength + edit.removed;
			if (old && after[i] != before[oldIndex])
				changed++;
		}
		EXPECT_EQ(changed, edit.bytesChanged);
	}
}

// Random edits of text made of markup's pieces, each followed by
// colouring only what it touched: the colours always equal those of the
// whole text coloured at once.
TEST(SourceColors, EditByEditColouringEqualsColouringTheWholeText)
{
	static const char* const kPieces[] = {"<", ">", "&", ";", "\"", "'", "=", " ", "\n", "/",
		"!", "B", "BR", "A", "HREF", "amp", "#65", "x", "\xC3\xA9", "DOCTYPE", "<B>", "</A>",
		"&amp;", "<A HREF=\"x\">"};
	std::mt19937 random(1234);
	std::string text = "<HTML><BODY><P ALIGN=\"center\">a &amp; b</P></BODY></HTML>";
	std::string colors = Colors(text);
	for (int32 step = 0; step < 2000; step++) {
		int32 at = random() % (text.size() + 1);
		// Pieces of several bytes go in or out whole, so that no character
		// is split.
		while (at > 0 && at < static_cast<int32>(text.size())
				&& (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80)
			at--;
		int32 removed = 0;
		bool shorten = random() % 2 == 0 || text.size() > 300;
		if (shorten && at < static_cast<int32>(text.size())) {
			removed = 1 + random() % std::min<int32>(4, text.size() - at);
			while (at + removed < static_cast<int32>(text.size())
					&& (static_cast<unsigned char>(text[at + removed]) & 0xC0) == 0x80)
				removed++;
		}
		std::string inserted = random() % 3 == 0 ? "" : kPieces[random() % std::size(kPieces)];
		bool settled = IsSettledAt(text, at + removed);
		text.replace(at, removed, inserted);
		colors.replace(at, removed, std::string(inserted.size(), '?'));
		SourceColorizer::Stretch stretch;
		std::string recoloured = Colors(text, at, at + static_cast<int32>(inserted.size()),
			&stretch, settled);
		colors.replace(stretch.start, stretch.end - stretch.start, recoloured);
		ASSERT_EQ(colors, Colors(text)) << "step " << step << ": " << text;
	}
}

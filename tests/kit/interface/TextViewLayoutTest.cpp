// Lines of a text view: where they break, how tall they are, how offsets,
// points and lines convert into each other, and that re-wrapping after
// edits gives what laying out the whole text gives.

#include "TextViewTestSupport.h"

#include <random>

using namespace TextViewTests;

namespace {

std::string LineText(const BTextView& view, int32 line)
{
	std::string text = const_cast<BTextView&>(view).Text();
	int32 start = view.OffsetAt(line);
	int32 end = line + 1 < view.CountLines() ? view.OffsetAt(line + 1) : view.TextLength();
	return text.substr(start, end - start);
}

// Lines may end after a "|" or a line feed, nowhere else.
class PipeBreakingView : public BTextView {
public:
	explicit PipeBreakingView(BRect textRect)
		: BTextView(BRect(0, 0, 399, 299), "pipes", textRect, B_FOLLOW_NONE, B_WILL_DRAW) {}

	bool CanEndLine(int32 offset) override
	{
		char byte = static_cast<char>(ByteAt(offset));
		return byte == '|' || byte == '\n';
	}
};

TEST(TextViewLineBreaks, LinesEndOnlyWhereCanEndLineAllowsOrWhereTheWidthCutsThem)
{
	PipeBreakingView view(BRect(0, 0, 120, 299));
	view.SetText("alpha beta|gamma delta|epsilon|zeta eta theta|iota");
	ASSERT_GT(view.CountLines(), 2);
	for (int32 line = 0; line < view.CountLines() - 1; line++) {
		std::string text = LineText(view, line);
		EXPECT_EQ(text.back(), '|') << "line " << line << ": " << text;
	}

	view.SetText("one two three four five six seven eight nine ten");
	ASSERT_GT(view.CountLines(), 2);
	for (int32 line = 0; line < view.CountLines(); line++)
		EXPECT_LE(view.LineWidth(line), 121) << LineText(view, line);
}

// #pragma mark - Conversions

class TextViewConversions : public testing::Test {
protected:
	void SetUp() override
	{
		fView.SetText("The quick brown fox \xC3\xA9l\xC3\xA8ve jumps\tover the lazy dog.\n\n"
			"A second paragraph, with \xE2\x82\xAC signs and a rather long word "
			"Donaudampfschifffahrtsgesellschaft in it.");
		BFont big = SizedFont(20, B_BOLD_FACE);
		fView.SetFontAndColor(4, 9, &big);
		fView.SetFontAndColor(60, 75, &big);
	}

	BTextView fView{BRect(0, 0, 299, 299), "text", BRect(10, 20, 160, 290), B_FOLLOW_NONE,
		B_WILL_DRAW};
};

TEST_F(TextViewConversions, OffsetsPointsAndLinesAgree)
{
	std::string text = fView.Text();
	ASSERT_GT(fView.CountLines(), 5);
	for (int32 offset = 0; offset <= fView.TextLength(); offset++) {
		if (offset < fView.TextLength() && (static_cast<unsigned char>(text[offset]) & 0xC0) == 0x80)
			continue;
		float height = 0;
		BPoint point = fView.PointAt(offset, &height);
		int32 line = fView.LineAt(offset);
		EXPECT_EQ(fView.LineAt(point), line) << offset;
		EXPECT_EQ(fView.LineAt(point + BPoint(0, height - 1)), line) << offset;
		EXPECT_FLOAT_EQ(height, fView.LineHeight(line));
		EXPECT_FLOAT_EQ(point.y, 20 + fView.TextHeight(0, line - 1)) << offset;
		EXPECT_LE(fView.OffsetAt(line), offset);
		if (line + 1 < fView.CountLines()) {
			EXPECT_LT(offset, fView.OffsetAt(line + 1));
		}
		if (text[offset] != '\n' && offset < fView.TextLength()) {
			EXPECT_EQ(fView.OffsetAt(point + BPoint(0.5f, 1)), offset) << offset;
		}
	}
}

TEST_F(TextViewConversions, PointsOutsideTheTextFindItsEdges)
{
	EXPECT_EQ(fView.OffsetAt(BPoint(0, 0)), 0);
	EXPECT_EQ(fView.LineAt(BPoint(50, -100)), 0);
	EXPECT_EQ(fView.OffsetAt(BPoint(500, 5000)), fView.TextLength());
	EXPECT_EQ(fView.LineAt(BPoint(0, 5000)), fView.CountLines() - 1);
	int32 line = 3;
	int32 lineEnd = fView.OffsetAt(line + 1);
	EXPECT_EQ(fView.OffsetAt(BPoint(1000, fView.PointAt(fView.OffsetAt(line)).y)), lineEnd - 1);
}

// #pragma mark - Incremental re-wrapping

// Breaks after white space and after commas: a rule of the subclass's own,
// asked through the virtual hook while edits re-wrap.
class CommaBreakingView : public BTextView {
public:
	CommaBreakingView()
		: BTextView(BRect(0, 0, 299, 299), "commas", BRect(5, 5, 180, 290), B_FOLLOW_NONE,
			B_WILL_DRAW) {}

	bool CanEndLine(int32 offset) override
	{
		return ByteAt(offset) == ',' || BTextView::CanEndLine(offset);
	}
};

struct LineSnapshot {
	int32 offset;
	BPoint point;
	float height;
	float width;

	bool operator==(const LineSnapshot& other) const = default;
};

std::vector<LineSnapshot> Lines(const BTextView& view)
{
	std::vector<LineSnapshot> lines;
	for (int32 line = 0; line < view.CountLines(); line++) {
		int32 offset = view.OffsetAt(line);
		float height = 0;
		BPoint point = view.PointAt(offset, &height);
		lines.push_back(LineSnapshot{offset, point, height, view.LineWidth(line)});
	}
	return lines;
}

class RandomEdits {
public:
	explicit RandomEdits(uint32 seed) : fRandom(seed) {}

	int32 Below(int32 bound) { return bound <= 0 ? 0 : static_cast<int32>(fRandom() % bound); }

	std::string Piece()
	{
		static const char* const kPieces[] = {"word ", "a", ",", "comma,separated,",
			"\n", "\t", " ", "\xC3\xA9t\xC3\xA9 ", "\xE2\x82\xAC", "longerwordwithoutbreaks",
			"\xE4\xB8\xAD\xE6\x96\x87", "x-y "};
		std::string text;
		for (int32 count = 1 + Below(4); count > 0; count--)
			text += kPieces[Below(12)];
		return text;
	}

	// One edit through the API, as an editor makes them.
	void Edit(BTextView& view)
	{
		int32 length = view.TextLength();
		int32 from = Below(length + 1);
		int32 to = std::min(length, from + Below(40));
		BFont font = SizedFont(8 + 4 * Below(4), Below(2) ? B_BOLD_FACE : B_REGULAR_FACE);
		rgb_color color = make_color(Below(256), 0, 0);
		switch (Below(5)) {
			case 0:
			case 1:
			{
				std::string text = Piece();
				view.Insert(from, text.data(), static_cast<int32>(text.size()));
				break;
			}
			case 2:
				view.Delete(from, to);
				break;
			case 3:
				view.SetFontAndColor(from, to, &font, B_FONT_SIZE | B_FONT_FACE, &color);
				break;
			default:
			{
				text_run_array runs;
				runs.count = 1;
				runs.runs[0] = text_run{0, font, color};
				std::string text = Piece();
				view.Insert(from, text.data(), static_cast<int32>(text.size()), &runs);
				break;
			}
		}
	}

private:
	std::mt19937 fRandom;
};

TEST(TextViewIncrementalLayout, EditsReWrapToWhatAWholeLayoutGives)
{
	CommaBreakingView view;
	RandomEdits edits(20240611);
	std::string start;
	for (int32 i = 0; i < 30; i++)
		start += edits.Piece();
	view.SetText(start.c_str());
	for (int32 step = 0; step < 400; step++) {
		edits.Edit(view);
		CommaBreakingView fresh;
		BPrivate::RunArrayPointer runs(view.RunArray(0, view.TextLength()));
		fresh.SetText(view.Text(), view.TextLength(), runs.get());
		ASSERT_EQ(Lines(view), Lines(fresh)) << "after edit " << step;
	}
}

TEST(TextViewIncrementalLayout, TextRectangleChangesLayOutAgain)
{
	CommaBreakingView view;
	view.SetText("one,two,three,four,five,six,seven,eight,nine,ten,eleven,twelve");
	int32 before = view.CountLines();
	view.SetTextRect(BRect(5, 5, 90, 290));
	EXPECT_GT(view.CountLines(), before);
	CommaBreakingView fresh;
	fresh.SetTextRect(BRect(5, 5, 90, 290));
	fresh.SetText(view.Text());
	EXPECT_EQ(Lines(view), Lines(fresh));
}

} // namespace

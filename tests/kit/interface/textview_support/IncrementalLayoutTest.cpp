// Re-wrapping after an edit must give exactly the lines a layout of the
// whole text gives, and must report every line it changed.

#include <textview_support/StyledText.h>

#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "TextModelTesting.h"

using BPrivate::LayoutChange;
using BPrivate::LineRecord;
using BPrivate::StyledText;
using BPrivate::TextLayout;

namespace {

struct Setting {
	const char* name;
	float width;
	bool wrap;
};

void PrintTo(const Setting& setting, std::ostream* out)
{
	*out << setting.name;
}

const char* const kPieces[] = {
	"a", "word ", "Wort ", " ", "   ", "\n", "\n\n", "\t", "-", "x-y ", "--",
	"\xC3\xA9", "\xE2\x82\xAC ", "\xF0\x9F\x98\x80", "\xE4\xB8\xAD\xE6\x96\x87",
};
const float kSizes[] = {8, 12, 16, 20, 24};

class EditSequence {
public:
	EditSequence(uint32 seed, const Setting& setting)
		:
		fRandom(seed),
		fModel(fMeasurer, MakeFont(16), kBlack)
	{
		Configure(fModel.Layout(), setting);
		std::string text = Text(20 + Below(120));
		fModel.SetText(text.data(), text.size());
	}

	static void Configure(TextLayout& layout, const Setting& setting)
	{
		layout.Breaker().SetWidth(setting.width);
		layout.Breaker().SetWordWrap(setting.wrap);
		layout.Breaker().SetTabWidth(24);
	}

	StyledText& Model() { return fModel; }
	FakeMeasurer& Measurer() { return fMeasurer; }

	// One random edit; describes it in *what.
	LayoutChange Edit(std::string* what)
	{
		int32 length = fModel.Length();
		int32 from = Below(length + 1);
		int32 to = from + Below(length > 600 ? 200 : 30);
		switch (Below(length > 600 ? 5 : 4)) {
			case 0: {
				std::string text = Text(1 + Below(6));
				*what = "insert " + std::to_string(text.size()) + " at " + std::to_string(from);
				if (Below(3) == 0) {
					text_run_array runs;
					runs.count = 1;
					runs.runs[0] = text_run{Below(text.size()), Font(), Color()};
					return fModel.Insert(text.data(), text.size(), from, &runs);
				}
				return fModel.Insert(text.data(), text.size(), from);
			}
			case 1: {
				BFont font = Font();
				rgb_color color = Color();
				const uint32 modes[] = {B_FONT_SIZE, B_FONT_FACE, B_FONT_ALL, 0};
				*what = "style " + std::to_string(from) + ".." + std::to_string(to);
				return fModel.SetStyle(from, to, modes[Below(4)], &font, &color);
			}
			case 2: {
				BPrivate::RunArrayPointer runs(BPrivate::AllocRunArray(2));
				runs->runs[0] = text_run{0, Font(), Color()};
				runs->runs[1] = text_run{Below(to - from + 1), Font(), Color()};
				*what = "runs " + std::to_string(from) + ".." + std::to_string(to);
				return fModel.SetRunArray(from, to, runs.get());
			}
			default:
				*what = "remove " + std::to_string(from) + ".." + std::to_string(to);
				return fModel.Remove(from, to);
		}
	}

private:
	int32 Below(int32 bound) { return bound <= 1 ? 0 : fRandom() % bound; }

	// Pieces of words, spaces, line feeds, tabs and characters of every
	// length, and now and then a word too long for any line.
	std::string Text(int32 pieces)
	{
		std::string text;
		for (int32 i = 0; i < pieces; i++) {
			if (Below(8) == 0)
				text += std::string(10 + Below(60), Below(2) == 0 ? 'm' : 'i');
			else
				text += kPieces[Below(std::size(kPieces))];
		}
		return text;
	}

	BFont Font() { return MakeFont(kSizes[Below(5)], Below(2) == 0 ? B_BOLD_FACE : B_REGULAR_FACE); }
	rgb_color Color() { return Below(2) == 0 ? kBlack : kRed; }

	std::mt19937 fRandom;
	FakeMeasurer fMeasurer;
	StyledText fModel;
};

// The lines outside the reported range must be the old ones: the same
// before it, and moved by the edit's length and height change after it.
void ExpectOnlyReportedLinesChanged(const std::vector<LineRecord>& before,
	const std::vector<LineRecord>& after, const LayoutChange& change, int32 lengthDelta)
{
	for (int32 i = 0; i < change.fromLine && i < static_cast<int32>(before.size()); i++)
		ASSERT_EQ(after[i], before[i]) << "line " << i << " before the change";
	int32 countDelta = static_cast<int32>(after.size()) - static_cast<int32>(before.size());
	for (int32 i = change.toLine + 1; i < static_cast<int32>(after.size()); i++) {
		LineRecord moved = before[i - countDelta];
		moved.offset += lengthDelta;
		moved.top += change.heightDelta;
		ASSERT_EQ(after[i], moved) << "line " << i << " after the change";
	}
}

class IncrementalLayoutTest : public testing::TestWithParam<Setting> {
};

} // namespace

TEST_P(IncrementalLayoutTest, RandomEditsLayOutAsTheWholeTextWould)
{
	const Setting& setting = GetParam();
	for (uint32 sequence = 0; sequence < 600; sequence++) {
		EditSequence edits(sequence * 7919 + 17, setting);
		StyledText& model = edits.Model();
		TextLayout reference(model.Text(), model.Styles(), edits.Measurer());
		EditSequence::Configure(reference, setting);
		for (int step = 0; step < 12; step++) {
			std::vector<LineRecord> before = AllRecords(model.Layout().Lines());
			int32 lengthBefore = model.Length();
			std::string what;
			LayoutChange change = edits.Edit(&what);
			SCOPED_TRACE("sequence " + std::to_string(sequence) + ", step "
				+ std::to_string(step) + ": " + what);

			std::vector<LineRecord> after = AllRecords(model.Layout().Lines());
			reference.Layout();
			ASSERT_EQ(after, AllRecords(reference.Lines()));
			ASSERT_TRUE(StartsOnBoundaries(model));
			ExpectOnlyReportedLinesChanged(before, after, change, model.Length() - lengthBefore);
			if (HasFatalFailure())
				return;
		}
	}
}

// Edits made while the view is hidden are wrapped together when the lines
// are next asked for, and must then give what wrapping them one by one gives.
TEST_P(IncrementalLayoutTest, DeferredEditsLayOutAsTheWholeTextWouldWhenAskedFor)
{
	const Setting& setting = GetParam();
	for (uint32 sequence = 0; sequence < 300; sequence++) {
		EditSequence edits(sequence * 104729 + 3, setting);
		StyledText& model = edits.Model();
		model.Layout().SetDeferTest([] { return true; });
		TextLayout reference(model.Text(), model.Styles(), edits.Measurer());
		EditSequence::Configure(reference, setting);
		std::string history;
		for (int step = 0; step < 12; step++) {
			std::string what;
			LayoutChange change = edits.Edit(&what);
			history += what + "; ";
			ASSERT_GT(change.fromLine, change.toLine) << "a deferred edit reports no lines";
			// Now and then a query in between wraps what waits so far.
			if (step % 5 != 4)
				continue;
			SCOPED_TRACE("sequence " + std::to_string(sequence) + ": " + history);
			reference.Layout();
			ASSERT_EQ(AllRecords(model.Layout().Lines()), AllRecords(reference.Lines()));
			model.Layout().Settle();
			ASSERT_FALSE(model.Layout().Settle()) << "nothing waits after a settle";
		}
		SCOPED_TRACE("sequence " + std::to_string(sequence) + ": " + history);
		model.Layout().Settle();
		reference.Layout();
		ASSERT_EQ(AllRecords(model.Layout().Lines()), AllRecords(reference.Lines()));
		ASSERT_TRUE(StartsOnBoundaries(model));
	}
}

INSTANTIATE_TEST_SUITE_P(Widths, IncrementalLayoutTest,
	testing::Values(Setting{"Narrow", 37.5f, true}, Setting{"Medium", 90, true},
		Setting{"Wide", 260, true}, Setting{"Unwrapped", 90, false}),
	[](const testing::TestParamInfo<Setting>& info) { return std::string(info.param.name); });

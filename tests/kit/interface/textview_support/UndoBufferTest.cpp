// How one undo step folds the changes made while it is open, so that
// taking them back restores the text exactly.

#include <textview_support/UndoBuffer.h>

#include <gtest/gtest.h>

#include <random>
#include <string>

using BPrivate::StyledPiece;
using BPrivate::UndoBuffer;
using BPrivate::UndoEdit;

namespace {

const int32 kTyping = 1;

// A plain string edited the way a text view's hooks edit, recorded in an
// undo buffer, and undone by applying the edits backwards.
class RecordedText {
public:
	explicit RecordedText(std::string text) : fText(std::move(text)) {}

	void Insert(int32 offset, const std::string& text)
	{
		fText.insert(offset, text);
		fUndo.RecordInsert(offset, static_cast<int32>(text.size()));
	}

	void Delete(int32 from, int32 to)
	{
		fUndo.RecordDelete(from, StyledPiece{fText.substr(from, to - from), {}});
		fText.erase(from, to - from);
	}

	void Undo()
	{
		int32 kind = 0;
		bool redo = false;
		std::vector<UndoEdit> edits;
		ASSERT_TRUE(fUndo.Take(&kind, &redo, &edits));
		for (auto edit = edits.rbegin(); edit != edits.rend(); ++edit) {
			fText.erase(edit->offset, edit->insertedLength);
			fText.insert(edit->offset, edit->JoinedRemoved().text);
		}
	}

	std::string fText;
	UndoBuffer fUndo;
};

TEST(UndoBufferFolding, TypingACharacterAndTakingItBackLeavesNothingToUndo)
{
	UndoBuffer undo;
	undo.Begin(kTyping, false);
	undo.RecordInsert(4, 1);
	undo.RecordDelete(4, StyledPiece{"x", {}});
	undo.End(1);
	EXPECT_EQ(undo.Kind(nullptr), 0);
}

TEST(UndoBufferFolding, RandomChangesAreUndoneExactly)
{
	std::mt19937 random(4711);
	for (int round = 0; round < 200; round++) {
		RecordedText text("The quick brown fox jumps over the lazy dog");
		std::string original = text.fText;
		text.fUndo.Begin(kTyping, false);
		for (int change = 0; change < 12; change++) {
			int32 length = static_cast<int32>(text.fText.size());
			int32 at = static_cast<int32>(random() % (length + 1));
			if (random() % 2 == 0 || length == 0) {
				text.Insert(at, std::string(1 + random() % 3, static_cast<char>('A' + random() % 26)));
			} else {
				int32 to = std::min(length, at + 1 + static_cast<int32>(random() % 4));
				text.Delete(at, to);
			}
		}
		text.fUndo.End(1);
		if (text.fText == original)
			continue;
		text.Undo();
		ASSERT_EQ(text.fText, original) << "round " << round;
	}
}

TEST(UndoBufferSteps, StepsNestInTheOuterOne)
{
	UndoBuffer undo;
	undo.Begin(2, false);
	undo.RecordDelete(0, StyledPiece{"ab", {}});
	undo.Begin(3, false);
	undo.RecordInsert(0, 1);
	undo.End(1);
	EXPECT_TRUE(undo.IsOpen());
	undo.End(2);
	bool redo = true;
	EXPECT_EQ(undo.Kind(&redo), 2);
	EXPECT_FALSE(redo);
}

TEST(UndoBufferSteps, RemovedRunsKeepTheirPlaceWhenPiecesAreJoined)
{
	UndoBuffer undo;
	undo.Begin(kTyping, false);
	BFont big;
	big.SetSize(20);
	text_run bold{0, big, make_color(200, 0, 0)};
	text_run plain{0, BFont(), make_color(0, 0, 0)};
	undo.RecordDelete(5, StyledPiece{"fgh", {bold}});
	plain.offset = 0;
	text_run secondBold = bold;
	secondBold.offset = 1;
	undo.RecordDelete(3, StyledPiece{"de", {plain, secondBold}});
	undo.End(1);
	int32 kind = 0;
	bool redo = false;
	std::vector<UndoEdit> edits;
	ASSERT_TRUE(undo.Take(&kind, &redo, &edits));
	ASSERT_EQ(edits.size(), 1u);
	StyledPiece joined = edits[0].JoinedRemoved();
	EXPECT_EQ(joined.text, "defgh");
	ASSERT_EQ(joined.runs.size(), 3u);
	EXPECT_EQ(joined.runs[0].offset, 0);
	EXPECT_EQ(joined.runs[1].offset, 1);
	EXPECT_EQ(joined.runs[2].offset, 2);
	EXPECT_EQ(joined.runs[2].font.Size(), 20);
}

} // namespace

// One step of undo over the engine's text: typing, deleting and formatting
// are taken back with their elements, a second undo redoes, and a step
// that no longer fits the page changes nothing. The run archive that keeps
// deleted runs names its tags, so another process can read it.

#include "ModelTesting.h"

#include "NodeTree.h"
#include "TagDictionary.h"
#include "TextChange.h"

using ModelTesting::ModelTest;

namespace {

class Undo : public ModelTest {
protected:
	// Typed key by key, as the view's key presses insert.
	void Type(const std::string& text, int32 offset)
	{
		BAutolock lock(Engine());
		for (size_t i = 0; i < text.size(); i++)
			View()->Insert(offset + static_cast<int32>(i), text.c_str() + i, 1);
	}

	void Delete(int32 start, int32 finish)
	{
		BAutolock lock(Engine());
		View()->Delete(start, finish);
	}

	undo_outcome TakeBack()
	{
		undo_outcome outcome = View()->UndoLastStep();
		Settle();
		return outcome;
	}

	void Format(int32 start, int32 end, const _tagdict* tag)
	{
		{
			BAutolock lock(Engine());
			View()->Select(start, end);
		}
		Engine()->Insert(tag, nullptr, INSERT_PLAIN);
		Settle();
	}

	// The class, tag and text of each entry of a run archive.
	static std::vector<std::string> Entries(const BMessage& archive)
	{
		std::vector<std::string> entries;
		BMessage entry;
		for (int32 i = 0; archive.FindMessage(std::to_string(i).c_str(), &entry) == B_OK; i++) {
			const char* className = "";
			const char* text = "";
			entry.FindString("class", &className);
			if (entry.FindString("text", &text) == B_OK) {
				entries.push_back(std::string("'") + text + "'");
				continue;
			}
			const char* tag = "";
			bool open = true;
			entry.FindString("_tag", &tag);
			entry.FindBool("opentag", &open);
			entries.push_back(std::string(open ? "" : "/") + tag);
		}
		return entries;
	}
};

} // namespace

TEST_F(Undo, TypingAWordIsTakenBackWholeAndASecondUndoTypesItAgain)
{
	Open("<html><body>one three</body></html>");
	Type("two ", 4);
	ASSERT_EQ(Body(), "one two three");
	EXPECT_EQ(TakeBack(), UNDO_DONE);
	EXPECT_EQ(Body(), "one three");
	EXPECT_EQ(TakeBack(), UNDO_DONE);
	EXPECT_EQ(Body(), "one two three");
}

TEST_F(Undo, DeletingABoldWordComesBackBoldAtItsOldOffset)
{
	Open("<html><body>a <b>bold</b> word</body></html>");
	std::string before = Body();
	int32 bold = static_cast<int32>(At<TextChange>(1)->ThisOffset());
	Delete(bold, bold + 5);
	std::string after = Body();
	ASSERT_EQ(after, "a word");
	EXPECT_EQ(TakeBack(), UNDO_DONE);
	EXPECT_EQ(Body(), before);
	ASSERT_NE(At<TextChange>(1), nullptr);
	EXPECT_EQ(At<TextChange>(1)->Type(), tag_b);
	EXPECT_EQ(At<TextChange>(1)->ThisOffset(), bold);
	EXPECT_EQ(TakeBack(), UNDO_DONE) << "the redo";
	EXPECT_EQ(Body(), after);
}

// The bold that is open where the selection starts opens the run, and
// closes where it closed on the page, not at the run's end.
TEST_F(Undo, AnArchiveStartingInsideBoldOpensItAndClosesItWhereItEnded)
{
	Open("<html><body>x<b>bold</b>y z</body></html>");
	int32 open = static_cast<int32>(At<TextChange>(1)->ThisOffset());
	BMessage archive;
	ASSERT_EQ(View()->ArchiveRun(&archive, open + 2, open + 6), B_OK);
	std::vector<std::string> expected = {"b", "'ld'", "/b", "'y '"};
	EXPECT_EQ(Entries(archive), expected);
	BMessage first;
	ASSERT_EQ(archive.FindMessage("0", &first), B_OK);
	int32 relative = -1;
	EXPECT_EQ(first.FindInt32("relative_offset", &relative), B_OK);
	EXPECT_EQ(relative, 0);
	EXPECT_NE(first.FindPointer("_tag", nullptr), B_OK) << "a tag goes by name";
	EXPECT_EQ(View()->ArchiveRun(&archive, -1, 2), B_ERROR);
	EXPECT_EQ(View()->ArchiveRun(&archive, 0, View()->TextLength() + 1), B_ERROR);
	EXPECT_EQ(View()->ArchiveRun(nullptr, 0, 1), B_ERROR);
}

TEST_F(Undo, ARunNamingATagThisProgramDoesNotKnowIsRefusedWhole)
{
	Open("<html><body>abc</body></html>");
	BMessage archive;
	ASSERT_EQ(View()->ArchiveRun(&archive, 0, 3), B_OK);
	BMessage bold;
	bold.AddString("class", "TextChange");
	bold.AddString("_tag", "blinkenlights");
	bold.AddInt32("_type", StartTag);
	bold.AddBool("opentag", true);
	archive.AddMessage("1", &bold);
	std::string before = VisualText();
	EXPECT_EQ(View()->UnarchiveRun(&archive, 1), -1);
	EXPECT_EQ(VisualText(), before);
	// A name a page declared is an unsupported tag's only.
	bold.AddBool("_tag_declared_empty", false);
	archive.ReplaceMessage("1", &bold);
	EXPECT_EQ(View()->UnarchiveRun(&archive, 1), -1);
	EXPECT_EQ(VisualText(), before);
}

// Recorded as an insertion, the command's undo would have deleted the
// words it formatted.
TEST_F(Undo, AFormattingCommandIsTakenBackToTheRunAsItWas)
{
	Open("<html><body>one <i>two</i> three four</body></html>");
	std::string before = Body();
	std::string text = VisualText();
	int32 from = static_cast<int32>(text.find("two"));
	int32 to = static_cast<int32>(text.find("four"));
	Format(from, to, tag_b);
	std::string after = Body();
	ASSERT_NE(after, before);
	EXPECT_EQ(TakeBack(), UNDO_DONE);
	EXPECT_EQ(Body(), before);
	EXPECT_EQ(TakeBack(), UNDO_DONE);
	EXPECT_EQ(Body(), after);
}

TEST_F(Undo, AStepThatNoLongerFitsThePageChangesNothing)
{
	Open("<html><body>a<br>b<hr>c</body></html>");
	Visual_Element* lineBreak = (*List())[1].element;
	std::string before;
	{
		BAutolock lock(Engine());
		View()->SetUndo(UNDO_ELEMENT, lineBreak);
		View()->SuppressUndo(true);
		Engine()->Delete(lineBreak);
		View()->SuppressUndo(false);
	}
	before = Body();
	EXPECT_EQ(TakeBack(), UNDO_NOT_POSSIBLE) << "its element is gone";
	EXPECT_EQ(Body(), before);
	{
		BAutolock lock(Engine());
		View()->SetUndo(UNDO_INSERT, 2, View()->TextLength() + 5);
	}
	EXPECT_EQ(TakeBack(), UNDO_NOT_POSSIBLE) << "its range lies past the text";
	EXPECT_EQ(Body(), before);
}

TEST_F(Undo, AnElementTheUserMadeIsTakenBackAndGivenAgainWhileItLives)
{
	Open("<html><body>a<hr>b</body></html>");
	std::string before = Body();
	Visual_Element* rule = (*List())[1].element;
	{
		BAutolock lock(Engine());
		View()->SetUndo(UNDO_ELEMENT, rule);
	}
	EXPECT_EQ(TakeBack(), UNDO_DONE);
	EXPECT_EQ(Body(), "ab");
	EXPECT_EQ(TakeBack(), UNDO_DONE);
	EXPECT_EQ(Body(), before);
}

// A line break put in is no step the record covers: undo would take the
// wrong characters away.
TEST_F(Undo, AnEditTheRecordDoesNotCoverClearsIt)
{
	Open("<html><body>abc</body></html>");
	Type("xy", 1);
	_node* node = fPage->NewNode();
	node->tag = tag_br;
	node->type = StartEndTag;
	Engine()->InsertAt(2, node, INSERT_EDIT, nullptr);
	std::string before = Body();
	EXPECT_EQ(TakeBack(), UNDO_NOTHING_RECORDED);
	EXPECT_EQ(Body(), before);
}

TEST_F(Undo, WritingThePageKeepsTheRecord)
{
	Open("<html><body>a <b>b</b> c</body></html>");
	Type("new ", 0);
	Generated();
	EXPECT_EQ(TakeBack(), UNDO_DONE);
	EXPECT_EQ(Body(), "a <B>b</B> c");
}

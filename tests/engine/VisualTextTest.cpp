// The engine's text: every insertion and deletion keeps
// the elements where they belong, deletions take whole element spaces and
// paired tags along, and the text is written to HTML and read from it.

#include "ModelTesting.h"

#include "TagDictionary.h"
#include "TextChange.h"

using ModelTesting::ModelTest;

namespace {

class ViewText : public ModelTest {
protected:
	void Insert(const char* text, int32 offset, insert_mode mode = INSERT_EDIT)
	{
		BAutolock lock(Engine());
		View()->SetInsertMode(mode);
		View()->Insert(offset, text, static_cast<int32>(strlen(text)));
		View()->SetInsertMode(INSERT_EDIT);
	}

	void Delete(int32 start, int32 finish)
	{
		BAutolock lock(Engine());
		View()->Delete(start, finish);
	}

	std::string HTMLOf(int32 from, int32 to)
	{
		fPage->ClearHTMLBuffer();
		BAutolock lock(Engine());
		long length = View()->TextHTML(from, to);
		return std::string(static_cast<const char*>(fPage->HTMLBuffer()->Buffer()), length);
	}

	// Element offsets agree with the text: every element stands at a place
	// of the text, in order.
	void ExpectConsistent()
	{
		BAutolock lock(Engine());
		long previous = 0;
		for (unsigned long i = 1; i <= List()->LastIndex(); i++) {
			Element_List_Item item = (*List())[i];
			EXPECT_GE(item.offset, previous);
			EXPECT_LE(item.offset + std::max(item.spaceTo, 0), View()->TextLength());
			EXPECT_EQ(item.element->ThisOffset(), item.offset);
			previous = item.offset;
		}
	}
};

} // namespace

TEST_F(ViewText, AnEditShiftsTheElementsAtItsOffsetABuildLeavesThemInFront)
{
	Open("<html><body>ab<b>c</b>d</body></html>");
	TextChange* bold = At<TextChange>(1);
	Insert("X", 2);
	EXPECT_EQ(bold->ThisOffset(), 3) << "typed in front of the bold text";
	Insert("Y", 3, INSERT_BUILD);
	EXPECT_EQ(bold->ThisOffset(), 3) << "built behind the element";
	EXPECT_EQ(Body(), "abX<B>Yc</B>d");
}

// Typed text goes behind the elements at its place, but was drawn with
// their formatting: bold or a heading on screen, plain in the file.
TEST_F(ViewText, TypedTextIsDrawnAsItIsWritten)
{
	Open("<html><body>a<b>bc</b>d</body></html>");
	Insert("X", 1);
	Insert("Y", 4);
	EXPECT_EQ(Body(), "aX<B>bcY</B>d");
	BFont font;
	{
		BAutolock lock(Engine());
		View()->GetFontAndColor(1, &font);
		EXPECT_EQ(font.Face() & B_BOLD_FACE, 0) << "X stands before the bold text";
		View()->GetFontAndColor(4, &font);
		EXPECT_NE(font.Face() & B_BOLD_FACE, 0) << "Y stands inside it";
	}

	Open("<html><body><h1>Head</h1>plain</body></html>");
	Insert("Q", 0);
	EXPECT_EQ(Body().find("Q"), 0u) << Body();
	BAutolock lock(Engine());
	BFont plain;
	View()->GetFontAndColor(0, &font);
	View()->GetFontAndColor(View()->TextLength() - 1, &plain);
	EXPECT_EQ(font.Size(), plain.Size()) << "Q is body text, not the heading's";
}

// A line break with its character, a rule with its whole line, one end of
// a paragraph with the other.
TEST_F(ViewText, DeletingTheCharactersOfAnElementTakesTheElementAndAllItOwns)
{
	struct Row {
		const char* body;
		int32 start;
		int32 fromEnd;		// the deletion ends this far before the text's end
		const char* text;
	};
	const Row rows[] = {
		{"abc<br>def", 2, 2, "abef"},
		{"ab<hr>cd", 1, 1, "ad"},
		{"ab<p>cd</p>ef", 2, 4, "abcdef"},
	};
	for (const Row& row : rows) {
		Open(std::string("<html><body>") + row.body + "</body></html>");
		int32 length = static_cast<int32>(VisualText().size());
		Delete(row.start, length - row.fromEnd);
		EXPECT_EQ(VisualText(), row.text) << row.body;
		EXPECT_EQ(List()->LastIndex(), 0u);
		ExpectConsistent();
	}
	EXPECT_EQ(Body(), "abcdef");
}

TEST_F(ViewText, AStyleAroundKeptTextStaysOneWithoutTextGoes)
{
	Open("<html><body>a<b>bcd</b>e<i>f</i>g</body></html>");
	Delete(2, 3);
	EXPECT_EQ(Body(), "a<B>bd</B>e<I>f</I>g");
	Delete(4, 5);
	EXPECT_EQ(Body(), "a<B>bd</B>eg") << "an emptied pair goes with its partner";
	ExpectConsistent();
}

TEST_F(ViewText, ADeletionNeverLeavesTwoSpacesInARow)
{
	Open("<html><body>one two three</body></html>");
	Delete(4, 7);
	EXPECT_EQ(VisualText(), "one three");
}

TEST_F(ViewText, PlainTextIsWrittenWithItsEntities)
{
	Open("<html><body>a&lt;b &amp; caf&eacute;&nbsp;x<br>y<pre>1\n2</pre></body></html>");
	std::string text = VisualText();
	EXPECT_EQ(HTMLOf(0, static_cast<int32>(text.size())),
		"a&lt;b &amp; caf&eacute;&nbsp;xy1\r\n2") << "the break's line feed is its own";
	EXPECT_EQ(HTMLOf(5, 2), "");
}

TEST_F(ViewText, ReadTextTurnsTheShownEntitiesIntoCharacters)
{
	Open("");
	BAutolock lock(Engine());
	EXPECT_EQ(View()->ReadText("a&amp;b&COPY;"), 5);
	EXPECT_EQ(std::string(View()->Text()), "a&b\xC2\xA9");
	View()->ReadText("&nbsp;&lt;&gt;&reg;&other; &");
	EXPECT_EQ(std::string(View()->Text()), "a&b\xC2\xA9\x0F<>\xC2\xAE&other; &");
	EXPECT_EQ(View()->ReadText(""), 0);
	EXPECT_EQ(View()->ReadText(nullptr), 0);
}

TEST_F(ViewText, InsertModesAboveOneAreIgnored)
{
	Open("");
	BAutolock lock(Engine());
	View()->SetInsertMode(INSERT_BUILD);
	View()->SetInsertMode(static_cast<insert_mode>(2));
	EXPECT_EQ(View()->InsertMode(), INSERT_BUILD);
	EXPECT_EQ(View()->InsertionShift(), 1);
	View()->SetInsertMode(INSERT_EDIT);
	EXPECT_EQ(View()->InsertionShift(), 0);
}

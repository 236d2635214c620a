// The visual view as the user edits it: keys, the mouse, drops and the
// clipboard reach it as messages to its window, and the elements, the
// text and the page's HTML stay in step.

#include <sys/stat.h>

#include <mutex>
#include <string>
#include <vector>

#include <AppPrivate.h>
#include <WindowTesting.h>

#include "PageTesting.h"

#include "HTML_Element.h"
#include "KBottomBar.h"
#include "TestPictures.h"
#include "Visual_Element.h"
#include "WImage.h"

using PageTesting::PageTest;

namespace {

constexpr uint32 kCtrl = B_COMMAND_KEY | B_CONTROL_KEY;

class VisualEditing : public PageTest {
protected:
	void Press(const char* bytes, uint32 modifiers = 0)
	{
		BPrivate::PostKey(VisualWindow(), bytes, modifiers);
		Idle();
	}

	void Idle()
	{
		BPrivate::WaitForWindowIdle(VisualWindow());
		Settle();
	}

	int32 Caret(bool start = false)
	{
		int32 edges[2] = {0, 0};
		BAutolock lock(VisualWindow());
		View()->GetSelection(&edges[0], &edges[1]);
		return edges[start ? 0 : 1];
	}

	bool Changed() const { return fPage->VisualWindow()->IsChanged(); }
	void ForgetChanges() { fPage->VisualWindow()->NotChanged(); }

	// Where no element's room may hold the caret: past its first character.
	void ExpectCaretOutsideRooms()
	{
		BAutolock lock(VisualWindow());
		int32 start = 0;
		int32 end = 0;
		View()->GetSelection(&start, &end);
		for (int32 edge : {start, end}) {
			long holder = List()->InElementSpaceAt(edge);
			if (holder > 0) {
				EXPECT_EQ((*List())[holder].offset, edge) << "inside the room of " << holder;
			}
		}
	}

	// How much lower the text of the line holding to stands than right
	// below the line holding from: the room between them. Text sits on the
	// bottom of a taller line.
	float RoomBetween(int32 from, int32 to)
	{
		BAutolock lock(VisualWindow());
		return Bottom(to) - TextHeight(to) - Bottom(from);
	}

	float Bottom(int32 offset)
	{
		return View()->PointAt(offset).y + View()->LineHeight(View()->LineAt(offset));
	}

	float TextHeight(int32 offset)
	{
		BFont font;
		View()->GetFontAndColor(offset, &font);
		font_height height;
		font.GetHeight(&height);
		return height.ascent + height.descent + height.leading;
	}
};

struct KeyCase {
	const char* situation;
	const char* html;
	int32 start;
	int32 end;
	const char* bytes;
	uint32 modifiers;
	const char* body;
	int32 caret;
};

// Texts: "ab cd"; "a<hr>b" is a \n + one blank + \n, b at 4; a heading
// opens with its own \n and one blank.
const KeyCase kKeyCases[] = {
	{"a space after a space is not typed", "ab cd", 3, 3, " ", 0, "ab cd", 3},
	{"a space before a space steps over it", "ab cd", 2, 2, " ", 0, "ab cd", 3},
	{"Shift+Space after a space is a non-breaking one", "ab cd", 3, 3, " ", B_SHIFT_KEY,
		"ab &nbsp;cd", 4},
	{"Tab takes the selection and types nothing", "abcd", 1, 3, "\t", 0, "ad", 1},
	{"Tab without a selection does nothing", "abcd", 1, 1, "\t", 0, "abcd", 1},
	{"Enter deletes the selection and breaks the line behind the break", "abcd", 1, 3, "\n", 0,
		"a<BR>\r\nd", 2},
	{"Shift+Enter starts a paragraph, the caret behind its room", "abcd", 2, 2, "\n",
		B_SHIFT_KEY, "ab\r\n<P>cd", 4},
	{"Backspace behind a rule takes the whole rule", "a<hr>b", 4, 4, "\x08", 0, "ab", 1},
	{"Delete in front of a rule takes the whole rule", "a<hr>b", 1, 1, "\x7F", 0, "ab", 1},
	{"Delete in front of a heading steps over its room, deleting nothing", "a<h1>b</h1>", 1,
		1, "\x7F", 0, "a\r\n<H1>b</H1>", 3},
	{"Delete in a bold run keeps the run", "a<b>bc</b>d", 1, 2, "\x7F", 0, "a<B>c</B>d", 1},
	{"Ctrl+Delete deletes the next word", "one two", 0, 0, "\x7F", kCtrl, " two", 0},
	{"Delete with a selection that ends on a paragraph takes the paragraph and its end",
		"x<p>one</p>", 0, 3, "\x7F", 0, "one", 0},
};

} // namespace

TEST_F(VisualEditing, KeysFollowTheirRules)
{
	for (const KeyCase& row : kKeyCases) {
		SCOPED_TRACE(row.situation);
		Open(std::string("<html><body>") + row.html + "</body></html>");
		Select(row.start, row.end);
		Press(row.bytes, row.modifiers);
		EXPECT_EQ(Body(), row.body);
		EXPECT_EQ(Caret(), row.caret);
		ExpectCaretOutsideRooms();
		TearDown();
	}
}

TEST_F(VisualEditing, ArrowsStepOverAnElementsRoomAndUpAndDownLandOnItsEdges)
{
	Open("<html><body>a<hr>b</body></html>");
	Select(1, 1);
	Press("\x1D");
	EXPECT_EQ(Caret(), 4) << "right: over the rule in one press";
	Press("\x1C");
	EXPECT_EQ(Caret(), 1) << "left: back in one press";
	Press("\x1F");
	EXPECT_EQ(Caret(), 4) << "down onto the rule's line: its end";
	Press("\x1E");
	EXPECT_EQ(Caret(), 1) << "up onto the rule's line: its start";
	EXPECT_FALSE(Changed());
}

TEST_F(VisualEditing, TheCaretPutInsideARoomGoesToItsNearerEdge)
{
	Open("<html><body>a<h1>b</h1></body></html>");
	Select(2, 2);
	EXPECT_EQ(Caret(), 3) << "a tie goes to the end";
	Select(0, 2);
	EXPECT_EQ(Caret(true), 0);
	EXPECT_EQ(Caret(), 3);
}

TEST_F(VisualEditing, FunctionKeysAndTheirCtrlShortcutsAskTheWindowAndChangeNothing)
{
	Open("<html><body>abc</body></html>");
	// The window answers both commands itself: they are seen on their way
	// to it and kept from it, so that no window or editor comes up.
	std::mutex lock;
	std::vector<uint32> commands;
	BLooper* window = VisualWindow();
	BPrivate::SetDispatchObserver([&](BLooper* looper, BMessage* message) {
		if (looper != window || (message->what != 'shww' && message->what != 'sexe'))
			return false;
		std::lock_guard<std::mutex> guard(lock);
		commands.push_back(message->what);
		return true;
	});
	BPrivate::PostFunctionKey(VisualWindow(), B_F11_KEY);
	BPrivate::PostFunctionKey(VisualWindow(), B_F12_KEY);
	Press("t", kCtrl);
	Press("e", kCtrl);
	BPrivate::SetDispatchObserver(nullptr);
	EXPECT_EQ(commands, (std::vector<uint32>{'shww', 'sexe', 'shww', 'sexe'}));
	EXPECT_EQ(VisualText(), "abc");
	EXPECT_FALSE(Changed());
}

// Ctrl+Insert copies, Shift+Delete cuts, Shift+Insert pastes.
TEST_F(VisualEditing, TheInsertAndDeleteKeysWorkTheClipboardAsOnAPC)
{
	Open("<html><body>abcd</body></html>");
	Select(1, 3);
	Press("\x05", kCtrl);
	EXPECT_FALSE(Changed()) << "a copy is no edit";
	Press("\x05");
	EXPECT_EQ(VisualText(), "abcd");
	EXPECT_FALSE(Changed()) << "Insert alone does nothing";
	Press("\x7F", B_SHIFT_KEY);
	EXPECT_EQ(VisualText(), "ad");
	EXPECT_TRUE(Changed());
	Select(2, 2);
	Press("\x05", B_SHIFT_KEY);
	EXPECT_EQ(VisualText(), "adbc");
}

TEST_F(VisualEditing, OnlyRealChangesMarkThePageChanged)
{
	Open("<html><body><p>one two three</p><p>four</p></body></html>");
	struct Press_ {
		const char* bytes;
		uint32 modifiers;
	};
	const Press_ looks[] = {{"\x1D", 0}, {"\x1C", 0}, {"\x1F", 0}, {"\x1E", 0}, {"\x01", 0},
		{"\x04", 0}, {"\x0B", 0}, {"\x0C", 0}, {"\x05", 0}, {"\x1D", B_SHIFT_KEY},
		{"\x05", kCtrl}};
	Select(1, 1);
	ForgetChanges();
	for (const Press_& look : looks) {
		Press(look.bytes, look.modifiers);
		EXPECT_FALSE(Changed()) << "key " << int(look.bytes[0]);
	}
	BPrivate::PostClick(VisualWindow(), WindowPoint(5));
	Idle();
	EXPECT_FALSE(Changed()) << "a click";
	Select(0, 0);
	Press("\x08");
	EXPECT_FALSE(Changed()) << "Backspace with nothing before the caret";

	const Press_ edits[] = {{"x", 0}, {"\x08", 0}, {"\n", 0}, {"\x7F", 0}, {"\t", 0}};
	for (const Press_& edit : edits) {
		Select(3, 5);
		ForgetChanges();
		Press(edit.bytes, edit.modifiers);
		EXPECT_TRUE(Changed()) << "key " << int(edit.bytes[0]);
	}
}

TEST_F(VisualEditing, AnEditByTheMouseOrTheClipboardMarksThePageChangedAndClosingAsksToSave)
{
	Open("<html><body>one two three</body></html>");
	Select(0, 3);
	Press("c", kCtrl);
	Select(8, 8);
	ForgetChanges();
	Press("v", kCtrl);
	EXPECT_EQ(VisualText(), "one two onethree");
	EXPECT_TRUE(Changed()) << "a paste";

	// The selection dragged behind "three" and dropped there.
	Select(0, 4);
	ForgetChanges();
	BPoint from = WindowPoint(1);
	BPoint to = WindowPoint(15) + BPoint(12, 0);
	BPrivate::PostMouseDown(VisualWindow(), from);
	BPrivate::PostMouseMoved(VisualWindow(), from + BPoint(8, 0), B_PRIMARY_MOUSE_BUTTON);
	BPrivate::PostMouseMoved(VisualWindow(), to, B_PRIMARY_MOUSE_BUTTON);
	BPrivate::PostMouseUp(VisualWindow(), to);
	Idle();
	EXPECT_EQ(VisualText().find("one "), VisualText().size() - 4) << VisualText();
	EXPECT_TRUE(Changed()) << "a drag of text";

	BPrivate::ForgetAlertsShown();
	BPrivate::SetAlertResponder([](const BPrivate::AlertRecord&) { return 0; });
	EXPECT_FALSE(fPage->Quit()) << "cancelled";
	BPrivate::SetAlertResponder(nullptr);
	std::vector<BPrivate::AlertRecord> alerts = BPrivate::AlertsShown();
	ASSERT_EQ(alerts.size(), 1u);
	EXPECT_NE(alerts[0].text.find("Save changes"), std::string::npos);
}

// A dropped picture goes to the engine as an IMG where it fell, its SRC
// relative to the page; the drop is the view's, so no name of the file is
// typed as well.
TEST_F(VisualEditing, ADroppedPictureBecomesAnImageAndOtherFilesAreIgnored)
{
	Open("<html><body>abcd</body></html>");
	fFolder.Write("notes.txt", "text");
	ASSERT_EQ(mkdir((fFolder / "pics").c_str(), 0755), 0);
	ASSERT_TRUE(WritePicture(fFolder / "pics/HOLIDAY.JPEG", 30, 20, {0, 0, 255, 255}, "jpeg"));
	ForgetChanges();
	BPrivate::PostFilesDropped(VisualWindow(), WindowPoint(2),
		{fFolder / "notes.txt", fFolder / "missing.png"});
	Idle();
	EXPECT_EQ(VisualText(), "abcd");
	EXPECT_EQ(List()->LastIndex(), 0u);
	EXPECT_FALSE(Changed());

	BPrivate::PostFilesDropped(VisualWindow(), WindowPoint(2),
		{fFolder / "pics/HOLIDAY.JPEG"});
	Idle();
	ASSERT_EQ(List()->LastIndex(), 1u);
	WImage* image = dynamic_cast<WImage*>((*List())[1].element);
	ASSERT_NE(image, nullptr);
	EXPECT_TRUE(image->IsLoaded());
	EXPECT_EQ((*List())[1].offset, 2);
	EXPECT_EQ(VisualText().find("HOLIDAY"), std::string::npos);
	EXPECT_TRUE(Changed());
	EXPECT_EQ(Body(), "ab<IMG SRC=\"pics/HOLIDAY.JPEG\" ALT=\"HOLIDAY.JPEG\" WIDTH=\"30\" "
		"HEIGHT=\"20\" BORDER=\"0\">cd");
}

// Lines of one paragraph are spaced evenly: the paragraph's room starts
// its first line, and no line feed of an element makes the line it ends
// taller.
TEST_F(VisualEditing, TheLinesOfAParagraphAreSpacedEvenly)
{
	std::string words;
	for (int i = 0; i < 40; i++)
		words += "word ";
	Open("<html><body><p>" + words + "</p><hr><p>" + words + "<b>end</b></p></body></html>");
	BAutolock lock(VisualWindow());
	std::string text = View()->Text();
	for (int32 paragraph : {0, static_cast<int32>(text.rfind('\n'))}) {
		int32 first = View()->LineAt(paragraph + 1);
		int32 last = View()->LineAt(static_cast<int32>(text.find('\n', paragraph + 1)) - 1);
		if (paragraph > 0)
			last = View()->CountLines() - 1;
		ASSERT_GT(last, first + 1) << "the paragraph wraps";
		for (int32 line = first + 2; line <= last; line++)
			EXPECT_EQ(View()->LineHeight(line), View()->LineHeight(first + 1)) << "line " << line;
	}
}

// Between blocks there is one room, as a browser collapses their margins:
// none is added behind a heading that a paragraph follows, nor by an empty
// paragraph; a rule has the room above and below it. A line that holds
// only the end of a run is as tall as a line of its text.
TEST_F(VisualEditing, BlocksAreSetApartByOneRoomAndLinesOfNoTextAreNoTaller)
{
	struct Row {
		const char* situation;
		const char* html;
		int rooms;	// between the words one and two
	};
	const Row rows[] = {
		{"two paragraphs", "<p>one</p><p>two</p>", 1},
		{"a heading and a paragraph", "<h1>one</h1><p>two</p>", 1},
		{"an empty paragraph between", "<p>one</p><p></p><p>two</p>", 1},
		{"a rule between paragraphs", "<p>one</p><hr><p>two</p>", 2},
		{"a bold run ending behind a break", "<p>one <b>bold<br></b></p><p>two</p>", 1},
	};
	float room = 0;
	for (const Row& row : rows) {
		Open(std::string("<html><body>") + row.html + "</body></html>");
		std::string text = VisualText();
		int32 one = static_cast<int32>(text.find("one"));
		int32 two = static_cast<int32>(text.find("two"));
		if (room == 0)
			room = RoomBetween(one, two);
		ASSERT_GT(room, 4) << "paragraphs are set apart";
		float textLines = 0;
		{
			BAutolock lock(VisualWindow());
			for (int32 line = View()->LineAt(one) + 1; line < View()->LineAt(two); line++) {
				if (View()->OffsetAt(line + 1) - View()->OffsetAt(line) == 1) {
					EXPECT_LE(View()->LineHeight(line), TextHeight(one) + 2) << row.situation;
				}
			}
			if (std::string(row.html).find("<br>") != std::string::npos)
				textLines = TextHeight(one);
		}
		EXPECT_NEAR(RoomBetween(one, two), row.rooms * room + textLines, 5) << row.situation;
	}
}

TEST_F(VisualEditing, ALineThatStartsWithAParagraphsRoomIsMeasuredWithoutIt)
{
	Open("<html><body>abc<p>def</p></body></html>");
	BAutolock lock(VisualWindow());
	int32 d = static_cast<int32>(std::string(View()->Text()).find('d'));
	long holder = View()->SpaceOnLineAt(d);
	ASSERT_GT(holder, 0);
	EXPECT_EQ((*List())[holder].offset, 3);
	EXPECT_EQ(View()->SpaceOnLineAt(0), -1);
	EXPECT_LT(View()->LineWidthWithoutSpaceAt(d), View()->LineWidth(View()->LineAt(d)));
	EXPECT_EQ(View()->LineWidthWithoutSpaceAt(0), View()->LineWidth(0));
	EXPECT_EQ(View()->SpaceOnLine(View()->CountLines()), -1);
}

// Ctrl+Z takes back what the keys did, elements and all, and a second one
// does it again; the base view keeps no history of its own beside it.
TEST_F(VisualEditing, CtrlZTakesBackTypingAndADeletedBoldWordAndRedoes)
{
	Open("<html><body>one <b>bold</b> word</body></html>");
	std::string original = Body();
	Select(0, 0);
	Press("new ");
	ASSERT_EQ(Body(), "new one <B>bold</B> word");
	Press("z", kCtrl);
	EXPECT_EQ(Body(), original);
	Press("z", kCtrl);
	EXPECT_EQ(Body(), "new one <B>bold</B> word");
	Press("z", kCtrl);
	int32 bold = VisualText().find("bold");
	Select(bold - 1, bold + 4);
	Press("\x08");
	ASSERT_EQ(Body(), "one word");
	ForgetChanges();
	Press("z", kCtrl);
	EXPECT_EQ(Body(), original);
	EXPECT_TRUE(Changed());
	{
		BAutolock lock(VisualWindow());
		EXPECT_FALSE(View()->DoesUndo());
	}
}

TEST_F(VisualEditing, AnUndoThatCannotBeCarriedOutChangesNothingAndSaysSo)
{
	Open("<html><body>abc</body></html>");
	{
		BAutolock lock(VisualWindow());
		View()->SetUndo(UNDO_INSERT, 1, 40);
	}
	Press("z", kCtrl);
	EXPECT_EQ(VisualText(), "abc");
	BAutolock lock(VisualWindow());
	EXPECT_EQ(std::string(fPage->VisualWindow()->BottomBar()->Text()),
		"Undo not possible: the page has changed where the last edit was");
}

// Typing over a word between two blanks: deleting the word first made the
// blanks meet, and the double-space rule took one ("a dogand"). One undo
// gives the word back.
TEST_F(VisualEditing, TypingOverAWordBetweenBlanksKeepsBothBlanks)
{
	Open("<html><body>a <b>cat</b> and</body></html>");
	int32 cat = VisualText().find("cat");
	Select(cat, cat + 3);
	Press("d");
	Press("og");
	EXPECT_EQ(Body(), "a <B>dog</B> and");
	Press("z", kCtrl);
	EXPECT_EQ(Body(), "a <B>cat</B> and");
}

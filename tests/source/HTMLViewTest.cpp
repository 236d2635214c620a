// The HTML window's source view as the user meets it: a large page is
// coloured while it can be typed in, ending with the colours of the whole
// text; keys that do not edit leave the page as saved; line ends that come
// in from other programs become LF.

#include <WindowTesting.h>

#include "PageTesting.h"
#include "ScopedEnvironment.h"
#include "TempDirectory.h"

#include "SourceColoring.h"

using PageTesting::PageTest;

namespace {

const char kBackspace[] = {B_BACKSPACE, 0};
const char kInsert[] = {B_INSERT, 0};
const char kRight[] = {B_RIGHT_ARROW, 0};
const char kPageDown[] = {B_PAGE_DOWN, 0};
const uint32 kCtrl = B_COMMAND_KEY | B_CONTROL_KEY;

class SourceView : public PageTest {
protected:
	// Copying and pasting use a clipboard store of the test's own: tests
	// run side by side, and another's copy would change what is pasted.
	void SetUp() override { fEnvironment.Set("XDG_RUNTIME_DIR", fStoreFolder.Path()); }

	HWindow* Window() const { return fPage->HTMLWindow(); }
	HTML_View* View() const { return Window()->View(); }
	void Idle() { ASSERT_EQ(BPrivate::WaitForWindowIdle(Window()), B_OK); }

	std::string Text() const
	{
		BAutolock lock(Window());
		return View()->Text();
	}

	void Select(int32 start, int32 finish)
	{
		BAutolock lock(Window());
		View()->Select(start, finish);
	}

	// The table index of each byte's colour, as the view shows it.
	std::string ShownColors() const
	{
		BAutolock lock(Window());
		int32 length = View()->TextLength();
		BPrivate::RunArrayPointer runs(View()->RunArray(0, length));
		std::string colors;
		for (int32 i = 0; i < runs->count; i++) {
			int32 end = i + 1 < runs->count ? runs->runs[i + 1].offset : length;
			char index = '?';
			for (int32 kind = 0; kind < SOURCE_COLOR_COUNT; kind++) {
				if (View()->Colors().colors[kind] == runs->runs[i].color)
					index = static_cast<char>('0' + kind);
			}
			colors.append(end - runs->runs[i].offset, index);
		}
		return colors;
	}

	TempDirectory fStoreFolder;
	ScopedEnvironment fEnvironment;
};

} // namespace

// The lines in view have their colours as soon as the text is in, while
// most of the page still waits for its colours. Keys reach the view then:
// typed where the colouring has not been yet, where it has, and over a
// selection; in the end every byte has the colour of the whole text.
TEST_F(SourceView, TypingWhileALargePageIsColouredEndsWithTheColoursOfTheWholeText)
{
	bool colouredAtOnce = true;
	std::string shownFirst;
	std::string firstScreen;
	std::string unit = "<P ALIGN=\"left\">some &amp; text <B>bold</B> &nbsp;<BR></P>\n";
	std::string html = "<HTML><BODY>\n";
	while (html.size() < (600 << 10))
		html += unit;
	html += "</BODY></HTML>\n";
	Open("<HTML><BODY></BODY></HTML>\n");
	Window()->Show();
	Idle();
	{
		BAutolock lock(Window());
		View()->SetText(html.c_str());
		std::string shown = ShownColors();
		std::string whole = Colors(html);
		colouredAtOnce = shown == whole;
		BRect bounds = View()->Bounds();
		int32 last = View()->OffsetAt(View()->LineAt(BPoint(bounds.right, bounds.bottom)) + 1);
		shownFirst = shown.substr(0, last);
		firstScreen = whole.substr(0, last);
	}
	const int32 middle = static_cast<int32>(html.size() / 2 / unit.size() * unit.size()) + 13;
	struct Typing {
		int32 at;
		int32 selected;
		const char* keys;
	} typing[] = {
		{middle + 4, 0, "\"x"},
		{middle + 30, 0, "<I"},
		{20, 0, "&amp"},
		{middle + 10, 12, ""},
		{static_cast<int32>(html.size()) - 40, 0, ">"},
		{middle + 2, 3, "<"},
	};
	for (const Typing& step : typing) {
		Select(step.at, step.at + step.selected);
		if (step.selected > 0) {
			ASSERT_EQ(BPrivate::PostKey(Window(), kBackspace), B_OK);
		}
		ASSERT_EQ(BPrivate::TypeText(Window(), step.keys), B_OK);
	}
	Idle();
	EXPECT_FALSE(colouredAtOnce);
	EXPECT_GT(firstScreen.size(), 100u);
	EXPECT_EQ(shownFirst, firstScreen) << "the first screen is coloured before the rest";
	std::string text = Text();
	EXPECT_NE(text, html);
	EXPECT_EQ(ShownColors(), Colors(text));
}

TEST_F(SourceView, OnlyKeysThatEditMarkThePageChanged)
{
	Open("<HTML><BODY><B>bold</B></BODY></HTML>\n");
	Window()->Show();
	{
		BAutolock lock(Window());
		View()->MakeFocus(true);
	}
	const struct {
		const char* what;
		const char* bytes;
		uint32 modifiers;
		int32 key;
		bool edits;
	} keys[] = {
		{"an arrow", kRight, 0, 0, false},
		{"page down", kPageDown, 0, 0, false},
		{"copy", "c", kCtrl, 0, false},
		{"copy with Insert", kInsert, kCtrl, 0, false},
		{"a function key", nullptr, 0, B_F5_KEY, false},
		{"F10", nullptr, 0, B_F10_KEY, false},
		{"a letter", "x", 0, 0, true},
		{"paste with Insert", kInsert, B_SHIFT_KEY, 0, true},
		{"backspace over the selection", kBackspace, 0, 0, true},
	};
	for (const auto& key : keys) {
		SCOPED_TRACE(key.what);
		fPage->Saved();
		Window()->NotChanged();
		Select(12, 15);
		std::string before = Text();
		status_t posted = key.bytes != nullptr
			? BPrivate::PostKey(Window(), key.bytes, key.modifiers)
			: BPrivate::PostFunctionKey(Window(), key.key, key.modifiers);
		ASSERT_EQ(posted, B_OK);
		Idle();
		EXPECT_EQ(Text() != before, key.edits);
		EXPECT_EQ(Window()->IsChanged(), key.edits);
		EXPECT_EQ(fPage->IsSaved(), !key.edits);
		EXPECT_EQ(ShownColors(), Colors(Text()));
	}
}

TEST_F(SourceView, InsertChordsCopyAndPasteAsOnAPCKeyboard)
{
	Open("<HTML><BODY>x</BODY></HTML>\n");
	Window()->Show();
	Select(6, 12);
	ASSERT_EQ(BPrivate::PostKey(Window(), kInsert, kCtrl), B_OK);
	Idle();
	Select(0, 0);
	ASSERT_EQ(BPrivate::PostKey(Window(), kInsert, B_SHIFT_KEY), B_OK);
	Idle();
	EXPECT_EQ(Text(), "<BODY><HTML><BODY>x</BODY></HTML>\n");
	EXPECT_EQ(ShownColors(), Colors(Text()));
}

// The source view keeps its own undo: Ctrl+Z takes back what was typed
// there, and again brings it back.
TEST_F(SourceView, CtrlZTakesBackTypingInTheSourceAndRedoes)
{
	Open("<HTML><BODY>x</BODY></HTML>\n");
	Window()->Show();
	std::string before = Text();
	Select(13, 13);
	ASSERT_EQ(BPrivate::PostKey(Window(), "yz"), B_OK);
	Idle();
	ASSERT_EQ(Text(), "<HTML><BODY>xyz</BODY></HTML>\n");
	ASSERT_EQ(BPrivate::PostKey(Window(), "z", kCtrl), B_OK);
	Idle();
	EXPECT_EQ(Text(), before);
	ASSERT_EQ(BPrivate::PostKey(Window(), "z", kCtrl), B_OK);
	Idle();
	EXPECT_EQ(Text(), "<HTML><BODY>xyz</BODY></HTML>\n");
}

// Old Mac pages end their lines with CR alone; pasted text may bring CR
// LF. Either way the view holds LF, and the page file gets CR LF.
TEST_F(SourceView, LineEndsFromOtherProgramsBecomeLineFeeds)
{
	Open("<HTML>\r<BODY>\rold\r</BODY>\r</HTML>\r");
	EXPECT_EQ(Text(), "<HTML>\n<BODY>\nold\n</BODY>\n</HTML>\n");
	{
		BAutolock lock(Window());
		View()->Insert(14, "one\r\ntwo\rthree\n", 15);
	}
	EXPECT_EQ(Text(), "<HTML>\n<BODY>\none\ntwo\nthree\nold\n</BODY>\n</HTML>\n");
	ASSERT_EQ(fPage->Save(), B_OK);
	EXPECT_EQ(fFolder.Read("page.html"),
		"<HTML>\r\n<BODY>\r\none\r\ntwo\r\nthree\r\nold\r\n</BODY>\r\n</HTML>\r\n");
}

// A big page's source in the HTML window nobody has opened is not coloured
// behind the user's back (it took processor time from the page's build);
// once the window shows, all of it gets its colours.
TEST_F(SourceView, AHiddenWindowColoursALargePageOnceItShows)
{
	std::string html = "<HTML><BODY>\n";
	while (html.size() < (300 << 10))
		html += "<P>some &amp; text <B>bold</B></P>\n";
	html += "</BODY></HTML>\n";
	Open("<HTML><BODY></BODY></HTML>\n");
	ASSERT_TRUE(Window()->IsHidden());
	{
		BAutolock lock(Window());
		View()->SetText(html.c_str());
	}
	Idle();
	EXPECT_NE(ShownColors(), Colors(html)) << "coloured while hidden";
	Window()->Show();
	Idle();
	EXPECT_EQ(ShownColors(), Colors(html));
}

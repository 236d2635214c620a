// The HTML window and its elements palette: Ctrl+P shows the palette,
// what the palette inserts lands at the caret with the caret between a
// pair's tags, and the palette follows the HTML window: it is there while
// the HTML window or the palette itself is in front, and hides with it.

#include <string>
#include <utility>

#include <vector>

#include <WindowTesting.h>

#include "HTMLPaletteWindow.h"
#include "PageTesting.h"

using PageTesting::PageTest;

namespace {

const char kEnter[] = {B_ENTER, 0};
const char kDown[] = {B_DOWN_ARROW, 0};
const char kRight[] = {B_RIGHT_ARROW, 0};

class HTMLWindowPalette : public PageTest {
protected:
	HWindow* HTML() const { return fPage->HTMLWindow(); }
	HTMLPaletteWindow* Palette() const { return fPage->HTMLWindow()->Palette(); }

	static void Idle(BWindow* window) { ASSERT_EQ(BPrivate::WaitForWindowIdle(window), B_OK); }

	void OpenWithHTMLWindow()
	{
		Open("<html><body>x</body></html>");
		HTML()->Show();
		Idle(HTML());
	}

	void SetHTML(const char* text, int32 caret)
	{
		BAutolock lock(HTML());
		HTML()->View()->SetText(text);
		HTML()->View()->Select(caret, caret);
	}

	std::pair<std::string, int32> TextAndCaret()
	{
		Idle(HTML());
		BAutolock lock(HTML());
		int32 start = 0;
		int32 finish = 0;
		HTML()->View()->GetSelection(&start, &finish);
		EXPECT_EQ(start, finish) << "a caret, not a selection";
		return {HTML()->View()->Text(), start};
	}

	void Keys(BWindow* window, const std::vector<const char*>& keys, uint32 modifiers = 0)
	{
		for (const char* key : keys)
			ASSERT_EQ(BPrivate::PostKey(window, key, modifiers), B_OK);
		Idle(window);
	}

	bool PaletteHidden()
	{
		BAutolock lock(Palette());
		return Palette()->IsHidden();
	}

	bool IsActive(BWindow* window)
	{
		BAutolock lock(window);
		return window->IsActive();
	}

	// Following waits for the activation to settle: polls until the
	// palette is hidden or shown.
	bool PaletteBecomes(bool hidden)
	{
		for (int tries = 0; tries < 250; tries++) {
			Idle(Palette());
			if (PaletteHidden() == hidden)
				return true;
			snooze(20000);
		}
		return false;
	}

	// Long enough for a wrong hiding to have happened.
	static void Settle() { snooze(400000); }
};

} // namespace

TEST_F(HTMLWindowPalette, AnInsertedPairLeavesTheCaretBetweenItsTags)
{
	OpenWithHTMLWindow();
	SetHTML("ab", 1);
	Keys(HTML(), {"p"}, B_COMMAND_KEY);
	Idle(Palette());
	ASSERT_FALSE(PaletteHidden()) << "Ctrl+P shows the palette";
	// In the fourth category, "Font elements", its second tag, Bold; Enter
	// inserts it.
	Keys(Palette(), {kDown, kDown, kDown, kDown, kRight, kDown, kDown, kEnter});
	EXPECT_EQ(TextAndCaret(), std::make_pair(std::string("a<B></B>b"), int32(4)));

	// Without "movecursor" the caret stays in front of what went in.
	BMessage insert('rpst');
	insert.AddString("text", "<BR>");
	insert.AddBool("movecursor", false);
	HTML()->PostMessage(&insert);
	EXPECT_EQ(TextAndCaret(), std::make_pair(std::string("a<B><BR></B>b"), int32(4)));
	EXPECT_TRUE(HTML()->IsChanged());
}

TEST_F(HTMLWindowPalette, ThePaletteFollowsTheHTMLWindow)
{
	OpenWithHTMLWindow();
	HTML()->PostMessage('shpl');
	ASSERT_TRUE(PaletteBecomes(false));

	// The keyboard moving between the palette and its HTML window keeps it.
	HTML()->Activate();
	Settle();
	EXPECT_TRUE(PaletteBecomes(false));
	Palette()->Activate();
	Settle();
	EXPECT_TRUE(PaletteBecomes(false));

	// Another window in front hides it; the HTML window in front again
	// brings it back, and keeps the keyboard.
	VisualWindow()->Activate();
	EXPECT_TRUE(PaletteBecomes(true));
	HTML()->Activate();
	EXPECT_TRUE(PaletteBecomes(false));
	Settle();
	Idle(HTML());
	EXPECT_TRUE(IsActive(HTML()));
	EXPECT_FALSE(IsActive(Palette()));

	// It hides with the HTML window and comes back with it.
	HTML()->Hide();
	Idle(Palette());
	EXPECT_TRUE(PaletteHidden());
	HTML()->Show();
	EXPECT_TRUE(PaletteBecomes(false));

	// Closed by the user, it stays away until asked for again.
	ASSERT_EQ(BPrivate::PostCloseRequest(Palette()), B_OK);
	EXPECT_TRUE(PaletteBecomes(true));
	VisualWindow()->Activate();
	HTML()->Activate();
	Settle();
	EXPECT_TRUE(PaletteHidden());
}

// The engine's looper: commands run one after another off the window's
// thread, and nothing runs while the page is busy.

#include "PageTesting.h"

#include <thread>

#include <WindowTesting.h>

#include "EndLine.h"
#include "TagDictionary.h"

using PageTesting::PageTest;

namespace {

class EngineLooper : public PageTest {
protected:
	void Select(int32 start, int32 finish)
	{
		BAutolock lock(VisualWindow());
		View()->Select(start, finish);
	}
};

} // namespace

TEST_F(EngineLooper, CommandsWhileThePageIsBusyAreDropped)
{
	Open("<html><body>abc</body></html>");
	Select(1, 1);
	ASSERT_TRUE(fPage->Processing());
	Engine()->PostMessage('br  ');
	Settle();
	EXPECT_EQ(VisualText(), "abc");
	fPage->NotProcessing();
	Engine()->PostMessage('br  ');
	Settle();
	EXPECT_EQ(VisualText(), "a\nbc");
	EXPECT_NE(At<EndLine>(1), nullptr);
	EXPECT_TRUE(fPage->VisualWindow()->IsChanged());
}

TEST_F(EngineLooper, ASpecialCharacterIsTypedIntoTheFocusedView)
{
	Open("<html><body>abc</body></html>");
	Select(3, 3);
	BMessage special('ispc');
	special.AddInt32("code", 'Z');
	Engine()->PostMessage(&special);
	BMessage copyright('ispc');
	copyright.AddInt32("code", 0xA9);
	Engine()->PostMessage(&copyright);
	Engine()->PostMessage('ispc');
	Engine()->PostMessage('nbsp');
	Settle();
	EXPECT_EQ(VisualText(), "abcZ\xC2\xA9\x0F");
}

TEST_F(EngineLooper, ARuleCommandMakesARuleAtTheSelection)
{
	Open("<html><body>abcd</body></html>");
	Select(1, 3);
	Engine()->PostMessage('hrln');
	Settle();
	EXPECT_EQ(Body(), "a\r\n<HR>\r\nbcd");
}

// Typing in the window while the engine's looper restyles the page: both
// threads change the text and the element list under the one lock.
TEST_F(EngineLooper, TypingWhileTheEngineRefreshesKeepsTheElementsInStep)
{
	Open("<html><body><b>bold</b> plain <i>italic</i><br>end</body></html>");
	Select(5, 5);
	std::thread refresher([this] {
		for (int i = 0; i < 30; i++)
			View()->Refresh(0, 0);
	});
	for (int i = 0; i < 30; i++)
		BPrivate::PostKey(fPage->VisualWindow(), "x");
	refresher.join();
	BPrivate::WaitForWindowIdle(fPage->VisualWindow());
	Settle();
	std::string text = VisualText();
	EXPECT_EQ(std::count(text.begin(), text.end(), 'x'), 30);
	BAutolock lock(VisualWindow());
	for (unsigned long i = 1; i <= List()->LastIndex(); i++)
		EXPECT_LE((*List())[i].offset, View()->TextLength());
	EXPECT_EQ(text.substr(0, 4), "bold");
	EXPECT_EQ((*List())[2].offset, 4) << "the bold run still ends after \"bold\"";
}

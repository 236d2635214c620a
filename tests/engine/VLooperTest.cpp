// The engine's looper: commands run one after another off the window's
// thread, and nothing runs while the page is busy.

#include "PageTesting.h"

#include <cstdio>
#include <cstring>
#include <thread>

#include <AppPrivate.h>
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

	void Select(const char* word)
	{
		BAutolock lock(VisualWindow());
		int32 at = static_cast<int32>(std::string(View()->Text()).find(word));
		View()->Select(at, at + static_cast<int32>(strlen(word)));
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

// Every formatting command as the window's menus post it, each on its own
// word. With VELMORA_FORMATTED_PAGE set, the page is saved there, for a
// look at it in the editor.
TEST_F(EngineLooper, EveryFormattingCommandFormatsTheSelection)
{
	struct Row {
		uint32 command;
		const char* word;
		const char* markup;
	};
	const Row rows[] = {
		{'bold', "Bold", "<B>Bold</B>"}, {'ital', "Italic", "<I>Italic</I>"},
		{'ulin', "Underlined", "<U>Underlined</U>"}, {'strk', "Struck", "<STRIKE>Struck</STRIKE>"},
		{'tt  ', "Teletype", "<TT>Teletype</TT>"}, {'big ', "Big", "<BIG>Big</BIG>"},
		{'smal', "Small", "<SMALL>Small</SMALL>"}, {'sub ', "Sub", "<SUB>Sub</SUB>"},
		{'sup ', "Sup", "<SUP>Sup</SUP>"}, {'em  ', "Emphasis", "<EM>Emphasis</EM>"},
		{'stng', "Strong", "<STRONG>Strong</STRONG>"},
		{'dfn ', "Definition", "<DFN>Definition</DFN>"},
		{'code', "Code", "<CODE>Code</CODE>"}, {'samp', "Sample", "<SAMP>Sample</SAMP>"},
		{'kbd ', "Keyboard", "<KBD>Keyboard</KBD>"}, {'var ', "Variable", "<VAR>Variable</VAR>"},
		{'cite', "Citation", "<CITE>Citation</CITE>"},
		{'h2  ', "heading", "<H2>A heading</H2>"},
		{'inul', "First", "<UL>\r\n<LI>First item<BR>\r\n</LI>"},
		{'ianc', "link", "<A HREF=\"https://example.org/\">link</A>"},
	};
	Open("<html><head><title>Formatting</title></head><body><p>Bold Italic Underlined Struck "
		"Teletype Big Small Sub Sup Emphasis Strong Definition Code Sample Keyboard Variable "
		"Citation</p><p>A heading</p><p>A link to elsewhere</p>First item<br>Second item<br>"
		"Third item</body></html>");
	fPage->NotProcessing();
	for (const Row& row : rows) {
		if (row.command == 'inul') {
			BAutolock lock(VisualWindow());
			std::string text = View()->Text();
			View()->Select(static_cast<int32>(text.find("First")),
				static_cast<int32>(text.find("Third item") + 10));
		} else {
			Select(row.word);
		}
		Engine()->PostMessage(row.command);
		Settle();
	}
	BWindow* settings = nullptr;
	for (int tries = 0; tries < 300 && settings == nullptr; tries++) {
		for (BLooper* looper : BPrivate::WindowLoopers()) {
			if (BPrivate::LockWindowLooper(looper, BPrivate::kBusyWindow)) {
				BWindow* window = dynamic_cast<BWindow*>(looper);
				if (window != nullptr && strcmp(window->Title(), "Tag settings window") == 0)
					settings = window;
				looper->Unlock();
			}
		}
		snooze(10000);
	}
	ASSERT_NE(settings, nullptr) << "a new link opens its settings";
	BPrivate::WaitForWindowIdle(settings);
	BPrivate::TypeText(settings, "https://example.org/\n");
	for (int tries = 0; tries < 300 && Body().find("example.org") == std::string::npos; tries++)
		snooze(10000);
	std::string body = Body();
	for (const Row& row : rows)
		EXPECT_NE(body.find(row.markup), std::string::npos) << row.markup << " in " << body;
	if (const char* path = getenv("VELMORA_FORMATTED_PAGE")) {
		std::string html = Generated();
		FILE* file = fopen(path, "w");
		ASSERT_NE(file, nullptr);
		fwrite(html.data(), 1, html.size(), file);
		fclose(file);
	}
}

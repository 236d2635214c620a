// The HTML window as the user reaches it: its menus and shortcuts, the two
// windows kept in step as the user moves between them, saving from it, and
// the commands that replace or check its text.

#include <string>
#include <utility>
#include <vector>

#include <WindowTesting.h>

#include "CommandRoutes.h"
#include "KBottomBar.h"
#include "PageTesting.h"

using PageTesting::PageTest;
using PageTesting::Routes;

namespace {

const uint32 kCtrl = B_COMMAND_KEY | B_CONTROL_KEY;
// Lower-case tags: the HTML the page writes from the visual side has
// upper-case ones, so a text written anew is told from the file's.
const char kPage[] = "<html><head><title>Notes</title></head><body><p>alpha beta</p>"
	"</body></html>\n";
const std::string kPageText = kPage;

class HTMLWindow : public PageTest {
protected:
	void TearDown() override
	{
		BPrivate::SetAlertResponder(nullptr);
		PageTest::TearDown();
	}

	HWindow* HTML() const { return fPage->HTMLWindow(); }

	void Idle()
	{
		BPrivate::WaitForWindowIdle(HTML());
		Settle();
		BPrivate::WaitForWindowIdle(VisualWindow());
		BPrivate::WaitForWindowIdle(HTML());
	}

	void OpenWithHTMLWindow(const char* html = kPage, const char* name = "page.html")
	{
		Open(html, name);
		HTML()->Show();
		Idle();
	}

	void Activate(BWindow* window)
	{
		window->Activate();
		Idle();
	}

	std::string HTMLText() const
	{
		BAutolock lock(HTML());
		return HTML()->View()->Text();
	}

	// Types text into the window's focused view, the caret at offset first
	// when the view is the HTML window's.
	void TypeInHTML(int32 offset, const char* text)
	{
		{
			BAutolock lock(HTML());
			HTML()->View()->Select(offset, offset);
		}
		BPrivate::TypeText(HTML(), text);
		Idle();
	}

	bool IsActive(BWindow* window)
	{
		BAutolock lock(window);
		return window->IsActive();
	}
};

} // namespace

// Ctrl with a letter and F10 reach the window's commands, none of them while
// the page is read; the status bar is this window's own.
TEST_F(HTMLWindow, ShortcutsReachTheWindowExceptWhileThePageIsRead)
{
	OpenWithHTMLWindow();
	fPage->NotSaved();
	const std::pair<const char*, uint32> shortcuts[] = {{"s", 'save'}, {"z", 'udrd'},
		{"g", 'fnda'}, {"t", 'shww'}};
	Routes routes({'save', 'udrd', 'fnda', 'shww'});
	for (auto [key, code] : shortcuts) {
		BPrivate::PostKey(HTML(), key, kCtrl);
		EXPECT_EQ(routes.Take({HTML()}), Routes::Seen({{HTML(), code}})) << "Ctrl+" << key;
	}
	BPrivate::PostFunctionKey(HTML(), B_F10_KEY);
	EXPECT_EQ(routes.Take({HTML()}), Routes::Seen({{HTML(), 'shww'}})) << "F10";

	HTML()->Working();
	BPrivate::PostKey(HTML(), "s", kCtrl);
	EXPECT_TRUE(routes.Take({HTML()}).empty());
	HTML()->FinishedWorking();

	BMessage status(KBottomBar::kShowTextCommand);
	status.AddString("text", "Checked");
	HTML()->PostMessage(&status);
	Idle();
	BAutolock lock(HTML());
	EXPECT_STREQ(HTML()->BottomBar()->Text(), "Checked");
}

// Each window, when it comes to the front, takes over what was edited in
// the other one since, and nothing when nothing was.
TEST_F(HTMLWindow, ActivationTakesOverWhatTheOtherWindowChangedAndNothingElse)
{
	OpenWithHTMLWindow();
	// The visual side is read again only after an emptied error list.
	Routes rebuilds({'empt'});
	auto rebuildsSince = [&] { return rebuilds.Take({fPage->HTMLErrorWindow()}).size(); };

	Activate(HTML());
	EXPECT_EQ(HTMLText(), kPageText) << "no visual edits: the HTML is not written anew";

	TypeInHTML(kPageText.find("beta"), "new ");
	Activate(VisualWindow());
	EXPECT_NE(VisualText().find("alpha new beta"), std::string::npos);
	EXPECT_EQ(rebuildsSince(), 1u);
	Activate(HTML());
	Activate(VisualWindow());
	EXPECT_EQ(rebuildsSince(), 0u) << "no HTML edits since: the visual side stays";
	EXPECT_NE(HTMLText().find("alpha new beta"), std::string::npos);

	// Edits in both before either comes to the front: the one activated
	// last (the HTML window) wins whole, the other's edit goes whole, and
	// the two windows agree.
	Activate(HTML());
	BPrivate::TypeText(VisualWindow(), "visual");
	Idle();
	ASSERT_TRUE(fPage->VisualWindow()->IsChanged());
	TypeInHTML(HTMLText().find("beta"), "html ");
	Activate(VisualWindow());
	EXPECT_NE(VisualText().find("alpha new html beta"), std::string::npos) << VisualText();
	EXPECT_EQ(VisualText().find("visual"), std::string::npos) << VisualText();
	EXPECT_FALSE(fPage->VisualWindow()->IsChanged());
	EXPECT_FALSE(HTML()->IsChanged());
	std::string html = HTMLText();
	Activate(HTML());
	EXPECT_EQ(HTMLText(), html);

	// Visual edits are written into the HTML when it comes to the front.
	Activate(VisualWindow());
	BPrivate::TypeText(VisualWindow(), "seen");
	Idle();
	Activate(HTML());
	EXPECT_NE(HTMLText().find("seen"), std::string::npos);
	EXPECT_NE(HTMLText().find("<BODY"), std::string::npos) << "written anew";
}

// A save from the HTML window leaves it in front with its caret.
TEST_F(HTMLWindow, SavingFromEitherWindowWritesTheSameBytes)
{
	std::vector<std::string> saved;
	for (const char* name : {"from-html.html", "from-visual.html"}) {
		OpenWithHTMLWindow(kPage, name);
		bool fromHTML = saved.empty();
		BWindow* window = fromHTML ? static_cast<BWindow*>(HTML()) : VisualWindow();
		Activate(HTML());
		int32 caret = static_cast<int32>(kPageText.find("beta"));
		TypeInHTML(caret, "<b>new</b> ");
		BPrivate::PostKey(window, "s", kCtrl);
		Idle();
		EXPECT_TRUE(fPage->IsSaved()) << name;
		saved.push_back(fFolder.Read(name));
		if (fromHTML) {
			EXPECT_TRUE(IsActive(HTML()));
			EXPECT_FALSE(IsActive(VisualWindow()));
			BAutolock lock(HTML());
			int32 start = 0;
			int32 finish = 0;
			HTML()->View()->GetSelection(&start, &finish);
			EXPECT_EQ(start, caret + 11) << "the caret stays behind what was typed";
		}
	}
	EXPECT_NE(saved[0].find("<b>new</b> beta"), std::string::npos) << saved[0];
	EXPECT_EQ(saved[0], saved[1]);
}

// "Update from Visual" throws the HTML window's own edits away only when
// the user agrees; with none there is nothing to ask.
TEST_F(HTMLWindow, UpdateFromVisualAsksBeforeTheHTMLEditsGo)
{
	OpenWithHTMLWindow();
	Activate(HTML());
	TypeInHTML(0, "<!-- mine -->");
	std::vector<BPrivate::AlertRecord> alerts;
	for (int32 answer : {1, 0}) {
		BPrivate::SetAlertResponder([&, answer](const BPrivate::AlertRecord& alert) {
			alerts.push_back(alert);
			return answer;
		});
		HTML()->PostMessage('updt');
		Idle();
		EXPECT_EQ(HTMLText().find("mine") != std::string::npos, answer == 1)
			<< (answer == 1 ? "Cancel keeps the edit" : "Replace takes the visual side");
	}
	ASSERT_EQ(alerts.size(), 2u);
	EXPECT_EQ(alerts[0].buttons, (std::vector<std::string>{"Replace", "Cancel"}));
	EXPECT_NE(HTMLText().find("<BODY"), std::string::npos);
	EXPECT_FALSE(HTML()->IsChanged());
	HTML()->PostMessage('updt');
	Idle();
	EXPECT_EQ(alerts.size(), 2u) << "nothing of the HTML window's own to lose";
}

// A check lists what it finds in place of the list before it.
TEST_F(HTMLWindow, CheckingTwiceListsEachReportOnce)
{
	OpenWithHTMLWindow();
	HTMLError_Window* errors = fPage->HTMLErrorWindow();
	auto count = [&] {
		Idle();
		BPrivate::WaitForWindowIdle(errors);
		BAutolock lock(errors);
		return errors->CountItems();
	};
	int32 read = count();
	ASSERT_GT(read, 0) << "a page without a document type has reports";
	HTML()->PostMessage('chkh');
	int32 checked = count();
	HTML()->PostMessage('chkh');
	EXPECT_EQ(count(), checked);
	EXPECT_EQ(checked, read);
}

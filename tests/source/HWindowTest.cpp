// The HTML window as the user reaches it: its menus and shortcuts, the two
// windows kept in step as the user moves between them, saving from it, and
// the commands that replace or check its text.

#include <iterator>
#include <set>
#include <string>
#include <vector>

#include <Menu.h>
#include <MenuBar.h>
#include <MenuItem.h>
#include <WindowTesting.h>

#include "CommandRoutes.h"
#include "KBottomBar.h"
#include "PageTesting.h"

using PageTesting::Code;
using PageTesting::PageTest;
using PageTesting::Routes;

namespace {

const uint32 kCtrl = B_COMMAND_KEY | B_CONTROL_KEY;
// Lower-case tags: the HTML the page writes from the visual side has
// upper-case ones, so a text written anew is told from the file's.
const char kPage[] = "<html><head><title>Notes</title></head><body><p>alpha beta</p>"
	"</body></html>\n";
// The page's HTML in the window: its line ends are LF there.
const std::string kPageText = "<html><head><title>Notes</title></head><body><p>alpha beta</p>"
	"</body></html>\n";

class HTMLWindow : public PageTest {
protected:
	void TearDown() override
	{
		BPrivate::SetAlertResponder(nullptr);
		BPrivate::SetFilePanelResponder(nullptr);
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

// The menus as the user finds them: each item in its menu, in order, with
// its code and its shortcut (Ctrl with the letter).
struct Item {
	const char* menu;
	const char* label;
	uint32 code;
	const char* key;
};

const Item kItems[] = {
	{"File", "New…", 'new ', nullptr},
	{"File", "Open…", 'open', "o"},
	{"File", "Save", 'save', "s"},
	{"File", "Save as…", 'spas', nullptr},
	{"File", "Revert", 'reld', nullptr},
	{"File", "Help", 'help', nullptr},
	{"File", "About", 'abot', nullptr},
	{"File", "Close", 'clos', nullptr},
	{"Edit", "Undo/Redo", 'udrd', "z"},
	{"Edit", "Copy", 'copy', "c"},
	{"Edit", "Paste", 'past', "v"},
	{"Edit", "Cut", 'cut ', "x"},
	{"Edit", "Find…", 'find', "f"},
	{"Edit", "Find again", 'fnda', "g"},
	{"Edit", "Preview", 'prew', "r"},
	{"Edit", "Preferences…", 'pref', nullptr},
	{"Edit", "Show HTML palette", 'shpl', "p"},
	{"Visual editor", "Show Visual editor - F10", 'shww', "t"},
	{"Visual editor", "Update from Visual", 'updt', nullptr},
	{"Visual editor", "Show errors/warnings window", 'serr', nullptr},
	{"Visual editor", "Check HTML", 'chkh', nullptr},
	{"Visual editor", "Correct HTML", 'corh', nullptr},
};

} // namespace

TEST_F(HTMLWindow, EveryMenuItemCarriesItsCodeAndItsShortcutToTheWindow)
{
	OpenWithHTMLWindow();
	fPage->NotSaved();
	std::vector<const Item*> found;
	{
		BAutolock lock(HTML());
		BMenuBar* bar = HTML()->MainMenu();
		for (int32 index = 0; BMenu* menu = bar->SubmenuAt(index); index++) {
			for (int32 at = 0; BMenuItem* item = menu->ItemAt(at); at++) {
				if (item->Message() == nullptr)
					continue;
				size_t row = found.size();
				ASSERT_LT(row, std::size(kItems)) << "an item too many: " << item->Label();
				const Item& expected = kItems[row];
				EXPECT_STREQ(menu->Name(), expected.menu) << expected.label;
				EXPECT_STREQ(item->Label(), expected.label);
				EXPECT_EQ(Code(item->Message()->what), Code(expected.code)) << expected.label;
				found.push_back(&expected);
			}
		}
	}
	ASSERT_EQ(found.size(), std::size(kItems));

	std::set<uint32> codes;
	for (const Item& row : kItems)
		codes.insert(row.code);
	Routes routes(codes);
	for (const Item& row : kItems) {
		if (row.key == nullptr)
			continue;
		BPrivate::PostKey(HTML(), row.key, kCtrl);
		EXPECT_EQ(routes.Take({HTML()}), Routes::Seen({{HTML(), row.code}}))
			<< "Ctrl+" << row.key << " for " << row.label;
	}
	BPrivate::PostFunctionKey(HTML(), B_F10_KEY);
	EXPECT_EQ(routes.Take({HTML()}), Routes::Seen({{HTML(), 'shww'}})) << "F10";

	// While the page is read the menus take nothing.
	HTML()->Working();
	BPrivate::PostKey(HTML(), "s", kCtrl);
	EXPECT_TRUE(routes.Take({HTML()}).empty());
	HTML()->FinishedWorking();

	// The status bar is this window's own.
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

// Either window saves the page's text as it stands, byte for byte the
// same; a save from the HTML window leaves it in front with its caret.
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

	// An untitled page asks where to go first.
	fPage = std::make_unique<Page>("", 0, PageTesting::Application());
	Load();
	HTML()->Show();
	Activate(HTML());
	TypeInHTML(0, "<p>first</p>");
	std::vector<BPrivate::FilePanelRequest> asked;
	BPrivate::SetFilePanelResponder([&](const BPrivate::FilePanelRequest& request) {
		asked.push_back(request);
		return BPrivate::FilePanelAnswer{false, {fFolder / "untitled.html"}};
	});
	BPrivate::PostKey(HTML(), "s", kCtrl);
	Idle();
	ASSERT_EQ(asked.size(), 1u);
	EXPECT_TRUE(asked[0].save);
	EXPECT_NE(fFolder.Read("untitled.html").find("<p>first</p>"), std::string::npos);
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

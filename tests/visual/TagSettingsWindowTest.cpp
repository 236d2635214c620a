// The tag settings window, as the user reaches it: opened for a link the
// visual window is asked about (by the right button on the link or on a
// picture in it) or the engine has just made, driven by keys and clicks,
// and closed with or without its values.

#include <string>

#include <AppPrivate.h>
#include <InterfaceDefs.h>
#include <Menu.h>
#include <MenuItem.h>
#include <MenuPrivate.h>
#include <TextControl.h>
#include <WindowTesting.h>

#include "PageTesting.h"

#include "Anchor.h"
#include "NodeTree.h"
#include "TagSettingsWindow.h"
#include "TestPictures.h"
#include "WImage.h"

using PageTesting::PageTest;

namespace {

const char kEscape[] = {B_ESCAPE, 0};
const char kEnter[] = {B_ENTER, 0};

class TagSettings : public PageTest {
protected:
	// The settings window once it shows; null when none comes.
	BWindow* SettingsWindow(int tries = 200) { return ShownWindow<TagSettingsWindow>(tries); }

	void WaitUntilClosed()
	{
		for (int i = 0; i < 500 && SettingsWindow(1) != nullptr; i++)
			snooze(10000);
		Settle();
		PageTesting::Settle(VisualWindow());
	}

	void AskForSettings(Anchor* anchor)
	{
		BMessage settings('tset');
		settings.AddPointer("element", anchor);
		VisualWindow()->PostMessage(&settings);
	}

	std::string FieldText(BWindow* window, const char* name)
	{
		BAutolock lock(window);
		BTextControl* field = dynamic_cast<BTextControl*>(window->FindView(name));
		return field != nullptr ? field->Text() : std::string("(no field)");
	}

	bool FieldHasFocus(BWindow* window, const char* name)
	{
		BAutolock lock(window);
		BTextControl* field = dynamic_cast<BTextControl*>(window->FindView(name));
		return field != nullptr && field->TextView()->IsFocus();
	}

	void Select(const char* word)
	{
		int32 at = static_cast<int32>(VisualText().find(word));
		PageTest::Select(at, at + static_cast<int32>(strlen(word)));
	}

	void NotChanged()
	{
		BAutolock lock(VisualWindow());
		fPage->VisualWindow()->NotChanged();
	}
};

} // namespace

TEST_F(TagSettings, OpenedOnTheClosingTagItEditsTheLinkAndWritesAQuoteAsAReference)
{
	Open("<html><body><a href=\"x\">link</a> text</body></html>");
	NotChanged();
	AskForSettings(At<Anchor>(2));
	BWindow* window = SettingsWindow();
	ASSERT_NE(window, nullptr);
	EXPECT_EQ(FieldText(window, "link"), "x");
	EXPECT_TRUE(FieldHasFocus(window, "link"));
	BPrivate::TypeText(window, "y\"z");
	BPrivate::PostKey(window, kEnter);
	WaitUntilClosed();
	EXPECT_STREQ(At<Anchor>(1)->LinkTo(), "xy\"z");
	EXPECT_EQ(Body(), "<A HREF=\"xy&quot;z\">link</A> text");
	EXPECT_TRUE(fPage->VisualWindow()->IsChanged());
}

TEST_F(TagSettings, EscapeKeepsNothingAndTheButtonKeepsAll)
{
	Open("<html><body><a href=\"x\" name=\"n\">link</a></body></html>");
	NotChanged();
	AskForSettings(At<Anchor>(1));
	BWindow* window = SettingsWindow();
	ASSERT_NE(window, nullptr);
	BPrivate::TypeText(window, "gone");
	BPrivate::PostKey(window, kEscape);
	WaitUntilClosed();
	EXPECT_STREQ(At<Anchor>(1)->LinkTo(), "x");
	EXPECT_FALSE(fPage->VisualWindow()->IsChanged()) << "a look at the settings changes nothing";

	AskForSettings(At<Anchor>(1));
	window = SettingsWindow();
	ASSERT_NE(window, nullptr);
	BPrivate::TypeText(window, "2");
	BPrivate::PostClick(window, BPoint(420, 69));
	WaitUntilClosed();
	EXPECT_STREQ(At<Anchor>(1)->LinkTo(), "x2");
	EXPECT_STREQ(At<Anchor>(1)->Name(), "n");
}

TEST_F(TagSettings, AClosingTagWithoutItsLinkOpensNothing)
{
	Open("<html><body>text</body></html>");
	_node* node = fPage->NewNode();
	node->tag = tag_a;
	node->type = EndTag;
	{
		BAutolock lock(VisualWindow());
		Engine()->InsertAt(2, node, INSERT_BUILD, nullptr);
	}
	AskForSettings(At<Anchor>(1));
	EXPECT_EQ(SettingsWindow(50), nullptr);
}

TEST_F(TagSettings, TheWindowClosesAndWritesNothingWhenItsLinkGoes)
{
	Open("<html><body><a href=\"x\">link</a> text</body></html>");
	AskForSettings(At<Anchor>(1));
	BWindow* window = SettingsWindow();
	ASSERT_NE(window, nullptr);
	BPrivate::TypeText(window, "y");
	long start = 0;
	long end = 4;
	Engine()->UntagArea(&start, &end, MASK_ANCHOR, nullptr);
	WaitUntilClosed();
	EXPECT_EQ(Body(), "link text");

	// A new reading of the page takes every element with it.
	Open("<html><body><a href=\"x\">link</a></body></html>");
	AskForSettings(At<Anchor>(1));
	ASSERT_NE(SettingsWindow(), nullptr);
	Load();
	WaitUntilClosed();
	EXPECT_EQ(SettingsWindow(1), nullptr);
	EXPECT_EQ(Body(), "<A HREF=\"x\">link</A>");
}

TEST_F(TagSettings, ANewLinkOpensItsSettingsForWhatTheCommandMakes)
{
	struct Row {
		uint32 command;
		const char* field;		// the field with the focus
		const char* typed;
		const char* body;
	};
	const Row rows[] = {
		{'ianc', "link", "page.html", "some <A HREF=\"page.html\">text</A>"},
		{'ieml', "link", "me@here", "some <A HREF=\"mailto:me@here\">text</A>"},
		{'inst', "name", "top", "some <A NAME=\"top\">text</A>"},
	};
	for (const Row& row : rows) {
		Open("<html><body>some text</body></html>");
		fPage->NotProcessing();
		Select("text");
		Engine()->PostMessage(row.command);
		BWindow* window = SettingsWindow();
		ASSERT_NE(window, nullptr);
		EXPECT_TRUE(FieldHasFocus(window, row.field)) << row.field;
		BPrivate::TypeText(window, row.typed);
		BPrivate::PostKey(window, kEnter);
		WaitUntilClosed();
		EXPECT_EQ(Body(), row.body);
	}
}

TEST_F(TagSettings, TheRightButtonOnALinkOffersItsSettings)
{
	Open("<html><body>see <a href=\"x.html\">there</a></body></html>");
	BPrivate::PostMouseDown(VisualWindow(), WindowPoint(1), B_SECONDARY_MOUSE_BUTTON);
	BPrivate::WaitForWindowIdle(VisualWindow());
	Settle();
	EXPECT_TRUE(BPrivate::OpenMenus().empty()) << "not on a link";
	BPrivate::PostMouseUp(VisualWindow(), WindowPoint(1));

	BPrivate::PostMouseDown(VisualWindow(), WindowPoint(6), B_SECONDARY_MOUSE_BUTTON);
	ASSERT_EQ(BPrivate::WaitForMenus(true), B_OK);
	std::vector<BPrivate::OpenMenu> menus = BPrivate::OpenMenus();
	ASSERT_EQ(menus.size(), 1u);
	BMenuItem* item = menus[0].menu->ItemAt(0);
	EXPECT_STREQ(item->Label(), "HyperText link/target settings ...");
	BRect frame = item->Frame();
	BPrivate::PostMouseUp(menus[0].window, BPoint(frame.left + 5, frame.top + 3));
	BPrivate::PostClick(menus[0].window, BPoint(frame.left + 5, frame.top + 3));
	ASSERT_EQ(BPrivate::WaitForMenus(false), B_OK);
	BWindow* window = SettingsWindow();
	ASSERT_NE(window, nullptr) << "the link's settings open";
	EXPECT_EQ(FieldText(window, "link"), "x.html");
	BPrivate::PostKey(window, kEscape);
	WaitUntilClosed();
	EXPECT_FALSE(fPage->VisualWindow()->IsChanged());
}

// On a picture the secondary button offers the picture's settings, and the
// link's when it stands in one; the primary button opens nothing.
TEST_F(TagSettings, TheRightButtonOnAPictureOffersItsAndItsLinksSettings)
{
	ASSERT_TRUE(WritePicture(fFolder / "pic.png", 40, 30, {0, 0, 255, 255}));
	Open("<html><body>see <a href=\"x.html\"><img src=\"pic.png\" alt=\"old\"></a>"
		"</body></html>");
	WImage* image = nullptr;
	{
		BAutolock lock(VisualWindow());
		for (unsigned long i = 1; i <= List()->LastIndex() && image == nullptr; i++)
			image = At<WImage>(i);
	}
	ASSERT_NE(image, nullptr);
	BPoint middle;
	{
		BAutolock lock(VisualWindow());
		middle = VisualWindow()->ConvertFromScreen(image->ConvertToScreen(BPoint(20, 15)));
	}
	PageTest::Select(0, 0);
	BPrivate::PostClick(VisualWindow(), middle);
	BPrivate::WaitForWindowIdle(VisualWindow());
	EXPECT_TRUE(BPrivate::OpenMenus().empty()) << "the primary button opens no menu";
	{
		// It puts the caret beside the picture, as a click on text would.
		BAutolock lock(VisualWindow());
		int32 start = 0;
		int32 end = 0;
		View()->GetSelection(&start, &end);
		EXPECT_EQ(start, end);
		EXPECT_TRUE(start == image->ThisOffset() || start == image->ThisFinish()) << start;
	}

	BPrivate::PostMouseDown(VisualWindow(), middle, B_SECONDARY_MOUSE_BUTTON);
	ASSERT_EQ(BPrivate::WaitForMenus(true), B_OK);
	std::vector<BPrivate::OpenMenu> menus = BPrivate::OpenMenus();
	ASSERT_EQ(menus.size(), 1u);
	ASSERT_EQ(menus[0].menu->CountItems(), 2);
	EXPECT_STREQ(menus[0].menu->ItemAt(1)->Label(), "HyperText link/target settings ...");
	BMenuItem* item = menus[0].menu->ItemAt(0);
	EXPECT_STREQ(item->Label(), "Image settings ...");
	BRect frame = item->Frame();
	BPrivate::PostMouseUp(menus[0].window, BPoint(frame.left + 5, frame.top + 3));
	BPrivate::PostClick(menus[0].window, BPoint(frame.left + 5, frame.top + 3));
	ASSERT_EQ(BPrivate::WaitForMenus(false), B_OK);
	BWindow* window = SettingsWindow();
	ASSERT_NE(window, nullptr) << "the picture's settings open";
	EXPECT_EQ(FieldText(window, "alt"), "old");
	BPrivate::TypeText(window, "A blue square");
	BPrivate::PostKey(window, kEnter);
	WaitUntilClosed();
	EXPECT_TRUE(fPage->VisualWindow()->IsChanged());
	EXPECT_NE(Body().find("<IMG SRC=\"pic.png\" ALT=\"A blue square\""), std::string::npos)
		<< Body();
}

// The palette as its user drives it: rows of its lists clicked, values
// chosen from the menu or typed, Insert clicked or Enter pressed. Each
// script says what the preview shows after each step and what reached the
// HTML window ('rpst': the text and whether the caret goes behind it).

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include <Autolock.h>
#include <Button.h>
#include <Menu.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <OutlineListView.h>
#include <StringItem.h>
#include <TextControl.h>
#include <TextView.h>
#include <WindowTesting.h>

#include "ControlTesting.h"
#include "HTMLPaletteWindow.h"

using ControlTests::WithLock;

namespace {

typedef std::vector<std::pair<std::string, bool>> Insertions;

enum Action {
	kTag,			// click the row of a tag (its category opened) or a category
	kTagAgain,		// double-click the tag's row
	kAttribute,		// click the attribute's row
	kChoose,		// choose the label from the value menu
	kType,			// type the text into what has the keyboard
	kClear,			// select everything in the value field and delete it
	kInsert,		// click Insert
	kKey			// press the key
};

struct Step {
	Action action;
	std::string argument;
	const char* preview = nullptr;	// what the preview shows then; null: not looked at
	const char* focus = nullptr;	// the view with the keyboard then; null: not looked at
};

struct Script {
	const char* name;
	std::vector<Step> steps;
	Insertions inserted;
};

void PrintTo(const Script& script, std::ostream* out)
{
	*out << script.name;
}

const std::string kEnter = "\n";
const std::string kTab = "\t";

const std::vector<Script> kScripts = {
	{"ATagWithoutAttributesGoesInAroundTheCaret", {
		{kTag, "Acronym", "<ACRONYM></ACRONYM>"},
		{kInsert, ""}},
		{{"<ACRONYM>", true}, {"</ACRONYM>", false}}},
	{"ASingleTagGoesInAsOnePiece", {
		{kTag, "Image", "<IMG>"}, {kInsert, ""},
		{kTag, "Button", "<BUTTON>"}, {kInsert, ""}},
		{{"<IMG>", true}, {"<BUTTON>", true}}},
	{"APresenceAttributeIsABareNameOnlyWhenPresent", {
		{kTag, "Horizontal rule"},
		{kAttribute, "noshade", "<HR>"},
		{kChoose, "Absent", "<HR>"},
		{kChoose, "Present", "<HR noshade>"},
		{kAttribute, "size"}, {kType, "2"}, {kInsert, "", "<HR noshade size=\"2\">"},
		{kAttribute, "noshade"}, {kChoose, "Absent", "<HR size=\"2\">"},
		{kInsert, ""}},
		{{"<HR size=\"2\">", true}}},
	{"TheFirstInsertTakesATypedValueTheSecondInserts", {
		{kTag, "Font", "<FONT></FONT>"},
		{kAttribute, "face", nullptr, "value_Field"},
		{kType, "Arial", "<FONT></FONT>"},
		{kInsert, "", "<FONT face=\"Arial\"></FONT>"},
		{kInsert, ""}},
		{{"<FONT face=\"Arial\">", true}, {"</FONT>", false}}},
	{"AnEmptiedValueIsWrittenEmpty", {
		{kTag, "HyperText link"}, {kAttribute, "title"}, {kType, "x"},
		{kInsert, "", "<A title=\"x\"></A>"},
		{kClear, "", "<A title=\"x\"></A>"},
		{kInsert, "", "<A title=\"\"></A>"}},
		{}},
	{"AFreeTextAttributeNeverGivenIsNotWritten", {
		{kTag, "Font"}, {kAttribute, "color"},
		{kInsert, "", "<FONT></FONT>"}},
		{{"<FONT>", true}, {"</FONT>", false}}},
	{"AttributesAreWrittenInTheOrderTheyWereLastSet", {
		{kTag, "Font"},
		{kAttribute, "size"}, {kChoose, "+1", "<FONT size=\"+1\"></FONT>"},
		{kAttribute, "color"}, {kType, "red"},
		{kInsert, "", "<FONT size=\"+1\" color=\"red\"></FONT>"},
		{kAttribute, "size"}, {kChoose, "+2", "<FONT color=\"red\" size=\"+2\"></FONT>"}},
		{}},
	{"AQuoteInAValueIsWrittenAsAnEntity", {
		{kTag, "Image"}, {kAttribute, "alt"}, {kType, "say \"hi\""},
		{kInsert, "", "<IMG alt=\"say &quot;hi&quot;\">"}},
		{}},
	{"ALessThanSignInAValueLeavesTheOpeningTagWhole", {
		{kTag, "HyperText link"}, {kAttribute, "title"}, {kType, "a<b"}, {kInsert, ""},
		{kInsert, ""}},
		{{"<A title=\"a<b\">", true}, {"</A>", false}}},
	{"TheSameTagAgainKeepsTheValuesGiven", {
		{kTag, "Font"}, {kAttribute, "size"}, {kChoose, "+3"}, {kAttribute, "color"},
		{kTagAgain, "Font", "<FONT size=\"+3\"></FONT>"},
		{kTag, "Font elements", ""},
		{kTag, "Font", "<FONT size=\"+3\"></FONT>"},
		{kInsert, ""}},
		{{"<FONT size=\"+3\">", true}, {"</FONT>", false}}},
	{"EnterTakesTheTypedValueAndThenInserts", {
		{kTag, "Base"}, {kAttribute, "href"}, {kType, "x.html"},
		{kKey, kEnter, "<BASE href=\"x.html\">"},
		{kKey, kEnter}},
		{{"<BASE href=\"x.html\">", true}}},
	{"TabGoesThroughTheListsTheValueEditorAndTheButton", {
		{kTag, "Font", nullptr, "tag_List"},
		{kKey, kTab, nullptr, "attr_List"},
		{kKey, kTab, nullptr, "value_Field"},
		{kKey, kTab, nullptr, "insert_Button"},
		{kKey, kTab, nullptr, "tag_List"},
		{kAttribute, "size", nullptr, "attr_List"},
		{kKey, kTab, nullptr, "value_Menu"},
		{kKey, kTab, nullptr, "insert_Button"}},
		{}},
};

class PaletteScript : public ControlTests::ControlTest,
	public testing::WithParamInterface<Script> {
protected:
	void SetUp() override
	{
		ControlTest::SetUp();
		Show();
		fPalette = new HTMLPaletteWindow(fWindow);
		fPalette->PostMessage(HTMLPaletteWindow::kShow);
		Idle(fPalette);
	}

	void TearDown() override
	{
		fPalette->Lock();
		fPalette->Quit();
		ControlTest::TearDown();
	}

	template<typename Function>
	auto InPalette(Function function)
	{
		return WithLock(fPalette, function);
	}

	template<class View>
	View* Find(const char* name)
	{
		View* view = InPalette([&] { return dynamic_cast<View*>(fPalette->FindView(name)); });
		EXPECT_NE(view, nullptr) << name;
		return view;
	}

	void ClickAt(BView* view, BPoint point, int32 clicks = 1)
	{
		BPoint where = InPalette([&] {
			return fPalette->ConvertFromScreen(view->ConvertToScreen(point));
		});
		ASSERT_EQ(BPrivate::PostClick(fPalette, where, B_PRIMARY_MOUSE_BUTTON, clicks), B_OK);
		Idle(fPalette);
	}

	// Clicks the row showing the text, in the list of that name; a tag's
	// category is opened first.
	void ClickRow(const char* listName, const std::string& text, int32 clicks = 1)
	{
		BListView* list = Find<BListView>(listName);
		auto* outline = dynamic_cast<BOutlineListView*>(list);
		BRect frame = InPalette([&] {
			int32 count = outline != nullptr ? outline->FullListCountItems() : list->CountItems();
			for (int32 i = 0; i < count; i++) {
				auto* row = static_cast<BStringItem*>(
					outline != nullptr ? outline->FullListItemAt(i) : list->ItemAt(i));
				if (text != row->Text())
					continue;
				if (outline != nullptr && outline->Superitem(row) != nullptr)
					outline->Expand(outline->Superitem(row));
				BRect rowFrame = list->ItemFrame(list->IndexOf(row));
				if (!list->Bounds().Contains(rowFrame))
					list->ScrollTo(0, rowFrame.top);
				return list->ItemFrame(list->IndexOf(row));
			}
			return BRect();
		});
		ASSERT_TRUE(frame.IsValid()) << "no row " << text;
		for (int32 click = 1; click <= clicks; click++)
			ClickAt(list, BPoint(frame.left + 30, (frame.top + frame.bottom) / 2), click);
	}

	void Choose(const std::string& label)
	{
		BMenuField* field = Find<BMenuField>("value_Menu");
		ASSERT_EQ(InPalette([&] {
			BMenuItem* item = field->IsHidden() ? nullptr : field->Menu()->FindItem(label.c_str());
			return item != nullptr ? item->Invoke() : B_ERROR;
		}), B_OK) << "no " << label << " in the value menu";
		Idle(fPalette);
	}

	void Key(const std::string& bytes, uint32 modifiers = 0)
	{
		ASSERT_EQ(BPrivate::PostKey(fPalette, bytes.c_str(), modifiers), B_OK);
		Idle(fPalette);
	}

	void Run(const Step& step)
	{
		switch (step.action) {
			case kTag:
				ClickRow("tag_List", step.argument);
				break;
			case kTagAgain:
				ClickRow("tag_List", step.argument, 2);
				break;
			case kAttribute:
				ClickRow("attr_List", step.argument);
				break;
			case kChoose:
				Choose(step.argument);
				break;
			case kType:
				ASSERT_EQ(BPrivate::TypeText(fPalette, step.argument.c_str()), B_OK);
				Idle(fPalette);
				break;
			case kClear:
				Key("a", B_COMMAND_KEY);
				Key(std::string(1, B_BACKSPACE));
				break;
			case kInsert:
			{
				BView* button = Find<BView>("insert_Button");
				BRect bounds = InPalette([&] { return button->Bounds(); });
				ClickAt(button, BPoint(bounds.Width() / 2, bounds.Height() / 2));
				break;
			}
			case kKey:
				Key(step.argument);
				break;
		}
	}

	std::string Preview()
	{
		BTextView* preview = Find<BTextView>("prev_Text");
		return InPalette([&] { return std::string(preview->Text()); });
	}

	// The named view that has the keyboard: a text control for its field.
	std::string Focus()
	{
		return InPalette([&] {
			BView* focus = fPalette->CurrentFocus();
			if (focus != nullptr && dynamic_cast<BTextControl*>(focus->Parent()) != nullptr)
				focus = focus->Parent();
			return std::string(focus != nullptr ? focus->Name() : "(none)");
		});
	}

	Insertions Inserted()
	{
		Idle(fWindow);
		Insertions inserted;
		for (const BMessage& message : Sent('rpst')) {
			bool moveCursor = false;
			message.FindBool("movecursor", &moveCursor);
			inserted.emplace_back(ControlTests::StringOf(message, "text"), moveCursor);
		}
		return inserted;
	}

	HTMLPaletteWindow* fPalette = nullptr;
};

} // namespace

TEST_P(PaletteScript, Runs)
{
	const Script& script = GetParam();
	for (size_t i = 0; i < script.steps.size(); i++) {
		const Step& step = script.steps[i];
		Run(step);
		if (step.preview != nullptr) {
			EXPECT_EQ(Preview(), step.preview) << "after step " << i + 1;
		}
		if (step.focus != nullptr) {
			EXPECT_EQ(Focus(), step.focus) << "after step " << i + 1;
		}
	}
	EXPECT_EQ(Inserted(), script.inserted);
}

INSTANTIATE_TEST_SUITE_P(Palette, PaletteScript, testing::ValuesIn(kScripts),
	[](const testing::TestParamInfo<Script>& info) { return std::string(info.param.name); });

using Palette = PaletteScript;

TEST_F(Palette, ALongValueIsWrittenWhole)
{
	std::string value(1500, 'v');
	Run({kTag, "Image"});
	Run({kAttribute, "src"});
	BTextControl* field = Find<BTextControl>("value_Field");
	InPalette([&] { field->SetText(value.c_str()); });
	Run({kInsert, ""});
	Run({kInsert, ""});
	EXPECT_EQ(Inserted(), Insertions({{"<IMG src=\"" + value + "\">", true}}));
}

TEST_F(Palette, TheValueMenuMarksOnlyTheOneChosen)
{
	Run({kTag, "Font"});
	Run({kAttribute, "size"});
	BMenuField* field = Find<BMenuField>("value_Menu");
	auto marked = [&] {
		return InPalette([&] {
			std::string labels;
			for (int32 i = 0; BMenuItem* item = field->Menu()->ItemAt(i); i++)
				labels += item->IsMarked() ? std::string(item->Label()) + " " : "";
			return labels;
		});
	};
	EXPECT_EQ(marked(), "1 ");
	Choose("-4");
	Run({kAttribute, "color"});
	Run({kAttribute, "size"});
	EXPECT_EQ(marked(), "-4 ");
}

TEST_F(Palette, ClosingHidesThePaletteAndShowingBringsItBackAsItWas)
{
	Run({kTag, "Font"});
	Run({kAttribute, "size"});
	Choose("+1");
	Run({kAttribute, "color"});
	Run({kType, "red"});
	ASSERT_EQ(BPrivate::PostCloseRequest(fPalette), B_OK);
	Idle(fPalette);
	EXPECT_TRUE(InPalette([&] { return fPalette->IsHidden(); }));
	fPalette->PostMessage(HTMLPaletteWindow::kShow);
	Idle(fPalette);
	EXPECT_FALSE(InPalette([&] { return fPalette->IsHidden(); }));
	BTextControl* field = Find<BTextControl>("value_Field");
	EXPECT_EQ(InPalette([&] { return std::string(field->Text()); }), "red");
	Run({kInsert, ""});
	EXPECT_EQ(Preview(), "<FONT size=\"+1\" color=\"red\"></FONT>");
}


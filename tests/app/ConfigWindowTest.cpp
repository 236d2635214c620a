// The preferences window as the user reaches it: opened for a page, driven
// by keys and the controls' own messages, and closed; what it changes shows
// in the page's HTML, its visual view and the settings of the next start.

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>

#include <Box.h>
#include <Button.h>
#include <ColorControl.h>
#include <Entry.h>
#include <ListView.h>
#include <Menu.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <TextControl.h>
#include <WindowTesting.h>

#include "PageTesting.h"

#include "HTML_View.h"

#include "ColorSampleView.h"
#include "ConfigWindow.h"
#include "Config_.h"
#include "ProgramRun.h"
#include "TestPictures.h"

using PageTesting::PageTest;

namespace {

const char kEnter[] = {B_ENTER, 0};
const rgb_color kRed = {200, 0, 0, 255};
const rgb_color kBlue = {0, 0, 180, 255};
const rgb_color kYellow = {250, 240, 100, 255};

// What a second process reads back from the settings file: set in the
// environment of the test program started again (see SettingsOfTheNextStart).
const char kReadBackVariable[] = "VELMORA_TEST_SETTINGS_READ_BACK";

std::string SettingsLine(const Config_& settings)
{
	std::ostringstream line;
	line << (settings.UserName() != nullptr ? settings.UserName() : "(none)") << "|"
		<< (settings.ExtTextEditor() != nullptr ? settings.ExtTextEditor() : "(none)") << "|"
		<< settings.ProportionalFontName() << "|" << settings.BaseFontSize() << "|"
		<< settings.FixedFontName() << "|" << settings.BaseFixedFontSize();
	return line.str();
}

class Preferences : public PageTest {
protected:
	void TearDown() override
	{
		Config_::ClosePreferencesWindow();
		BPrivate::SetFilePanelResponder(nullptr);
		PageTest::TearDown();
	}

	// Opens the window as the windows' 'pref' command does, for settings
	// (the page's by default).
	ConfigWindow* OpenPreferences(Config_* settings = nullptr)
	{
		if (settings == nullptr)
			settings = fPage->Config();
		settings->SetPreferencesMaker(&ConfigWindow::Make);
		settings->Setup(fPage.get());
		fWindow = dynamic_cast<ConfigWindow*>(ShownWindow<ConfigWindow>());
		return fWindow;
	}

	void Idle() { BPrivate::WaitForWindowIdle(fWindow); }

	template <class View>
	View* Find(const char* name)
	{
		return dynamic_cast<View*>(fWindow->FindView(name));
	}

	// Types text into a text control, replacing what it holds; Enter after
	// it when asked.
	void Type(const char* control, const std::string& text, bool enter = true)
	{
		{
			BAutolock lock(fWindow);
			BTextControl* field = Find<BTextControl>(control);
			ASSERT_NE(field, nullptr) << control;
			field->MakeFocus();
			field->TextView()->SelectAll();
		}
		for (char c : text)
			BPrivate::PostKey(fWindow, std::string(1, c).c_str());
		if (enter)
			BPrivate::PostKey(fWindow, kEnter);
		Idle();
		Settle();
	}

	std::string FieldText(const char* control)
	{
		BAutolock lock(fWindow);
		BTextControl* field = Find<BTextControl>(control);
		return field != nullptr ? field->Text() : "(no field)";
	}

	// Picks the colour as the colour control reports a change by the user.
	void ChooseColor(rgb_color color)
	{
		{
			BAutolock lock(fWindow);
			BColorControl* control = Find<BColorControl>("color_ColorControl");
			control->SetValue(color);
			control->Invoke();
		}
		Idle();
		Settle();
	}

	void SelectColorItem(int32 item)
	{
		{
			BAutolock lock(fWindow);
			BListView* items = Find<BListView>("textlinkback_ListView");
			if (item < 0)
				items->DeselectAll();
			else
				items->Select(item);
		}
		Idle();
	}

	// Chooses an item of a menu field as a click on it does.
	void ChooseMenuItem(const char* field, const char* label)
	{
		{
			BAutolock lock(fWindow);
			BMenuField* menuField = Find<BMenuField>(field);
			ASSERT_NE(menuField, nullptr) << field;
			BMenuItem* item = menuField->Menu()->FindItem(label);
			ASSERT_NE(item, nullptr) << label;
			item->Invoke();
		}
		Idle();
		Settle();
	}

	void Close()
	{
		// The window stops counting as open before its thread has ended:
		// wait for the thread, which no message reaches afterwards.
		BMessenger window(fWindow);
		BPrivate::PostCloseRequest(fWindow);
		for (int i = 0; i < 500 && (Config_::IsPreferencesWindowOpen() || window.IsValid()); i++)
			snooze(10000);
		fWindow = nullptr;
		Settle();
		PageTesting::Settle(VisualWindow());
	}

	std::string StatusText()
	{
		BAutolock lock(fWindow);
		return fWindow->StatusText();
	}

	rgb_color ViewColorAt(int32 offset)
	{
		BAutolock lock(VisualWindow());
		BFont font;
		rgb_color color = {};
		View()->GetFontAndColor(offset, &font, &color);
		return color;
	}

	std::string ViewFamilyAt(int32 offset)
	{
		BAutolock lock(VisualWindow());
		BFont font;
		View()->GetFontAndColor(offset, &font);
		font_family family;
		font_style style;
		font.GetFamilyAndStyle(&family, &style);
		return family;
	}

	ConfigWindow* fWindow = nullptr;
};

std::string Hex(rgb_color color)
{
	char text[8];
	snprintf(text, sizeof(text), "%02X%02X%02X", color.red, color.green, color.blue);
	return text;
}

} // namespace

TEST_F(Preferences, ItOpensOnThePageWithItsValuesAndEachCategoryShowsItsPanel)
{
	Open("<html><head><title>Old title</title></head>"
		"<body background=\"tile.png\">text</body></html>");
	ASSERT_NE(OpenPreferences(), nullptr);
	EXPECT_EQ(FieldText("pagetitle_TextControl"), "Old title");
	EXPECT_EQ(FieldText("backgroundimage_TextControl"), "tile.png");
	{
		BAutolock lock(fWindow);
		EXPECT_EQ(Find<BListView>("textlinkback_ListView")->CurrentSelection(), 0);
		EXPECT_EQ(Find<BColorControl>("color_ColorControl")->ValueAsColor(),
			*fPage->TextColor());
	}
	const char* panels[] = {"pagesettings", "programsettings", "About"};
	const char* labels[] = {"Page settings", "Program settings", "About"};
	for (int32 category : {0, 1, 2, 0}) {
		{
			BAutolock lock(fWindow);
			Find<BListView>("categories_ListView")->Select(category);
		}
		Idle();
		BAutolock lock(fWindow);
		for (int32 i = 0; i < 3; i++)
			EXPECT_EQ(fWindow->FindView(panels[i])->IsHidden(), i != category) << panels[i];
		EXPECT_STREQ(Find<BBox>("category_Box")->Label(), labels[category]);
	}
}

TEST_F(Preferences, TitleAuthorAndColoursReachTheHTMLAndTheVisualView)
{
	Open("<html><head><title>Old</title></head><body>plain <a href=\"x.html\">link</a>"
		"</body></html>");
	Config_* settings = fPage->Config();
	std::string oldAuthor = settings->UserName() != nullptr ? settings->UserName() : "";
	ASSERT_NE(OpenPreferences(), nullptr);
	Type("pagetitle_TextControl", "New title");
	Type("author_TextControl", "Ann \"Quill\" Smith");
	ChooseColor(kRed);
	SelectColorItem(2);
	ChooseColor(kYellow);

	std::string html = Generated();
	EXPECT_NE(html.find("<TITLE>New title</TITLE>"), std::string::npos) << html;
	EXPECT_NE(html.find("<META NAME=\"Author\" CONTENT=\"Ann &quot;Quill&quot; Smith\">"),
		std::string::npos) << html;
	EXPECT_NE(html.find("TEXT=\"#" + Hex(kRed) + "\""), std::string::npos) << html;
	EXPECT_NE(html.find("BGCOLOR=\"#" + Hex(kYellow) + "\""), std::string::npos) << html;
	PageTesting::Settle(VisualWindow());
	{
		BAutolock lock(VisualWindow());
		EXPECT_NE(std::string(VisualWindow()->Title()).find("New title"), std::string::npos)
			<< VisualWindow()->Title();
		EXPECT_EQ(View()->ViewColor(), kYellow);
	}
	EXPECT_EQ(ViewColorAt(0), kRed);
	Close();
	settings->SetUserName(oldAuthor.c_str());
}

// The sample shows all three colours; only the one of the selected item
// changes.
TEST_F(Preferences, ChangingTheLinkColourChangesOnlyTheLinksAndRedrawsTheSample)
{
	Open("<html><body text=\"#000000\" bgcolor=\"#FFFFFF\">plain <a href=\"x.html\">link</a>"
		"</body></html>");
	rgb_color text = *fPage->TextColor();
	rgb_color background = *fPage->BackgroundColor();
	ASSERT_NE(OpenPreferences(), nullptr);
	SelectColorItem(1);
	{
		BAutolock lock(fWindow);
		EXPECT_EQ(Find<BColorControl>("color_ColorControl")->ValueAsColor(),
			*fPage->LinkColor()) << "the control takes the item's colour";
	}
	ChooseColor(kBlue);
	EXPECT_EQ(*fPage->LinkColor(), kBlue);
	EXPECT_EQ(*fPage->TextColor(), text);
	EXPECT_EQ(*fPage->BackgroundColor(), background);
	{
		BAutolock lock(fWindow);
		ColorSampleView* sample = Find<ColorSampleView>("colorsample");
		EXPECT_EQ(sample->SampleLinkColor(), kBlue);
		EXPECT_EQ(sample->SampleTextColor(), text);
	}
	EXPECT_NE(Generated().find("LINK=\"#" + Hex(kBlue) + "\""), std::string::npos);
	int32 link = static_cast<int32>(VisualText().find("link"));
	EXPECT_EQ(ViewColorAt(link), kBlue);
	EXPECT_EQ(ViewColorAt(0), text);
}

TEST_F(Preferences, AColourChangeWithNoItemSelectedChangesTheTextColour)
{
	Open("<html><body>plain</body></html>");
	rgb_color link = *fPage->LinkColor();
	ASSERT_NE(OpenPreferences(), nullptr);
	SelectColorItem(-1);
	ChooseColor(kRed);
	EXPECT_EQ(*fPage->TextColor(), kRed);
	EXPECT_EQ(*fPage->LinkColor(), link);
}

TEST_F(Preferences, ABackgroundPictureShowsAndAMissingOneIsKeptAndReported)
{
	ASSERT_TRUE(WritePicture(fFolder / "tile.png", 8, 8, kRed));
	Open("<html><body>text</body></html>");
	ASSERT_NE(OpenPreferences(), nullptr);
	Type("backgroundimage_TextControl", "tile.png");
	EXPECT_STREQ(fPage->Background(), "tile.png");
	EXPECT_EQ(StatusText(), "");
	EXPECT_NE(Generated().find("BACKGROUND=\"tile.png\""), std::string::npos);
	std::unique_ptr<BBitmap> shot(BPrivate::WindowSnapshot(VisualWindow()));
	ASSERT_NE(shot, nullptr);
	BPoint corner;
	{
		BAutolock lock(VisualWindow());
		BRect bounds = View()->Bounds();
		corner = VisualWindow()->ConvertFromScreen(View()->ConvertToScreen(
			BPoint(bounds.right - 20, bounds.bottom - 20)));
	}
	const uint8* pixel = static_cast<const uint8*>(shot->Bits())
		+ int32(corner.y) * shot->BytesPerRow() + int32(corner.x) * 4;
	EXPECT_EQ((rgb_color{pixel[2], pixel[1], pixel[0], 255}), kRed) << "the picture shows";

	BPrivate::ForgetAlertsShown();
	Type("backgroundimage_TextControl", "gone.png");
	EXPECT_STREQ(fPage->Background(), "gone.png") << "kept as typed";
	EXPECT_NE(StatusText().find("\"gone.png\" is missing"), std::string::npos) << StatusText();
	EXPECT_TRUE(BPrivate::AlertsShown().empty()) << "no alert at every change";

	Type("externaltexteditor_TextControl", "/no/such/editor");
	EXPECT_STREQ(fPage->Config()->ExtTextEditor(), "/no/such/editor");
	EXPECT_NE(StatusText().find("\"/no/such/editor\" is missing"), std::string::npos)
		<< StatusText();
	Type("externaltexteditor_TextControl", "sh");
	EXPECT_EQ(StatusText(), "") << "a program found in PATH is there";
	fPage->Config()->SetExtTextEditor(nullptr);
}

// A value typed without Enter is what the user sees in the window: closing
// applies it, and the page counts as changed, so its HTML is written anew.
TEST_F(Preferences, ClosingAppliesWhatWasTypedWithoutEnterAndMarksThePageChanged)
{
	Open("<html><head><title>Old</title></head><body>text</body></html>");
	{
		BAutolock lock(VisualWindow());
		fPage->VisualWindow()->NotChanged();
	}
	ASSERT_NE(OpenPreferences(), nullptr);
	Type("pagetitle_TextControl", "Typed only", false);
	EXPECT_STREQ(fPage->Title(), "Old");
	Close();
	EXPECT_FALSE(Config_::IsPreferencesWindowOpen());
	EXPECT_STREQ(fPage->Title(), "Typed only");
	EXPECT_TRUE(fPage->VisualWindow()->IsChanged());
	EXPECT_FALSE(fPage->IsSaved());
	fPage->UpdateFromVisual();
	PageTesting::Settle(fPage->HTMLWindow());
	BAutolock lock(fPage->HTMLWindow());
	std::string source = fPage->HTMLWindow()->View()->Text();
	EXPECT_NE(source.find("<TITLE>Typed only</TITLE>"), std::string::npos) << source;
}

// The reply of the open panel names the control it fills; the path is
// applied at once.
TEST_F(Preferences, APathChosenInTheOpenPanelFillsItsControlAndIsApplied)
{
	ASSERT_TRUE(WritePicture(fFolder / "tile.png", 8, 8, kRed));
	Open("<html><body>text</body></html>");
	std::string chosen = fFolder / "tile.png";
	BPrivate::SetFilePanelResponder([&chosen](const BPrivate::FilePanelRequest&) {
		BPrivate::FilePanelAnswer answer;
		answer.cancelled = false;
		answer.paths = {chosen};
		return answer;
	});
	ASSERT_NE(OpenPreferences(), nullptr);
	auto clickDots = [this](const char* control) {
		{
			BAutolock lock(fWindow);
			BView* box = Find<BTextControl>(control)->Parent();
			for (int32 i = 0; i < box->CountChildren(); i++) {
				if (BButton* button = dynamic_cast<BButton*>(box->ChildAt(i)))
					button->Invoke();
			}
		}
		Idle();
		Idle();
		Settle();
	};
	clickDots("backgroundimage_TextControl");
	EXPECT_EQ(FieldText("backgroundimage_TextControl"), "tile.png") << "named from the page";
	EXPECT_STREQ(fPage->Background(), "tile.png");

	chosen = fFolder / "editor";
	fFolder.Write("editor", "#!/bin/sh\n");
	chmod(chosen.c_str(), 0755);
	clickDots("externaltexteditor_TextControl");
	EXPECT_EQ(FieldText("externaltexteditor_TextControl"), chosen);
	EXPECT_STREQ(fPage->Config()->ExtTextEditor(), chosen.c_str());
	EXPECT_EQ(StatusText(), "");
	fPage->Config()->SetExtTextEditor(nullptr);
}

TEST_F(Preferences, AReplyNamingNoTextControlOrComingAfterTheWindowClosedDoesNothing)
{
	Open("<html><head><title>Kept</title></head><body>text</body></html>");
	ASSERT_NE(OpenPreferences(), nullptr);
	entry_ref ref;
	ASSERT_EQ(get_ref_for_path("/bin/sh", &ref), B_OK);
	BMessage reply(B_REFS_RECEIVED);
	reply.AddRef("refs", &ref);
	reply.AddString("control", "status_StringView");
	fWindow->PostMessage(&reply);
	Idle();
	EXPECT_EQ(StatusText(), "");
	BMessenger window(fWindow);
	Close();
	reply.ReplaceString("control", "pagetitle_TextControl");
	EXPECT_NE(window.SendMessage(&reply), B_OK);
	Settle();
	EXPECT_STREQ(fPage->Title(), "Kept");
}

TEST_F(Preferences, AProgramFontChangeReachesThePageWithoutABaseFont)
{
	Open("<html><body>plain text</body></html>");
	Config_* settings = fPage->Config();
	std::string family = settings->ProportionalFontName();
	int32 size = settings->BaseFontSize();
	ASSERT_NE(OpenPreferences(), nullptr);
	ChooseMenuItem("proportionalfont_MenuField", "DejaVu Serif");
	ChooseMenuItem("proportionalfontsize_MenuField", "24");
	EXPECT_STREQ(settings->ProportionalFontName(), "DejaVu Serif");
	EXPECT_EQ(settings->BaseFontSize(), 24);
	font_family shown;
	font_style style;
	fPage->BaseFont()->GetFamilyAndStyle(&shown, &style);
	EXPECT_STREQ(shown, "DejaVu Serif");
	EXPECT_EQ(ViewFamilyAt(0), "DejaVu Serif");
	{
		BAutolock lock(VisualWindow());
		BFont font;
		View()->GetFontAndColor(0, &font);
		EXPECT_GT(font.Size(), 20) << "the visual view takes the new size";
	}
	Close();
	settings->SetProportionalFont(family.c_str(), size);
	settings->SetFonts();
}

TEST_F(Preferences, APageWithABaseFontKeepsItWhenTheProgramFontChanges)
{
	Open("<html><body><basefont face=\"DejaVu Sans Mono\">plain text</body></html>");
	Config_* settings = fPage->Config();
	std::string family = settings->ProportionalFontName();
	ASSERT_NE(OpenPreferences(), nullptr);
	ChooseMenuItem("proportionalfont_MenuField", "DejaVu Serif");
	font_family shown;
	font_style style;
	fPage->BaseFont()->GetFamilyAndStyle(&shown, &style);
	EXPECT_STREQ(shown, "DejaVu Sans Mono");
	EXPECT_EQ(ViewFamilyAt(0), "DejaVu Sans Mono");
	EXPECT_NE(Generated().find("face=\"DejaVu Sans Mono\">"), std::string::npos)
		<< Generated();
	Close();
	settings->SetProportionalFont(family.c_str(), 0);
	settings->SetFonts();
}

TEST_F(Preferences, TheFontMenusOfferTheInstalledFamiliesAndTheSizes)
{
	Open("<html><body>text</body></html>");
	ASSERT_NE(OpenPreferences(), nullptr);
	BAutolock lock(fWindow);
	std::set<std::string> monospace;
	for (int32 i = 0; i < count_font_families(); i++) {
		font_family family;
		uint32 flags = 0;
		if (get_font_family(i, &family, &flags) == B_OK && (flags & B_IS_FIXED) != 0)
			monospace.insert(family);
	}
	BMenu* fixed = Find<BMenuField>("fixedfont_MenuField")->Menu();
	EXPECT_EQ(fixed->CountItems(), static_cast<int32>(monospace.size()));
	for (int32 i = 0; i < fixed->CountItems(); i++)
		EXPECT_EQ(monospace.count(fixed->ItemAt(i)->Label()), 1u) << fixed->ItemAt(i)->Label();
	BMenu* proportional = Find<BMenuField>("proportionalfont_MenuField")->Menu();
	EXPECT_EQ(proportional->CountItems(), count_font_families());
	EXPECT_NE(proportional->FindItem("DejaVu Serif"), nullptr);
	BMenu* sizes = Find<BMenuField>("fixedfontsize_MenuField")->Menu();
	std::string offered;
	for (int32 i = 0; i < sizes->CountItems(); i++)
		offered += std::string(sizes->ItemAt(i)->Label()) + " ";
	EXPECT_EQ(offered, "7 9 10 12 14 18 24 ");
	BMenuItem* marked = proportional->FindMarked();
	ASSERT_NE(marked, nullptr);
	EXPECT_STREQ(marked->Label(), fPage->Config()->ProportionalFontName());
}

// One window at a time; the page that goes closes the window that edits it.
TEST_F(Preferences, SetupReplacesTheOpenWindowAndThePageClosesItWhenItGoes)
{
	Open("<html><body>text</body></html>");
	ConfigWindow* first = OpenPreferences();
	ASSERT_NE(first, nullptr);
	BMessenger firstWindow(first);
	fPage->Config()->Setup(fPage.get());
	EXPECT_FALSE(firstWindow.IsValid());
	ASSERT_NE(ShownWindow<ConfigWindow>(), nullptr);
	EXPECT_TRUE(Config_::IsPreferencesWindowOpen());
	fPage.reset();
	EXPECT_FALSE(Config_::IsPreferencesWindowOpen());
}

// The settings are written when the window closes and another process,
// starting afterwards, reads them back as they were.
TEST_F(Preferences, SettingsWrittenOnCloseAreReadBackByTheNextStart)
{
	Open("<html><body>text</body></html>");
	TempDirectory home;
	std::string oldHome = getenv("XDG_CONFIG_HOME");
	setenv("XDG_CONFIG_HOME", home.Path().c_str(), 1);
	std::string written;
	{
		Config_ settings;
		ASSERT_NE(OpenPreferences(&settings), nullptr);
		Type("author_TextControl", "Ann Smith");
		Type("externaltexteditor_TextControl", "/bin/sh", false);
		ChooseMenuItem("fixedfont_MenuField", "DejaVu Sans Mono");
		ChooseMenuItem("fixedfontsize_MenuField", "14");
		ChooseMenuItem("proportionalfontsize_MenuField", "18");
		Close();
		written = SettingsLine(settings);
	}
	setenv("XDG_CONFIG_HOME", oldHome.c_str(), 1);
	EXPECT_EQ(written, "Ann Smith|/bin/sh|" + std::string(ModelTesting::Settings()
		->ProportionalFontName()) + "|18|DejaVu Sans Mono|14");

	std::string program = "/proc/self/exe";
	std::string filter = "--gtest_filter=SettingsOfTheNextStart.*";
	std::string result = home / "read-back";
	char* argv[] = {program.data(), filter.data(), nullptr};
	std::string config = "XDG_CONFIG_HOME=" + home.Path();
	std::string expected = std::string(kReadBackVariable) + "=" + result;
	std::vector<char*> environment = {config.data(), expected.data()};
	for (char** variable = environ; *variable != nullptr; variable++) {
		if (strncmp(*variable, "XDG_CONFIG_HOME=", 16) != 0)
			environment.push_back(*variable);
	}
	environment.push_back(nullptr);
	pid_t child = -1;
	ASSERT_EQ(posix_spawn(&child, program.c_str(), nullptr, nullptr, argv, environment.data()),
		0);
	int status = 0;
	waitpid(child, &status, 0);
	EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
	std::ifstream readBack(result);
	std::string line;
	std::getline(readBack, line);
	EXPECT_EQ(line, written);

	// The program's own batch start reads the author too.
	TempDirectory pages;
	pages.Write("page.html", "<html><body>text</body></html>");
	ProgramRun run = ProgramRun::With({"--roundtrip", pages / "page.html"},
		{"VELMORA_DISPLAY=headless", "XDG_CONFIG_HOME=" + home.Path()});
	EXPECT_NE(run.output.find("CONTENT=\"Ann Smith\""), std::string::npos) << run.output;
}

// Started again by the test above: the settings a start reads.
TEST(SettingsOfTheNextStart, AreWrittenWhereTheFirstProcessAsks)
{
	const char* result = getenv(kReadBackVariable);
	if (result == nullptr)
		GTEST_SKIP() << "only run as the second process of another test";
	BPrivate::DisplayServer::UseHeadless();
	Config_ settings(true);
	std::ofstream(result) << SettingsLine(settings) << "\n";
}

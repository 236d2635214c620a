// The settings file: defaults for whatever is missing, wrong or unreadable,
// and a file that says only what was set.

#include <gtest/gtest.h>

#include <stdlib.h>
#include <unistd.h>

#include <DisplayServer.h>
#include <File.h>
#include <Message.h>
#include <WindowTesting.h>

#include "Config_.h"
#include "TempDirectory.h"
#include "TestFonts.h"

namespace {

class Settings : public testing::Test {
protected:
	void SetUp() override
	{
		BPrivate::DisplayServer::UseHeadless();
		const char* old = getenv("XDG_CONFIG_HOME");
		fOldHome = old != nullptr ? old : "";
		setenv("XDG_CONFIG_HOME", fFolder.Path().c_str(), 1);
		mkdir((fFolder / "Korvane").c_str(), 0755);
	}
	void TearDown() override
	{
		if (fOldHome.empty())
			unsetenv("XDG_CONFIG_HOME");
		else
			setenv("XDG_CONFIG_HOME", fOldHome.c_str(), 1);
	}

	void WriteSettings(const BMessage& settings)
	{
		BFile file((fFolder / "Korvane/Velmora_settings").c_str(),
			B_WRITE_ONLY | B_CREATE_FILE | B_ERASE_FILE);
		settings.Flatten(&file);
	}

	BMessage ReadSettings()
	{
		BMessage settings;
		BFile file((fFolder / "Korvane/Velmora_settings").c_str(), B_READ_ONLY);
		EXPECT_EQ(settings.Unflatten(&file), B_OK);
		return settings;
	}

	TempDirectory fFolder;
	std::string fOldHome;
};

} // namespace

TEST_F(Settings, WithoutAFileTheDefaultsAreSavedAndItIsAFirstStart)
{
	Config_ settings;
	EXPECT_TRUE(settings.IsFirstStart());
	EXPECT_TRUE(fFolder.Exists("Korvane/Velmora_settings"));
	ASSERT_NE(settings.AppDirectory(), nullptr);
	EXPECT_EQ(std::string(settings.AppDirectory()).back(), '/');
	EXPECT_FALSE(settings.WasDamaged()) << "a missing file is no damage";
}

TEST_F(Settings, EveryFieldIsReadBackAsItWasSaved)
{
	{
		Config_ settings;
		settings.SetUserName("Ada Lovelace");
		settings.SetProportionalFont("DejaVu Serif", 13);
		settings.SetFixedFont("DejaVu Sans Mono", 11);
		settings.SetVisualWindowFrame(BRect(10, 20, 400, 300));
		settings.SetHTMLWindowFrame(BRect(11, 21, 401, 301));
		settings.SetErrorWindowFrame(BRect(12, 22, 402, 302));
		settings.SetExtTextEditor("/usr/bin/vi");
		settings.SetStartingGIFTranslatorTest(true);
		settings.Save();
	}
	Config_ reread;
	EXPECT_FALSE(reread.IsFirstStart());
	EXPECT_STREQ(reread.UserName(), "Ada Lovelace");
	EXPECT_STREQ(reread.ProportionalFontName(), "DejaVu Serif");
	EXPECT_EQ(reread.BaseFontSize(), 13);
	EXPECT_STREQ(reread.FixedFontName(), "DejaVu Sans Mono");
	EXPECT_EQ(reread.BaseFixedFontSize(), 11);
	EXPECT_EQ(reread.VisualWindowFrame(), BRect(10, 20, 400, 300));
	EXPECT_EQ(reread.HTMLWindowFrame(), BRect(11, 21, 401, 301));
	EXPECT_EQ(reread.ErrorWindowFrame(), BRect(12, 22, 402, 302));
	EXPECT_STREQ(reread.ExtTextEditor(), "/usr/bin/vi");
	EXPECT_TRUE(reread.StartingGIFTranslatorTest());
	font_family family;
	font_style style;
	reread.FixedFont()->GetFamilyAndStyle(&family, &style);
	EXPECT_STREQ(family, "DejaVu Sans Mono");
	EXPECT_EQ(reread.FixedFont()->Size(), 11);
	EXPECT_FALSE(reread.WasDamaged());
}

TEST_F(Settings, WronglyTypedOrSenselessFieldsKeepTheirDefaults)
{
	BMessage file;
	file.AddInt32("UserName", 7);
	file.AddString("BaseFontSize", "12");
	file.AddInt32("BaseFixedFontSize", -4);
	file.AddRect("VisualWindowCoordinates", BRect(50, 50, 10, 10));
	file.AddRect("HTMLWindowCoordinates", BRect(1, 2, 300, 400));
	WriteSettings(file);
	Config_ settings;
	EXPECT_EQ(settings.UserName(), nullptr);
	EXPECT_EQ(settings.BaseFontSize(), static_cast<int32>(be_plain_font->Size()));
	EXPECT_EQ(settings.BaseFixedFontSize(), static_cast<int32>(be_fixed_font->Size()));
	EXPECT_EQ(settings.VisualWindowFrame(), BRect(70, 50, 620, 412));
	EXPECT_EQ(settings.HTMLWindowFrame(), BRect(1, 2, 300, 400));
	EXPECT_FALSE(settings.IsFirstStart());
	EXPECT_TRUE(settings.WasDamaged());

	// The repaired file was saved: the next start hears nothing of it and
	// keeps what was sound.
	Config_ next;
	EXPECT_FALSE(next.WasDamaged());
	EXPECT_EQ(next.HTMLWindowFrame(), BRect(1, 2, 300, 400));
}

TEST_F(Settings, ATruncatedFileIsReplacedByTheDefaults)
{
	BMessage file;
	file.AddString("UserName", "Ada");
	file.AddString("ExtTextEditor", "/usr/bin/editor");
	WriteSettings(file);
	std::string content = fFolder.Read("Korvane/Velmora_settings");
	fFolder.Write("Korvane/Velmora_settings", content.substr(0, content.size() / 2));
	Config_ settings;
	EXPECT_TRUE(settings.IsFirstStart());
	EXPECT_EQ(settings.UserName(), nullptr);
	EXPECT_EQ(settings.ExtTextEditor(), nullptr);
	EXPECT_TRUE(settings.WasDamaged());
	Config_ repaired;
	EXPECT_FALSE(repaired.IsFirstStart());
	EXPECT_FALSE(repaired.WasDamaged()) << "the user is told once";

	for (std::string damage : {std::string("not a message at all"), std::string(),
			std::string(4096, '\xff')}) {
		fFolder.Write("Korvane/Velmora_settings", damage);
		Config_ again;
		EXPECT_TRUE(again.IsFirstStart());
		EXPECT_TRUE(again.WasDamaged());
		EXPECT_EQ(again.VisualWindowFrame(), BRect(70, 50, 620, 412));
	}
}

TEST_F(Settings, ASavedFileHoldsOnlyWhatIsSet)
{
	{
		Config_ settings;
		settings.SetExtTextEditor("/usr/bin/editor");
		settings.Save();
	}
	BMessage saved = ReadSettings();
	EXPECT_FALSE(saved.HasString("UserName"));
	EXPECT_TRUE(saved.HasString("ExtTextEditor"));
}

TEST_F(Settings, ReadOnlySettingsNeverWriteTheFile)
{
	Config_ settings(true);
	EXPECT_FALSE(fFolder.Exists("Korvane/Velmora_settings"));
	settings.Save();
	EXPECT_FALSE(fFolder.Exists("Korvane/Velmora_settings"));
}

TEST_F(Settings, TheProgramFontsAreBuiltFromNameAndSize)
{
	Config_ settings(true);
	settings.SetProportionalFont("DejaVu Serif", 17);
	settings.SetFonts();
	font_family family;
	font_style style;
	settings.ProportionalFont()->GetFamilyAndStyle(&family, &style);
	EXPECT_STREQ(family, "DejaVu Serif");
	EXPECT_EQ(settings.ProportionalFont()->Size(), 17);
	settings.SetProportionalFont("No Such Family", 0);
	settings.SetFonts();
	EXPECT_EQ(settings.ProportionalFont()->Size(), 17) << "a size of 0 is no size";
}

// Families list their styles in no set order: the regular one is taken,
// not a bold or oblique that happens to come first. A family that is gone
// gives the default family, at the size that was chosen.
TEST_F(Settings, AFontTakesItsFamilysRegularStyleOrTheDefaultWhenTheFamilyIsGone)
{
	Config_ settings(true);
	settings.SetFixedFont("DejaVu Sans Mono", 13);
	settings.SetProportionalFont("No Longer Installed", 15);
	settings.SetFonts();
	font_family family;
	font_style style;
	settings.FixedFont()->GetFamilyAndStyle(&family, &style);
	EXPECT_STREQ(family, "DejaVu Sans Mono");
	EXPECT_STREQ(style, "Book");
	settings.ProportionalFont()->GetFamilyAndStyle(&family, &style);
	font_family plain;
	font_style plainStyle;
	be_plain_font->GetFamilyAndStyle(&plain, &plainStyle);
	EXPECT_STREQ(family, plain);
	EXPECT_EQ(settings.ProportionalFont()->Size(), 15);
	EXPECT_STREQ(settings.ProportionalFontName(), "No Longer Installed")
		<< "the setting stays for when the family comes back";
}

// The settings file is replaced by a new one written whole, never written
// over: a second name of the old file still shows the old settings.
TEST_F(Settings, ASaveReplacesTheFileInsteadOfWritingOverIt)
{
	Config_ settings;
	std::string path = fFolder / "Korvane/Velmora_settings";
	std::string before = fFolder.Read("Korvane/Velmora_settings");
	ASSERT_EQ(link(path.c_str(), (fFolder / "old-settings").c_str()), 0);
	settings.SetUserName("Somebody Else");
	settings.Save();
	EXPECT_EQ(fFolder.Read("old-settings"), before);
	BMessage saved = ReadSettings();
	const char* name = nullptr;
	EXPECT_EQ(saved.FindString("UserName", &name), B_OK);
	EXPECT_STREQ(name, "Somebody Else");
}

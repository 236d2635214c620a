#include "Config_.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstring>
#include <mutex>
#include <string>

#include <Application.h>
#include <Directory.h>
#include <File.h>
#include <FindDirectory.h>
#include <Looper.h>
#include <Message.h>
#include <Path.h>
#include <Screen.h>
#include <Window.h>

#include "ErrorAlert.h"
#include "SafeSave.h"

namespace {

std::atomic<Config_*> sShared{nullptr};

// The open preferences window. A messenger, not a pointer: whoever closes
// the window locks it through the messenger, which fails once the window
// is gone instead of reaching a deleted one.
std::mutex sPreferencesLock;
BMessenger sPreferences;

const char kVersion[] = "1.0";
// Sizes outside this range are not font sizes anybody chose; they come
// from a damaged file and fall back to the default.
constexpr int32 kSmallestFontSize = 1;
constexpr int32 kLargestFontSize = 500;

constexpr float kErrorWindowTop = 423;
constexpr float kErrorWindowBottom = 495;
constexpr float kSmallestErrorWindowHeight = 40;

// Each reader takes the field when the file holds it with the right type
// and a sensible value, and says false when the file holds the key but not
// such a value (a damaged or foreign file).
bool Present(const BMessage& message, const char* name)
{
	type_code type = 0;
	int32 count = 0;
	return message.GetInfo(name, &type, &count) == B_OK;
}

bool ReadString(const BMessage& message, const char* name, std::string& field)
{
	const char* value = nullptr;
	if (message.FindString(name, &value) != B_OK || value == nullptr)
		return !Present(message, name);
	field = value;
	return true;
}

bool ReadSize(const BMessage& message, const char* name, int32& field)
{
	int32 value = 0;
	if (message.FindInt32(name, &value) != B_OK || value < kSmallestFontSize
			|| value > kLargestFontSize)
		return !Present(message, name);
	field = value;
	return true;
}

bool ReadFrame(const BMessage& message, const char* name, BRect& field)
{
	BRect value;
	if (message.FindRect(name, &value) != B_OK || !value.IsValid() || value.Width() >= 100000
			|| value.Height() >= 100000)
		return !Present(message, name);
	field = value;
	return true;
}

bool ReadFlag(const BMessage& message, const char* name, bool& field)
{
	bool value = false;
	if (message.FindBool(name, &value) != B_OK)
		return !Present(message, name);
	field = value;
	return true;
}

// The upright, normal-weight style of a family, under the names font
// makers give it; the first style when it has none of them (a family of
// one style). Fonts list their styles in no set order, so the first one
// is often a bold or an italic.
bool RegularStyleOf(font_family family, font_style* style)
{
	static const char* const kRegularNames[] = {"Regular", "Book", "Roman", "Normal",
		"Medium"};
	int32 count = count_font_styles(family);
	for (const char* regular : kRegularNames) {
		for (int32 i = 0; i < count; i++) {
			if (get_font_style(family, i, style) == B_OK && strcmp(*style, regular) == 0)
				return true;
		}
	}
	return get_font_style(family, 0, style) == B_OK;
}

// The family's regular style at the given size; a family that is no longer
// installed gives the fallback's family at that size.
std::unique_ptr<BFont> FontOf(const std::string& family, int32 size, const BFont* fallback)
{
	auto font = std::make_unique<BFont>(fallback);
	font_family name;
	strncpy(name, family.c_str(), B_FONT_FAMILY_LENGTH);
	name[B_FONT_FAMILY_LENGTH] = '\0';
	font_style style;
	if (RegularStyleOf(name, &style))
		font->SetFamilyAndStyle(name, style);
	font->SetSize(static_cast<float>(size));
	return font;
}

std::string FamilyOf(const BFont* font)
{
	font_family family;
	font_style style;
	font->GetFamilyAndStyle(&family, &style);
	return family;
}

} // namespace

Config_::Config_(bool readOnly)
	:
	baseFontSize(0),
	baseFixedFontSize(0),
	startingGIFTranslatorTest(false),
	fReadOnly(readOnly)
{
	bool read = Init();
	if (!read) {
		SetStandardValues();
		SetFonts();
		Save();
		fFirstStart = true;
	} else if (fDamaged) {
		// The user hears of the damage once (see WasDamaged): the repaired
		// settings are saved at once.
		Save();
	}
	SetFonts();
	sShared = this;
}

Config_::~Config_()
{
	ClosePreferencesWindow();
	Config_* self = this;
	sShared.compare_exchange_strong(self, nullptr);
}

Config_* Config_::Shared()
{
	return sShared.load();
}

std::string Config_::SettingsPath()
{
	BPath settings;
	if (find_directory(B_USER_SETTINGS_DIRECTORY, &settings) != B_OK)
		return std::string();
	return std::string(settings.Path()) + "/Korvane/Velmora_settings";
}

bool Config_::Init()
{
	SetStandardValues();
	SetFonts();
	fDamaged = false;
	BFile file(SettingsPath().c_str(), B_READ_ONLY);
	if (file.InitCheck() != B_OK) {
		fDamaged = file.InitCheck() != B_ENTRY_NOT_FOUND;
		return false;
	}
	BMessage settings;
	if (settings.Unflatten(&file) != B_OK) {
		fDamaged = true;
		return false;
	}
	proportionalFontName.clear();
	fixedFontName.clear();
	fDamaged = !ReadFields(settings);
	if (proportionalFontName.empty())
		proportionalFontName = FamilyOf(be_plain_font);
	if (fixedFontName.empty())
		fixedFontName = FamilyOf(be_fixed_font);
	return true;
}

// Every field is read, even after one that is damaged.
bool Config_::ReadFields(const BMessage& settings)
{
	bool sound = true;
	sound &= ReadString(settings, "UserName", userName);
	sound &= ReadString(settings, "ProportionalFontName", proportionalFontName);
	sound &= ReadString(settings, "FixedFontName", fixedFontName);
	sound &= ReadSize(settings, "BaseFontSize", baseFontSize);
	sound &= ReadSize(settings, "BaseFixedFontSize", baseFixedFontSize);
	sound &= ReadFrame(settings, "VisualWindowCoordinates", visualWindowFrame);
	sound &= ReadFrame(settings, "HTMLWindowCoordinates", htmlWindowFrame);
	sound &= ReadFrame(settings, "ErrorWindowCoordinates", errorWindowFrame);
	sound &= ReadString(settings, "ExtTextEditor", extTextEditor);
	sound &= ReadFlag(settings, "StartingGIFTranslatorTest", startingGIFTranslatorTest);
	return sound;
}

void Config_::SetStandardValues()
{
	appDirectory = ProgramDirectory();
	if (appDirectory.empty())
		ErrorAlert("Could not find out the path to Velmora.");
	userName.clear();
	extTextEditor.clear();
	startingGIFTranslatorTest = false;
	if (!CheckInstalledFonts() && be_app != nullptr)
		be_app->PostMessage(B_QUIT_REQUESTED);
	proportionalFontName = FamilyOf(be_plain_font);
	fixedFontName = FamilyOf(be_fixed_font);
	baseFontSize = static_cast<int32>(be_plain_font->Size());
	baseFixedFontSize = static_cast<int32>(be_fixed_font->Size());
	visualWindowFrame.Set(70, 50, 620, 412);
	htmlWindowFrame.Set(98, 132, 674, 463);
	errorWindowFrame.Set(70, kErrorWindowTop, 620, kErrorWindowBottom);
	float screenBottom = BScreen().Frame().bottom;
	if (screenBottom < kErrorWindowBottom)
		errorWindowFrame.bottom = screenBottom - 5;
	// On a screen too short for even a few lines there, the window keeps
	// its usual height and moves up, instead of getting a bottom above its
	// top.
	if (errorWindowFrame.Height() < kSmallestErrorWindowHeight)
		errorWindowFrame.top = std::max(0.0f,
			errorWindowFrame.bottom - (kErrorWindowBottom - kErrorWindowTop));
}

// The program needs one proportional and one fixed font family.
bool Config_::CheckInstalledFonts()
{
	bool proportional = false;
	bool fixed = false;
	int32 count = count_font_families();
	for (int32 i = 0; i < count && !(proportional && fixed); i++) {
		font_family family;
		uint32 flags = 0;
		if (get_font_family(i, &family, &flags) != B_OK)
			continue;
		if ((flags & B_IS_FIXED) != 0)
			fixed = true;
		else
			proportional = true;
	}
	if (!proportional) {
		ErrorAlert("Fatal error: you haven't installed a proportional font in your system! "
			"You must have at least one such font for running Velmora.");
		return false;
	}
	if (!fixed) {
		ErrorAlert("Fatal error: you haven't installed a fixed font in your system! "
			"You must have at least one such font for running Velmora.");
		return false;
	}
	return true;
}

// The folder of the running program file, links followed.
std::string Config_::ProgramDirectory()
{
	char path[PATH_MAX];
	ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
	if (length <= 0)
		return std::string();
	std::string program(path, static_cast<size_t>(length));
	size_t slash = program.rfind('/');
	if (slash == std::string::npos)
		return std::string();
	return program.substr(0, slash + 1);
}

void Config_::SetFonts()
{
	proportionalFont = FontOf(proportionalFontName, baseFontSize, be_plain_font);
	fixedFont = FontOf(fixedFontName, baseFixedFontSize, be_fixed_font);
}

void Config_::BuildMessage(BMessage* settings) const
{
	settings->AddString("ConfigVersion", kVersion);
	if (!userName.empty())
		settings->AddString("UserName", userName.c_str());
	if (!proportionalFontName.empty())
		settings->AddString("ProportionalFontName", proportionalFontName.c_str());
	if (!fixedFontName.empty())
		settings->AddString("FixedFontName", fixedFontName.c_str());
	settings->AddInt32("BaseFontSize", baseFontSize);
	settings->AddInt32("BaseFixedFontSize", baseFixedFontSize);
	settings->AddRect("VisualWindowCoordinates", visualWindowFrame);
	settings->AddRect("HTMLWindowCoordinates", htmlWindowFrame);
	settings->AddRect("ErrorWindowCoordinates", errorWindowFrame);
	if (!extTextEditor.empty())
		settings->AddString("ExtTextEditor", extTextEditor.c_str());
	settings->AddBool("StartingGIFTranslatorTest", startingGIFTranslatorTest);
}

// The new settings replace the old file only once they are whole on the
// disk: a full disk or a killed program leaves the last settings saved.
void Config_::Save() const
{
	if (fReadOnly)
		return;
	std::string path = SettingsPath();
	std::string directory = path.substr(0, path.rfind('/'));
	create_directory(directory.c_str(), 0777);
	SafeSave::RemoveAbandonedNewFiles(directory, path.substr(path.rfind('/') + 1));
	BMessage settings;
	BuildMessage(&settings);
	std::string bytes(static_cast<size_t>(settings.FlattenedSize()), '\0');
	status_t status = path.empty() ? B_ENTRY_NOT_FOUND
		: settings.Flatten(bytes.data(), static_cast<ssize_t>(bytes.size()));
	if (status == B_OK)
		status = SafeSave::Replace(path.c_str(), bytes, nullptr);
	if (status != B_OK)
		ErrorAlert("system error: it is not possible to create config file \"", path.c_str(),
			"\": ", status_text(status));
}

const char* Config_::AppDirectory() const
{
	return appDirectory.empty() ? nullptr : appDirectory.c_str();
}

const char* Config_::UserName() const
{
	return userName.empty() ? nullptr : userName.c_str();
}

void Config_::SetUserName(const char* name)
{
	userName = name != nullptr ? name : "";
}

void Config_::SetProportionalFont(const char* family, int32 size)
{
	if (family != nullptr)
		proportionalFontName = family;
	if (size >= kSmallestFontSize && size <= kLargestFontSize)
		baseFontSize = size;
}

void Config_::SetFixedFont(const char* family, int32 size)
{
	if (family != nullptr)
		fixedFontName = family;
	if (size >= kSmallestFontSize && size <= kLargestFontSize)
		baseFixedFontSize = size;
}

const char* Config_::ExtTextEditor() const
{
	return extTextEditor.empty() ? nullptr : extTextEditor.c_str();
}

void Config_::SetExtTextEditor(const char* path)
{
	extTextEditor = path != nullptr ? path : "";
}

// #pragma mark - The preferences window

void Config_::Setup(Page* page)
{
	ClosePreferencesWindow();
	if (preferencesMaker == nullptr || page == nullptr)
		return;
	if (BWindow* window = preferencesMaker(this, page))
		window->Show();
}

void Config_::EnterPreferencesWindow(BWindow* window)
{
	std::lock_guard<std::mutex> guard(sPreferencesLock);
	sPreferences = BMessenger(window);
}

void Config_::LeavePreferencesWindow(BWindow* window)
{
	std::lock_guard<std::mutex> guard(sPreferencesLock);
	BLooper* entered = nullptr;
	sPreferences.Target(&entered);
	if (entered == nullptr || entered == window)
		sPreferences = BMessenger();
}

void Config_::ClosePreferencesWindow()
{
	BMessenger preferences;
	{
		std::lock_guard<std::mutex> guard(sPreferencesLock);
		preferences = sPreferences;
	}
	if (!preferences.LockTarget())
		return;
	BLooper* window = nullptr;
	preferences.Target(&window);
	window->Quit();
}

bool Config_::IsPreferencesWindowOpen()
{
	std::lock_guard<std::mutex> guard(sPreferencesLock);
	return sPreferences.IsValid();
}

#ifndef VELMORA_CONFIG_H
#define VELMORA_CONFIG_H

#include <memory>
#include <string>

#include <Font.h>
#include <Messenger.h>
#include <Rect.h>

class BMessage;
class BWindow;
class Page;

// The program's settings: its own directory, the author name written into
// every page, the two program fonts, the frames of a page's three windows,
// the external HTML editor and the guard flag of the image-translator test.
// They live in one settings file, a flattened message, under the user's
// settings folder: "Korvane/Velmora_settings".
//
// The application owns exactly one; while it exists, Shared() returns it.
//
// At most one preferences window is open in the process; the settings keep
// the way to it, so that whoever goes away first (the page it edits, the
// settings themselves) can close it.
class Config_ {
public:
	// Makes the preferences window for a page; the application, which owns
	// that window, says how (the window lives above the settings).
	using PreferencesMaker = BWindow* (*)(Config_* settings, Page* page);

	// Reads the settings file; without a readable one, the defaults are
	// used and saved at once, and the start counts as a first start. A
	// read-only object never writes the file (batch commands).
	explicit Config_(bool readOnly = false);
	~Config_();
	Config_(const Config_&) = delete;
	Config_& operator=(const Config_&) = delete;

	static Config_* Shared();

	// Defaults first, then every field the file holds with the right type
	// and a sensible value. False when the file cannot be opened or read.
	bool Init();
	void SetStandardValues();
	void SetFonts();
	// Writes the settings file; an alert when it cannot be created.
	void Save() const;

	// Closes an open preferences window and opens one for page.
	void Setup(Page* page);
	void SetPreferencesMaker(PreferencesMaker maker) { preferencesMaker = maker; }
	// The process-wide reference to the open preferences window: the
	// window enters itself when it is made and leaves when it quits.
	static void EnterPreferencesWindow(BWindow* window);
	static void LeavePreferencesWindow(BWindow* window);
	// Closes the open preferences window, if any, and returns once it is
	// gone. The caller holds no window lock.
	static void ClosePreferencesWindow();
	static bool IsPreferencesWindowOpen();

	bool IsFirstStart() const { return fFirstStart; }
	// The settings file existed but could not be read, or held values of
	// the wrong type or out of range. The repaired settings were saved, so
	// the owner tells the user, and only this once.
	bool WasDamaged() const { return fDamaged; }
	// The path of the settings file.
	static std::string SettingsPath();

	// The folder of the program file, ending in "/"; null when it cannot
	// be found.
	const char* AppDirectory() const;
	// Null when no author name is set.
	const char* UserName() const;
	void SetUserName(const char* name);
	int32 BaseFontSize() const { return baseFontSize; }
	int32 BaseFixedFontSize() const { return baseFixedFontSize; }
	const char* ProportionalFontName() const { return proportionalFontName.c_str(); }
	const char* FixedFontName() const { return fixedFontName.c_str(); }
	// Change a program font; SetFonts() makes the font objects anew.
	void SetProportionalFont(const char* family, int32 size);
	void SetFixedFont(const char* family, int32 size);
	const BFont* ProportionalFont() const { return proportionalFont.get(); }
	const BFont* FixedFont() const { return fixedFont.get(); }

	BRect VisualWindowFrame() const { return visualWindowFrame; }
	BRect HTMLWindowFrame() const { return htmlWindowFrame; }
	BRect ErrorWindowFrame() const { return errorWindowFrame; }
	void SetVisualWindowFrame(BRect frame) { visualWindowFrame = frame; }
	void SetHTMLWindowFrame(BRect frame) { htmlWindowFrame = frame; }
	void SetErrorWindowFrame(BRect frame) { errorWindowFrame = frame; }

	// Null when no external editor is set.
	const char* ExtTextEditor() const;
	void SetExtTextEditor(const char* path);
	bool StartingGIFTranslatorTest() const { return startingGIFTranslatorTest; }
	void SetStartingGIFTranslatorTest(bool running) { startingGIFTranslatorTest = running; }

private:
	bool ReadFields(const BMessage& settings);
	void BuildMessage(BMessage* settings) const;
	static std::string ProgramDirectory();
	static bool CheckInstalledFonts();

	std::string appDirectory;	// empty when unknown
	std::string userName;		// empty when none
	int32 baseFontSize;
	int32 baseFixedFontSize;
	std::string proportionalFontName;
	std::string fixedFontName;
	BRect visualWindowFrame;
	BRect htmlWindowFrame;
	BRect errorWindowFrame;
	std::unique_ptr<BFont> proportionalFont;
	std::unique_ptr<BFont> fixedFont;
	std::string extTextEditor;	// empty when none
	bool startingGIFTranslatorTest;

	PreferencesMaker preferencesMaker = nullptr;
	bool fReadOnly;
	bool fFirstStart = false;
	bool fDamaged = false;	// the file exists but was not sound
};

#endif

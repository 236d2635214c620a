#ifndef VELMORA_CONFIG_WINDOW_H
#define VELMORA_CONFIG_WINDOW_H

#include <memory>
#include <string>
#include <vector>

#include <Window.h>

class BBox;
class BColorControl;
class BFilePanel;
class BListItem;
class BListView;
class BMenuField;
class BStringView;
class BTextControl;
class ColorSampleView;
class Config_;
class Page;

// The preferences window. It edits the values of one page (title,
// background picture, text, link and background colours) and the program
// settings (author name, external HTML editor, the two program fonts) at
// once; every change shows at once. Closing it saves the settings and
// marks the page changed, so that its HTML is written again with the new
// values. At most one is open (Config_::Setup).
class ConfigWindow : public BWindow {
public:
	// Messages of the controls.
	static constexpr uint32 kSelectCategory = 'lsel';
	static constexpr uint32 kPageTitle = 22;
	static constexpr uint32 kBackgroundImage = 44;
	static constexpr uint32 kAuthor = 143;
	static constexpr uint32 kExternalEditor = 273;
	static constexpr uint32 kSelectColorItem = 49;
	static constexpr uint32 kColorChanged = 70;
	static constexpr uint32 kProportionalFamily = 'pfch';
	static constexpr uint32 kProportionalSize = 'fsch';
	static constexpr uint32 kFixedFamily = 'ffch';
	static constexpr uint32 kFixedSize = 'ffsc';
	static constexpr uint32 kOpenFile = 'opfi';

	// The font sizes both size menus offer.
	static constexpr int32 kFontSizes[] = {7, 9, 10, 12, 14, 18, 24};

	ConfigWindow(Config_* settings, Page* page);
	~ConfigWindow() override;

	// What Config_::Setup makes the window with.
	static BWindow* Make(Config_* settings, Page* page);

	void MessageReceived(BMessage* message) override;
	// Applies what was typed but not entered, saves the settings, marks the
	// page changed and quits. A page that is going away is left alone.
	void Quit() override;

	// The text of the status line: what the last change could not do.
	const char* StatusText() const;

private:
	void BuildCategories(BRect frame);
	BView* BuildPageSettings(BRect frame);
	BView* BuildProgramSettings(BRect frame);
	BView* BuildFontBox(BRect frame, const char* label, bool fixed);
	BListItem* Row(const char* text);
	BTextControl* AddTextField(BView* parent, BRect frame, const char* label,
		const char* name, const char* text, uint32 command, bool withOpenButton);

	void ShowCategory();
	void ApplyTitle();
	void ApplyBackground();
	void ApplyAuthor();
	void ApplyExternalEditor();
	void ApplyTypedValues();
	void ApplyText(BTextControl* control);
	void ShowItemColor();
	void ApplyColor();
	void ChangeFont(const BMessage* message);
	void ShowOpenPanel(const BMessage* message);
	void FillFromPanel(const BMessage* message);
	void SetStatus(const std::string& text);
	int32 SelectedColorItem() const;
	bool PageIsGoing() const;

	Config_* settings;	// not owned: the application's
	Page* page;			// not owned; closes this window when it goes
	ColorSampleView* sample;
	BView* panels[3];
	BListView* categories;
	BBox* panelBox;
	BTextControl* titleControl;
	BTextControl* backgroundControl;
	BTextControl* authorControl;
	BTextControl* editorControl;
	BListView* colorItems;
	BColorControl* colorControl;
	BStringView* statusLine;
	std::unique_ptr<BFilePanel> openPanel;
	// The rows of both lists: a list view shows rows it does not own.
	std::vector<std::unique_ptr<BListItem>> rows;
};

#endif

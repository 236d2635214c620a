#ifndef VELMORA_COLOR_SAMPLE_VIEW_H
#define VELMORA_COLOR_SAMPLE_VIEW_H

#include <GraphicsDefs.h>
#include <View.h>

class Page;

// A sample of the page's colours in the preferences window: the word
// "Text " in the text colour and "link", underlined, in the link colour, on
// the background colour, inside a frame.
class ColorSampleView : public BView {
public:
	// Made at least large enough for its words.
	ColorSampleView(BRect frame, Page* page);

	void AttachedToWindow() override;
	void Draw(BRect updateRect) override;

	// Takes the page's colours again and redraws.
	void Reset();

	rgb_color SampleTextColor() const { return textColor; }
	rgb_color SampleLinkColor() const { return linkColor; }
	rgb_color SampleBackgroundColor() const { return backgroundColor; }

private:
	void TakePageColors();

	Page* page;	// not owned: the page the preferences window edits
	// Copies taken under the engine lock: the engine's thread changes the
	// page's colours when it reads the page again.
	rgb_color textColor;
	rgb_color linkColor;
	rgb_color backgroundColor;
};

#endif

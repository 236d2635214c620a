#ifndef _VELMORA_TEXT_DRAWER_H
#define _VELMORA_TEXT_DRAWER_H

#include <string>
#include <string_view>

#include <Font.h>

#include <GraphicsDefs.h>
#include <Rect.h>

class BView;

namespace BPrivate {

class StyledText;
class TextGeometry;
class TextMeasurer;

// What the text view shows over its text besides the runs themselves.
struct TextMarks {
	int32 selectionStart = 0;
	int32 selectionEnd = 0;
	rgb_color highlight = {0, 0, 0, 255};
	// The caret, or -1 while none is shown (a selection, a blink, no focus).
	int32 caret = -1;
	rgb_color caretColor = {0, 0, 0, 255};
};

// Draws the lines of a styled text that meet a rectangle: the selection's
// highlight, then each style run in its font and colour (tabs skipped to
// their stops, 0x0F drawn as a space), then the caret. Only the lines in
// the rectangle are looked at, so a long text costs what its visible part
// costs.
class TextDrawer {
public:
	TextDrawer(const StyledText& text, const TextGeometry& geometry, TextMeasurer& measurer);

	void Draw(BView* view, BRect updateRect, const TextMarks& marks);

private:
	void _DrawHighlight(BView* view, BRect updateRect, const TextMarks& marks);
	void _DrawLine(BView* view, int32 line, BRect updateRect);
	float _DrawPiece(BView* view, std::string_view bytes, const BFont& font, float x,
		float baseline);

	const StyledText& fText;
	const TextGeometry& fGeometry;
	TextMeasurer& fMeasurer;
	std::string fScratch;
	std::string fDrawScratch;
};

} // namespace BPrivate

#endif

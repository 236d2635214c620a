#ifndef _VELMORA_CONTROL_LOOK_H
#define _VELMORA_CONTROL_LOOK_H

#include <Font.h>
#include <GraphicsDefs.h>
#include <InterfaceDefs.h>
#include <Rect.h>

class BView;

namespace BPrivate {

// The look every control shares: light grey panels, bevelled faces lit from
// the top left, white sunken fields, black labels, and the keyboard focus
// in the navigation blue. Controls, menus, lists and scroll bars draw
// through these so that they look like parts of one toolkit.
//
// Every function draws on a view that is attached to a locked window and
// leaves the view's drawing state as it found it.
class ControlLook {
public:
	// How a part is drawn; combine as bits.
	enum {
		kFocused = 0x01,    // has the keyboard focus (in an active window)
		kDisabled = 0x02,
		kPressed = 0x04,    // held down by the mouse or a key
		kDefault = 0x08,    // the button Enter chooses
		kHovered = 0x10     // the pointer is over it
	};

	// Room a button keeps around its face for the default ring.
	static const float kDefaultRingInset;
	// Side of a check box's box.
	static const float kCheckBoxSize;

	static rgb_color PanelColor();
	// What a control sits on: its parent's view colour, or the panel's.
	static rgb_color ParentPanelColor(const BView* view);
	static rgb_color LabelColor(uint32 flags);
	static rgb_color FocusColor();
	// The lines of a bevel lit from the top left, for a base colour.
	static rgb_color ShineOf(rgb_color base);
	static rgb_color ShadowOf(rgb_color base);
	static rgb_color EdgeOf(rgb_color base);

	// A push button in frame: the default ring (kDefault), the outline, the
	// face (darker and sunken while kPressed) and the focus mark inside.
	// The label is drawn separately, in ButtonLabelRect().
	static void DrawButton(BView* view, BRect frame, uint32 flags);
	static BRect ButtonLabelRect(BRect frame, uint32 flags);

	// A raised bevel (a tool bar button's frame); sunken when kPressed, and
	// lighter while kHovered. Fills the face with base.
	static void DrawBevel(BView* view, BRect frame, rgb_color base, uint32 flags);

	// A white field sunk into the panel: text fields, lists, bars. Returns
	// the inside, which the caller fills.
	static BRect DrawSunkenField(BView* view, BRect frame, rgb_color fill, uint32 flags);

	// A check box's box with its mark when checked.
	static void DrawCheckBox(BView* view, BRect box, bool checked, uint32 flags);

	// A frame around a group: B_FANCY_BORDER is an etched line,
	// B_PLAIN_BORDER a single line, B_NO_BORDER nothing.
	static void DrawGroupFrame(BView* view, BRect frame, border_style border);

	// A progress bar: a sunken trough with the done part in barColor.
	static void DrawProgressBar(BView* view, BRect frame, float fraction, rgb_color barColor);

	// A one-line label in the view's current font, centred vertically in
	// rect and aligned in it; cut short with "…" when it does not fit.
	// Returns where its text starts and ends (for a focus underline).
	static BRect DrawLabel(BView* view, const char* label, BRect rect, alignment align,
		uint32 flags);
	// The same in the view's high colour.
	static BRect DrawText(BView* view, const char* text, BRect rect, alignment align);
	// The underline that marks the focus on controls without a frame.
	static void DrawFocusUnderline(BView* view, BRect textExtent);

	// The baseline that centres a line of the font in rect, and the height
	// a line of the font needs.
	static float BaselineFor(const BFont& font, BRect rect);
	static float LineHeight(const BFont& font);
};

} // namespace BPrivate

#endif

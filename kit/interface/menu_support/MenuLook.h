#ifndef _VELMORA_MENU_LOOK_H
#define _VELMORA_MENU_LOOK_H

#include <string>

#include <Font.h>
#include <GraphicsDefs.h>
#include <Rect.h>

class BView;

// How menus look: the sizes and the drawing shared by menus, menu bars and
// menu fields, in the light grey of every control.
namespace BPrivate {
namespace MenuLook {

const float kBorder = 1;           // the frame of a pop-up menu
const float kPadding = 3;          // above the first item and below the last
const float kMarkColumn = 20;      // left of the labels, where marks go
const float kRightMargin = 12;     // right of the labels (or the shortcuts)
const float kArrowColumn = 14;     // right of the labels of submenu items
const float kShortcutGap = 24;     // between a label and its shortcut
const float kItemMargin = 3;       // above and below a label
const float kSeparatorHeight = 9;
const float kTitleMargin = 8;      // left and right of a menu bar's titles

rgb_color Background();
rgb_color TextColor(bool enabled, bool selected);
rgb_color ShortcutColor(bool enabled, bool selected);

// A label cut short with an ellipsis so that it is at most width wide;
// whole characters only.
std::string FittedLabel(const BFont& font, const std::string& label, float width);

// The height of one line of text with the item margins.
float LineHeight(const BFont& font);
// Baseline of text in a line that starts at top.
float Baseline(const BFont& font, float top);

// The raised frame of a pop-up menu around bounds.
void DrawMenuFrame(BView* view, BRect bounds);
// An item's background: flat, or the selection's when highlighted.
void DrawItemBackground(BView* view, BRect frame, bool selected);
// A check (or in radio mode a dot) in the mark column of frame.
void DrawMark(BView* view, BRect frame, bool radio, bool enabled, bool selected);
// The arrow of a submenu item at the right of frame.
void DrawSubmenuArrow(BView* view, BRect frame, bool enabled, bool selected);
void DrawSeparator(BView* view, BRect frame);
// A menu bar's background with its bottom edge.
void DrawBarBackground(BView* view, BRect bounds);
// The down arrow of a menu field at the right of frame.
void DrawPopUpArrow(BView* view, BRect frame, bool enabled);

} // namespace MenuLook
} // namespace BPrivate

#endif

#ifndef _VELMORA_MENU_FIELD_BAR_H
#define _VELMORA_MENU_FIELD_BAR_H

#include <MenuBar.h>

namespace BPrivate {

// The box of a menu field: a one-title menu bar drawn as a raised box with
// the title's label and a down arrow, opened by a click anywhere on it. It
// never becomes its window's key menu bar.
class MenuFieldBar : public BMenuBar {
public:
	explicit MenuFieldBar(BRect frame);

	void AttachedToWindow() override;
	void Draw(BRect updateRect) override;
	void MouseDown(BPoint where) override;
	// The height of the box, and the width the menu's widest item needs.
	void GetPreferredSize(float* width, float* height) override;

	// The field shows its keyboard focus on the box.
	void SetFocused(bool focused);

private:
	bool fFocused = false;
};

} // namespace BPrivate

#endif

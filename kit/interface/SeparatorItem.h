#ifndef _SEPARATOR_ITEM_H
#define _SEPARATOR_ITEM_H

#include <MenuItem.h>

// A line between groups of items; it can be neither highlighted nor chosen.
class BSeparatorItem : public BMenuItem {
public:
	BSeparatorItem();
	~BSeparatorItem() override;

	// A separator stays disabled.
	void SetEnabled(bool enabled) override;

protected:
	void GetContentSize(float* width, float* height) override;
	void Draw() override;
};

#endif

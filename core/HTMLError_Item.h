#ifndef VELMORA_HTMLERROR_ITEM_H
#define VELMORA_HTMLERROR_ITEM_H

#include "KListItem.h"
#include "VudavMessageType.h"

// An entry of the error list: a list row that also remembers its kind,
// which the icon alone cannot tell when the icons are missing.
class HTMLError_Item : public KListItem {
public:
	// Takes data; the icon stays the window's.
	HTMLError_Item(const char* text, BMessage* data, const BBitmap* icon,
		VUDAV_message_type kind);

	VUDAV_message_type Kind() const { return kind; }

private:
	VUDAV_message_type kind;
};

#endif

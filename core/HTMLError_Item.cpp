#include "HTMLError_Item.h"

HTMLError_Item::HTMLError_Item(const char* text, BMessage* data, const BBitmap* icon,
	VUDAV_message_type kind)
	:
	KListItem(text, data, icon),
	kind(kind)
{
}

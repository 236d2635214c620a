#include "KBBarItem.h"

#include <View.h>

KBBarItem::~KBBarItem() = default;

void KBBarItem::PlaceAt(BPoint where)
{
	View()->MoveTo(where);
}

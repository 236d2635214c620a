#ifndef _VELMORA_ALERT_ICONS_H
#define _VELMORA_ALERT_ICONS_H

#include <Alert.h>
#include <Rect.h>

class BView;

namespace BPrivate {

// The icon of an alert kind, drawn to fill frame: a blue disc with an "i"
// for information, a lit bulb for an idea, a yellow triangle with "!" for a
// warning and a red octagon with "!" for a stop; nothing for an empty alert.
void DrawAlertIcon(BView* view, alert_type type, BRect frame);

} // namespace BPrivate

#endif

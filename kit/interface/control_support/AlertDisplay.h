#ifndef _VELMORA_ALERT_DISPLAY_H
#define _VELMORA_ALERT_DISPLAY_H

namespace BPrivate {

// Whether alerts open their window. Headless they normally do not: the
// alert responder answers them. Tests of the alert window itself turn this
// on to post keys and clicks to real alert windows on the headless display.
void SetAlertWindowsShownHeadless(bool shown);
bool AlertWindowsShownHeadless();

} // namespace BPrivate

#endif

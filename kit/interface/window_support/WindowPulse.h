#ifndef _VELMORA_WINDOW_PULSE_H
#define _VELMORA_WINDOW_PULSE_H

class BWindow;

namespace BPrivate {

// Keeps a runner sending B_PULSE to the window at its pulse rate exactly
// while the window runs, the rate is above 0 and a view wants pulses.
void RefreshPulse(BWindow* window);
// Pulse() of every shown view that has B_PULSE_NEEDED, parents first.
void PulseViews(BWindow* window);

} // namespace BPrivate

#endif

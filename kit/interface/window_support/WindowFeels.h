#ifndef _VELMORA_WINDOW_FEELS_H
#define _VELMORA_WINDOW_FEELS_H

#include <Window.h>

namespace BPrivate {

inline bool IsModalFeel(window_feel feel)
{
	return feel == B_MODAL_SUBSET_WINDOW_FEEL || feel == B_MODAL_APP_WINDOW_FEEL
		|| feel == B_MODAL_ALL_WINDOW_FEEL;
}

inline bool IsFloatingFeel(window_feel feel)
{
	return feel == B_FLOATING_SUBSET_WINDOW_FEEL || feel == B_FLOATING_APP_WINDOW_FEEL
		|| feel == B_FLOATING_ALL_WINDOW_FEEL;
}

} // namespace BPrivate

#endif

#ifndef _BEEP_H
#define _BEEP_H

#include <SupportDefs.h>

// Rings the display's bell (headless: counts it).
status_t beep();

#endif

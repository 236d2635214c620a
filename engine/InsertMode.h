#ifndef VELMORA_INSERT_MODE_H
#define VELMORA_INSERT_MODE_H

#include <SupportDefs.h>

// How an element comes into being: by an edit of the user (the visual
// window is marked changed) or while the page is built or restored.
enum insert_mode : int32 {
	INSERT_EDIT = 0,
	INSERT_BUILD = 1
};

// What follows the insertion of a link: nothing, or its settings window
// opened for a link target or for a mail link.
enum insertflag : int32 {
	INSERT_PLAIN = 0,
	INSERT_LINK_TARGET = 1,
	INSERT_MAIL_LINK = 2
};

#endif

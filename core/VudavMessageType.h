#ifndef VUDAV_MESSAGE_TYPE_H
#define VUDAV_MESSAGE_TYPE_H

// The kind of an entry of the error list; it chooses the entry's icon.
// Reports may carry kinds outside these (listed without an icon), so the
// type holds any int.
enum VUDAV_message_type : int {
	VUDAV_ERROR = 0,
	VUDAV_WARNING = 1,
	VUDAV_NOTE = 2
};

#endif

#ifndef _VELMORA_CLIPBOARD_HTML_H
#define _VELMORA_CLIPBOARD_HTML_H

#include <string>

namespace BPrivate {

// HTML as other programs put it on the desktop clipboard.
class ClipboardHTML {
public:
	// Browsers offer "text/html" in UTF-16 with a byte-order mark; the page
	// reader wants UTF-8. Other data comes back unchanged.
	static std::string AsUtf8(const std::string& data);
};

} // namespace BPrivate

#endif

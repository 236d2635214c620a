#ifndef LIBRARY_CONFIGURATION_H
#define LIBRARY_CONFIGURATION_H

#include <tidy/tidy.h>

class MarkupScan;

// Sets up the HTML library for reading a page without changing it: the
// configuration the editor was designed with, mapped to the library's
// current options, and the defaults that would alter what the user wrote
// turned off.
class LibraryConfiguration {
public:
	// False when the library refused an option (a fault of this program).
	static bool Apply(TidyDoc document, const MarkupScan& scan);
};

#endif

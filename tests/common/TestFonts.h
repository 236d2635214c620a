#ifndef _VELMORA_TEST_FONTS_H
#define _VELMORA_TEST_FONTS_H

#include <cstdlib>

// Points fontconfig at a configuration holding only the DejaVu fonts, so
// that widths and pixels do not depend on the fonts a machine has. It must
// run before the first font is used: fontconfig reads its configuration
// once. Including this header does it while the test program starts.
namespace Testing {

inline bool UseTestFonts()
{
	return setenv("FONTCONFIG_FILE", VELMORA_SOURCE_DIR "/tests/common/fonts.conf", 1) == 0;
}

inline const bool kTestFontsInUse = UseTestFonts();

} // namespace Testing

#endif

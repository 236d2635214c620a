#ifndef VELMORA_FONT_FACES_H
#define VELMORA_FONT_FACES_H

class Config_;

// The installed font families a page's FACE lists name.
class FontFaces {
public:
	// Copies into family (B_FONT_FAMILY_LENGTH + 1 bytes) the first
	// installed family that begins with a word of the comma-separated face
	// list, ignoring case; without one, the settings' proportional family,
	// and false. A null family does nothing and gives false.
	static bool FamilyForFace(char* family, const char* face, const Config_* settings);
};

#endif

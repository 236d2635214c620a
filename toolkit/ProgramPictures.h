#ifndef VELMORA_PROGRAM_PICTURES_H
#define VELMORA_PROGRAM_PICTURES_H

#include <memory>

#include <Bitmap.h>
#include <Message.h>

// The program's pictures: the archive kept as the 'ARCV' resource
// "ButtonBarButtons", each picture an entry whose "bitmap" is an archived
// BBitmap. Read once, then asked for any number of pictures.
class ProgramPictures {
public:
	// Empty when the program has no resources or the archive is unreadable.
	ProgramPictures();

	// The named picture; null when it is missing or cannot be read.
	std::unique_ptr<BBitmap> Picture(const char* name) const;

private:
	BMessage fArchive;
};

#endif

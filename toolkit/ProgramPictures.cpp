#include "ProgramPictures.h"

#include <Application.h>
#include <Resources.h>

ProgramPictures::ProgramPictures()
{
	BResources* resources = BApplication::AppResources();
	size_t size = 0;
	const void* data = resources != nullptr
		? resources->LoadResource('ARCV', "ButtonBarButtons", &size) : nullptr;
	if (data == nullptr || fArchive.Unflatten(static_cast<const char*>(data), size) != B_OK)
		fArchive.MakeEmpty();
}

std::unique_ptr<BBitmap> ProgramPictures::Picture(const char* name) const
{
	BMessage entry;
	BMessage bitmap;
	if (fArchive.FindMessage(name, &entry) != B_OK
			|| entry.FindMessage("bitmap", &bitmap) != B_OK)
		return nullptr;
	std::unique_ptr<BBitmap> picture(BBitmap::Instantiate(&bitmap));
	if (picture != nullptr && !picture->IsValid())
		picture.reset();
	return picture;
}

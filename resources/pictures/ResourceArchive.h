#ifndef _VELMORA_RESOURCE_ARCHIVE_H
#define _VELMORA_RESOURCE_ARCHIVE_H

#include <string>
#include <vector>

#include <SupportDefs.h>

#include "PictureRecipe.h"

class BMessage;

// The program's resource archive: one resource of type 'ARCV' named
// "ButtonBarButtons", a flattened message with one sub-message per picture
// (the tool-bar buttons, the start-up logo, the error list's icons), each
// holding its archived BBitmap under "bitmap".
namespace ResourceArchive {

const type_code kType = 'ARCV';
const int32 kID = 1;
extern const char* const kName;

// Every picture of the archive, in the order they are stored.
std::vector<PictureRecipe> Pictures();

// Draws every picture into the message.
status_t BuildMessage(BMessage* archive);
// The flattened message; the same sources always give the same bytes.
status_t Flatten(std::string* bytes);
// Writes a new archive file at path, replacing what was there.
status_t Write(const std::string& path);

} // namespace ResourceArchive

#endif

#ifndef _VELMORA_CONTACT_SHEET_H
#define _VELMORA_CONTACT_SHEET_H

#include <string>

#include <SupportDefs.h>

// One PNG that shows every picture for review: the tool-bar icons as the
// bar shows them and enlarged four times with their pixels visible, the
// error-list icons on the list's white, and the larger pictures.
namespace ContactSheet {

status_t Write(const std::string& path, const std::string& version);

} // namespace ContactSheet

#endif

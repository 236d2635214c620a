#ifndef _VELMORA_MESSAGE_PRINTER_H
#define _VELMORA_MESSAGE_PRINTER_H

#include <cstdio>

#include "MessageFields.h"

namespace BPrivate {

// Writes a readable dump of a message, nested messages indented.
void PrintMessage(FILE* out, uint32 what, const MessageFields& fields, int indent);

} // namespace BPrivate

#endif

#ifndef _VELMORA_MESSAGE_FORMAT_H
#define _VELMORA_MESSAGE_FORMAT_H

#include <string>
#include <string_view>

#include <EntryRef.h>
#include <SupportDefs.h>

#include "MessageFields.h"

// Reading and writing the flattened form described in Message.h.
namespace BPrivate {
namespace MessageFormat {

constexpr size_t kHeaderSize = 20;
constexpr uint32 kVersion = 1;
// Larger claims are refused before anything is allocated for them.
constexpr size_t kMaxStreamSize = size_t(512) << 20;

// The item size of the fixed-size types the kit knows, 0 for the others.
size_t FixedSizeOf(type_code type);

size_t FlattenedSize(const MessageFields& fields);
// Writes exactly FlattenedSize(fields) bytes.
void Write(uint32 what, const MessageFields& fields, char* out);
std::string Flattened(uint32 what, const MessageFields& fields);

// The total size a header announces, after checking magic and version.
status_t ReadTotalSize(const char* data, size_t available, size_t* totalSize);
// Parses and checks one flattened message of at most `size` bytes.
status_t Read(const char* data, size_t size, uint32* what, MessageFields* fields);

std::string EncodeRef(const entry_ref& ref);
status_t DecodeRef(std::string_view data, entry_ref* ref);

} // namespace MessageFormat
} // namespace BPrivate

#endif

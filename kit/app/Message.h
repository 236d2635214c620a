#ifndef _MESSAGE_H
#define _MESSAGE_H

#include <memory>

#include <AppDefs.h>
#include <DataIO.h>
#include <EntryRef.h>
#include <GraphicsDefs.h>
#include <Rect.h>
#include <TypeConstants.h>

class BHandler;

namespace BPrivate {
class MessageFields;
struct MessageDelivery;
struct MessageAccess;
}

// A command code (`what`) with named, typed fields. A name holds one or more
// values of one type, reached by index, and names keep the order in which
// they were first added. Pointers returned by FindString and FindData stay
// valid until the message is changed.
//
// Flattened form, version 1; all numbers little-endian, no padding:
//   "VMSG"  uint32 version (1)  uint32 total size in bytes (header included)
//   uint32 what  uint32 field count
//   then each field, in the order of addition:
//     uint32 type  uint8 flags (bit 0: fixed size; other bits 0)
//     uint32 name length, the name's bytes (no NUL)  uint32 item count (>= 1)
//     fixed size: uint32 item size, then the items back to back
//     otherwise:  for each item, uint32 size then its bytes
// Strings are stored without their NUL; nested messages in their own
// flattened form; pointers as their 8-byte value (meaningful only inside the
// process that flattened them); an entry_ref as int64 device, int64
// directory, uint32 name length (0xFFFFFFFF: no name), name, uint32 path
// length, path. The same fields added in the same order give the same bytes.
// Reading checks every length, count and type size against the data and
// nests at most 64 messages deep; bad data fails with B_BAD_DATA.
class BMessage {
public:
	uint32 what;

	BMessage();
	explicit BMessage(uint32 command);
	BMessage(const BMessage& other);
	BMessage& operator=(const BMessage& other);
	virtual ~BMessage();

	status_t GetInfo(type_code type, int32 index, char** nameFound, type_code* typeFound,
		int32* countFound = NULL) const;
	status_t GetInfo(type_code type, int32 index, const char** nameFound, type_code* typeFound,
		int32* countFound = NULL) const;
	status_t GetInfo(const char* name, type_code* typeFound, int32* countFound = NULL) const;
	status_t GetInfo(const char* name, type_code* typeFound, bool* fixedSize) const;
	status_t GetInfo(const char* name, type_code* typeFound, int32* countFound, bool* fixedSize) const;
	int32 CountNames(type_code type) const;
	bool IsEmpty() const;
	status_t MakeEmpty();
	status_t RemoveName(const char* name);
	status_t RemoveData(const char* name, int32 index = 0);
	bool HasData(const char* name, type_code type, int32 index = 0) const;
	void PrintToStream() const;

	bool WasDropped() const;
	BPoint DropPoint(BPoint* offset = NULL) const;
	bool IsSourceWaiting() const;
	bool IsReply() const;
	status_t SendReply(uint32 command, BHandler* replyTo = NULL);
	status_t SendReply(BMessage* reply, BHandler* replyTo = NULL,
		bigtime_t timeout = B_INFINITE_TIMEOUT);

	ssize_t FlattenedSize() const;
	status_t Flatten(char* buffer, ssize_t size) const;
	status_t Flatten(BDataIO* stream, ssize_t* size = NULL) const;
	// Trusts the size in the header: use the sized form for untrusted buffers.
	status_t Unflatten(const char* flatBuffer);
	status_t Unflatten(const char* flatBuffer, ssize_t size);
	status_t Unflatten(BDataIO* stream);

	status_t AddData(const char* name, type_code type, const void* data, ssize_t numBytes,
		bool isFixedSize = true, int32 count = 1);
	status_t FindData(const char* name, type_code type, const void** data, ssize_t* numBytes) const;
	status_t FindData(const char* name, type_code type, int32 index, const void** data,
		ssize_t* numBytes) const;
	status_t ReplaceData(const char* name, type_code type, const void* data, ssize_t numBytes);
	status_t ReplaceData(const char* name, type_code type, int32 index, const void* data,
		ssize_t numBytes);

	// Each type: Add, Find (first or by index), Replace (first or by index), Has.
	status_t AddString(const char* name, const char* string);
	status_t FindString(const char* name, const char** string) const;
	status_t FindString(const char* name, int32 index, const char** string) const;
	status_t ReplaceString(const char* name, const char* string);
	status_t ReplaceString(const char* name, int32 index, const char* string);
	bool HasString(const char* name, int32 index = 0) const;

	status_t AddInt8(const char* name, int8 value);
	status_t FindInt8(const char* name, int8* value) const;
	status_t FindInt8(const char* name, int32 index, int8* value) const;
	status_t ReplaceInt8(const char* name, int8 value);
	status_t ReplaceInt8(const char* name, int32 index, int8 value);
	bool HasInt8(const char* name, int32 index = 0) const;

	status_t AddInt16(const char* name, int16 value);
	status_t FindInt16(const char* name, int16* value) const;
	status_t FindInt16(const char* name, int32 index, int16* value) const;
	status_t ReplaceInt16(const char* name, int16 value);
	status_t ReplaceInt16(const char* name, int32 index, int16 value);
	bool HasInt16(const char* name, int32 index = 0) const;

	status_t AddInt32(const char* name, int32 value);
	status_t FindInt32(const char* name, int32* value) const;
	status_t FindInt32(const char* name, int32 index, int32* value) const;
	status_t ReplaceInt32(const char* name, int32 value);
	status_t ReplaceInt32(const char* name, int32 index, int32 value);
	bool HasInt32(const char* name, int32 index = 0) const;

	status_t AddInt64(const char* name, int64 value);
	status_t FindInt64(const char* name, int64* value) const;
	status_t FindInt64(const char* name, int32 index, int64* value) const;
	status_t ReplaceInt64(const char* name, int64 value);
	status_t ReplaceInt64(const char* name, int32 index, int64 value);
	bool HasInt64(const char* name, int32 index = 0) const;

	status_t AddBool(const char* name, bool value);
	status_t FindBool(const char* name, bool* value) const;
	status_t FindBool(const char* name, int32 index, bool* value) const;
	status_t ReplaceBool(const char* name, bool value);
	status_t ReplaceBool(const char* name, int32 index, bool value);
	bool HasBool(const char* name, int32 index = 0) const;

	status_t AddFloat(const char* name, float value);
	status_t FindFloat(const char* name, float* value) const;
	status_t FindFloat(const char* name, int32 index, float* value) const;
	status_t ReplaceFloat(const char* name, float value);
	status_t ReplaceFloat(const char* name, int32 index, float value);
	bool HasFloat(const char* name, int32 index = 0) const;

	status_t AddDouble(const char* name, double value);
	status_t FindDouble(const char* name, double* value) const;
	status_t FindDouble(const char* name, int32 index, double* value) const;
	status_t ReplaceDouble(const char* name, double value);
	status_t ReplaceDouble(const char* name, int32 index, double value);
	bool HasDouble(const char* name, int32 index = 0) const;

	status_t AddPointer(const char* name, const void* pointer);
	status_t FindPointer(const char* name, void** pointer) const;
	status_t FindPointer(const char* name, int32 index, void** pointer) const;
	status_t ReplacePointer(const char* name, const void* pointer);
	status_t ReplacePointer(const char* name, int32 index, const void* pointer);
	bool HasPointer(const char* name, int32 index = 0) const;

	status_t AddRect(const char* name, BRect rect);
	status_t FindRect(const char* name, BRect* rect) const;
	status_t FindRect(const char* name, int32 index, BRect* rect) const;
	status_t ReplaceRect(const char* name, BRect rect);
	status_t ReplaceRect(const char* name, int32 index, BRect rect);
	bool HasRect(const char* name, int32 index = 0) const;

	status_t AddPoint(const char* name, BPoint point);
	status_t FindPoint(const char* name, BPoint* point) const;
	status_t FindPoint(const char* name, int32 index, BPoint* point) const;
	status_t ReplacePoint(const char* name, BPoint point);
	status_t ReplacePoint(const char* name, int32 index, BPoint point);
	bool HasPoint(const char* name, int32 index = 0) const;

	status_t AddColor(const char* name, rgb_color color);
	status_t FindColor(const char* name, rgb_color* color) const;
	status_t FindColor(const char* name, int32 index, rgb_color* color) const;
	status_t ReplaceColor(const char* name, rgb_color color);
	status_t ReplaceColor(const char* name, int32 index, rgb_color color);
	bool HasColor(const char* name, int32 index = 0) const;

	status_t AddMessage(const char* name, const BMessage* message);
	status_t FindMessage(const char* name, BMessage* message) const;
	status_t FindMessage(const char* name, int32 index, BMessage* message) const;
	status_t ReplaceMessage(const char* name, const BMessage* message);
	status_t ReplaceMessage(const char* name, int32 index, const BMessage* message);
	bool HasMessage(const char* name, int32 index = 0) const;

	status_t AddRef(const char* name, const entry_ref* ref);
	status_t FindRef(const char* name, entry_ref* ref) const;
	status_t FindRef(const char* name, int32 index, entry_ref* ref) const;
	status_t ReplaceRef(const char* name, const entry_ref* ref);
	status_t ReplaceRef(const char* name, int32 index, const entry_ref* ref);
	bool HasRef(const char* name, int32 index = 0) const;

	status_t AddNodeRef(const char* name, const node_ref* ref);
	status_t FindNodeRef(const char* name, node_ref* ref) const;
	status_t FindNodeRef(const char* name, int32 index, node_ref* ref) const;
	status_t ReplaceNodeRef(const char* name, const node_ref* ref);
	status_t ReplaceNodeRef(const char* name, int32 index, const node_ref* ref);
	bool HasNodeRef(const char* name, int32 index = 0) const;

private:
	friend struct BPrivate::MessageAccess;

	std::unique_ptr<BPrivate::MessageFields> fFields;
	// How the message travels: target, reply path, drop; null for a message
	// that was never posted nor dropped.
	std::unique_ptr<BPrivate::MessageDelivery> fDelivery;
};

#endif

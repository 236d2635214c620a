#include <Message.h>

#include <cstdio>
#include <cstring>

#include <Messenger.h>

#include "AppPrivate.h"
#include "message_support/MessageDelivery.h"
#include "message_support/MessageFields.h"
#include "message_support/MessageFormat.h"
#include "message_support/MessagePrinter.h"
#include "messenger_support/MessengerAccess.h"

using BPrivate::MessageField;
using BPrivate::MessageFields;
namespace MessageFormat = BPrivate::MessageFormat;

namespace {

// The on-message form of a node_ref, independent of dev_t and ino_t.
struct FlatNodeRef {
	int64 device;
	int64 node;
};

std::string BytesOf(const void* data, size_t size)
{
	return std::string(static_cast<const char*>(data), size);
}

// Checks that an item of this type can be held and read back, and brings
// strings to their stored form (without the NUL). Returns the nesting depth
// of a message item in *depth.
status_t NormalizeItem(type_code type, std::string& item, bool* fixedSize, int32* depth)
{
	*depth = 0;
	if (type == B_STRING_TYPE) {
		*fixedSize = false;
		if (!item.empty() && item.back() == '\0')
			item.pop_back();
		return B_OK;
	}
	if (type == B_MESSAGE_TYPE) {
		*fixedSize = false;
		uint32 what;
		MessageFields nested;
		size_t total = 0;
		status_t status = MessageFormat::Read(item.data(), item.size(), &what, &nested);
		if (status == B_OK)
			MessageFormat::ReadTotalSize(item.data(), item.size(), &total);
		if (status != B_OK || total != item.size())
			return B_BAD_VALUE;
		*depth = nested.NestingDepth() + 1;
		return *depth > MessageFields::kMaxNestingDepth ? B_BAD_VALUE : B_OK;
	}
	if (type == B_REF_TYPE) {
		*fixedSize = false;
		entry_ref ref;
		return MessageFormat::DecodeRef(item, &ref) == B_OK ? B_OK : B_BAD_VALUE;
	}
	size_t known = MessageFormat::FixedSizeOf(type);
	if (known != 0) {
		*fixedSize = true;
		return item.size() == known ? B_OK : B_BAD_VALUE;
	}
	// Items of no size are only kept in variable-size fields: a fixed size of
	// zero would let a flattened count claim items that take no bytes.
	if (item.empty())
		*fixedSize = false;
	return B_OK;
}

status_t AddItem(MessageFields& fields, const char* name, type_code type, std::string item,
	bool fixedSize)
{
	if (name == nullptr)
		return B_BAD_VALUE;
	int32 depth;
	status_t status = NormalizeItem(type, item, &fixedSize, &depth);
	if (status != B_OK)
		return status;
	MessageField* field;
	status = fields.FieldForAdd(name, type, fixedSize, &field);
	if (status != B_OK)
		return status;
	if (fixedSize && !field->items.empty() && field->items.front().size() != item.size())
		return B_BAD_VALUE;
	field->items.push_back(std::move(item));
	fields.NoteNestingDepth(depth);
	return B_OK;
}

status_t ReplaceItem(MessageFields& fields, const char* name, type_code type, int32 index,
	std::string item)
{
	if (name == nullptr)
		return B_BAD_VALUE;
	status_t status;
	if (fields.Item(name, type, index, &status) == nullptr)
		return status;
	MessageField* field = fields.Find(name);
	bool fixedSize = field->fixedSize;
	int32 depth;
	status = NormalizeItem(type, item, &fixedSize, &depth);
	if (status != B_OK)
		return status;
	if (field->fixedSize && field->items[index].size() != item.size())
		return B_BAD_VALUE;
	field->items[index] = std::move(item);
	fields.NoteNestingDepth(depth);
	return B_OK;
}

template <typename T>
status_t FindValue(const MessageFields& fields, const char* name, type_code type, int32 index,
	T* value)
{
	if (name == nullptr || value == nullptr)
		return B_BAD_VALUE;
	status_t status;
	const std::string* item = fields.Item(name, type, index, &status);
	if (item == nullptr)
		return status;
	if (item->size() != sizeof(T))
		return B_BAD_DATA;
	memcpy(static_cast<void*>(value), item->data(), sizeof(T));
	return B_OK;
}

FlatNodeRef Flat(const node_ref& ref)
{
	return FlatNodeRef{static_cast<int64>(ref.device), static_cast<int64>(ref.node)};
}

} // namespace

// Fixed-size values: Add, Find (first or indexed), Replace (first or indexed), Has.
#define FIXED_SIZE_ACCESSORS(Name, Type, TypeCode) \
	status_t BMessage::Add##Name(const char* name, Type value) \
	{ \
		return AddItem(*fFields, name, TypeCode, BytesOf(&value, sizeof(Type)), true); \
	} \
	status_t BMessage::Find##Name(const char* name, Type* value) const \
	{ \
		return FindValue(*fFields, name, TypeCode, 0, value); \
	} \
	status_t BMessage::Find##Name(const char* name, int32 index, Type* value) const \
	{ \
		return FindValue(*fFields, name, TypeCode, index, value); \
	} \
	status_t BMessage::Replace##Name(const char* name, Type value) \
	{ \
		return ReplaceItem(*fFields, name, TypeCode, 0, BytesOf(&value, sizeof(Type))); \
	} \
	status_t BMessage::Replace##Name(const char* name, int32 index, Type value) \
	{ \
		return ReplaceItem(*fFields, name, TypeCode, index, BytesOf(&value, sizeof(Type))); \
	} \
	bool BMessage::Has##Name(const char* name, int32 index) const \
	{ \
		return HasData(name, TypeCode, index); \
	}

FIXED_SIZE_ACCESSORS(Int8, int8, B_INT8_TYPE)
FIXED_SIZE_ACCESSORS(Int16, int16, B_INT16_TYPE)
FIXED_SIZE_ACCESSORS(Int32, int32, B_INT32_TYPE)
FIXED_SIZE_ACCESSORS(Int64, int64, B_INT64_TYPE)
FIXED_SIZE_ACCESSORS(Bool, bool, B_BOOL_TYPE)
FIXED_SIZE_ACCESSORS(Float, float, B_FLOAT_TYPE)
FIXED_SIZE_ACCESSORS(Double, double, B_DOUBLE_TYPE)
FIXED_SIZE_ACCESSORS(Rect, BRect, B_RECT_TYPE)
FIXED_SIZE_ACCESSORS(Point, BPoint, B_POINT_TYPE)
FIXED_SIZE_ACCESSORS(Color, rgb_color, B_RGB_COLOR_TYPE)

#undef FIXED_SIZE_ACCESSORS

BMessage::BMessage()
	: BMessage(0)
{
}

BMessage::BMessage(uint32 command)
	: what(command),
	  fFields(std::make_unique<MessageFields>())
{
}

BMessage::BMessage(const BMessage& other)
	: what(other.what),
	  fFields(std::make_unique<MessageFields>(*other.fFields))
{
	if (other.WasDropped())
		BPrivate::MarkMessageDropped(this, other.fDelivery->dropPoint, other.fDelivery->dropOffset);
}

BMessage& BMessage::operator=(const BMessage& other)
{
	if (this == &other)
		return *this;
	// The reply path stays: a sender may be waiting on this very message.
	what = other.what;
	fFields = std::make_unique<MessageFields>(*other.fFields);
	if (other.WasDropped()) {
		BPrivate::MarkMessageDropped(this, other.fDelivery->dropPoint, other.fDelivery->dropOffset);
	} else if (fDelivery != nullptr) {
		fDelivery->wasDropped = false;
	}
	return *this;
}

BMessage::~BMessage()
{
	// A synchronous sender must not wait forever for a message that is gone.
	if (fDelivery != nullptr && fDelivery->replySlot != nullptr && !fDelivery->replied)
		fDelivery->replySlot->Answer(std::make_unique<BMessage>(B_NO_REPLY));
}

status_t BMessage::GetInfo(type_code type, int32 index, const char** nameFound,
	type_code* typeFound, int32* countFound) const
{
	if (index < 0)
		return B_BAD_INDEX;
	int32 matching = 0;
	for (const MessageField& field : fFields->All()) {
		if (type != B_ANY_TYPE && field.type != type)
			continue;
		if (matching++ == index) {
			if (nameFound != nullptr)
				*nameFound = field.name.c_str();
			if (typeFound != nullptr)
				*typeFound = field.type;
			if (countFound != nullptr)
				*countFound = static_cast<int32>(field.items.size());
			return B_OK;
		}
	}
	return matching == 0 ? B_BAD_TYPE : B_BAD_INDEX;
}

status_t BMessage::GetInfo(type_code type, int32 index, char** nameFound, type_code* typeFound,
	int32* countFound) const
{
	const char* name = nullptr;
	status_t status = GetInfo(type, index, &name, typeFound, countFound);
	if (status == B_OK && nameFound != nullptr)
		*nameFound = const_cast<char*>(name);
	return status;
}

status_t BMessage::GetInfo(const char* name, type_code* typeFound, int32* countFound) const
{
	return GetInfo(name, typeFound, countFound, nullptr);
}

status_t BMessage::GetInfo(const char* name, type_code* typeFound, bool* fixedSize) const
{
	return GetInfo(name, typeFound, nullptr, fixedSize);
}

status_t BMessage::GetInfo(const char* name, type_code* typeFound, int32* countFound,
	bool* fixedSize) const
{
	if (name == nullptr)
		return B_BAD_VALUE;
	const MessageField* field = fFields->Find(name);
	if (field == nullptr)
		return B_NAME_NOT_FOUND;
	if (typeFound != nullptr)
		*typeFound = field->type;
	if (countFound != nullptr)
		*countFound = static_cast<int32>(field->items.size());
	if (fixedSize != nullptr)
		*fixedSize = field->fixedSize;
	return B_OK;
}

int32 BMessage::CountNames(type_code type) const
{
	int32 count = 0;
	for (const MessageField& field : fFields->All()) {
		if (type == B_ANY_TYPE || field.type == type)
			count++;
	}
	return count;
}

bool BMessage::IsEmpty() const
{
	return fFields->IsEmpty();
}

status_t BMessage::MakeEmpty()
{
	fFields->Clear();
	return B_OK;
}

status_t BMessage::RemoveName(const char* name)
{
	if (name == nullptr)
		return B_BAD_VALUE;
	if (fFields->Find(name) == nullptr)
		return B_NAME_NOT_FOUND;
	fFields->Remove(name);
	return B_OK;
}

status_t BMessage::RemoveData(const char* name, int32 index)
{
	if (name == nullptr)
		return B_BAD_VALUE;
	status_t status;
	if (fFields->Item(name, B_ANY_TYPE, index, &status) == nullptr)
		return status;
	MessageField* field = fFields->Find(name);
	field->items.erase(field->items.begin() + index);
	if (field->items.empty())
		fFields->Remove(name);
	return B_OK;
}

bool BMessage::HasData(const char* name, type_code type, int32 index) const
{
	status_t status;
	return name != nullptr && fFields->Item(name, type, index, &status) != nullptr;
}

void BMessage::PrintToStream() const
{
	BPrivate::PrintMessage(stdout, what, *fFields, 0);
	fflush(stdout);
}

bool BMessage::WasDropped() const
{
	return fDelivery != nullptr && fDelivery->wasDropped;
}

BPoint BMessage::DropPoint(BPoint* offset) const
{
	if (!WasDropped())
		return BPoint(0, 0);
	if (offset != nullptr)
		*offset = fDelivery->dropOffset;
	return fDelivery->dropPoint;
}

bool BMessage::IsSourceWaiting() const
{
	return fDelivery != nullptr && fDelivery->replySlot != nullptr && !fDelivery->replied
		&& fDelivery->replySlot->IsWaitedOn();
}

bool BMessage::IsReply() const
{
	return fDelivery != nullptr && fDelivery->isReply;
}

status_t BMessage::SendReply(uint32 command, BHandler* replyTo)
{
	BMessage reply(command);
	return SendReply(&reply, replyTo);
}

status_t BMessage::SendReply(BMessage* reply, BHandler* replyTo, bigtime_t timeout)
{
	if (reply == nullptr)
		return B_BAD_VALUE;
	if (fDelivery == nullptr)
		return B_BAD_REPLY;
	if (fDelivery->replied)
		return B_DUPLICATE_REPLY;

	std::unique_ptr<BMessage> answer = BPrivate::MessageAccess::CopyForSending(*reply);
	BPrivate::MessageAccess::Delivery(*answer).isReply = true;
	if (fDelivery->replySlot != nullptr) {
		fDelivery->replied = true;
		fDelivery->replySlot->Answer(std::move(answer));
		return B_OK;
	}
	if (!fDelivery->replyTo.IsValid())
		return B_BAD_REPLY;
	status_t status = BPrivate::MessengerAccess::Post(fDelivery->replyTo, std::move(answer),
		BMessenger(replyTo), timeout);
	if (status == B_OK)
		fDelivery->replied = true;
	return status;
}

ssize_t BMessage::FlattenedSize() const
{
	return static_cast<ssize_t>(MessageFormat::FlattenedSize(*fFields));
}

status_t BMessage::Flatten(char* buffer, ssize_t size) const
{
	size_t needed = MessageFormat::FlattenedSize(*fFields);
	if (buffer == nullptr || size < 0 || static_cast<size_t>(size) < needed
		|| needed > UINT32_MAX) {
		return B_BAD_VALUE;
	}
	MessageFormat::Write(what, *fFields, buffer);
	return B_OK;
}

status_t BMessage::Flatten(BDataIO* stream, ssize_t* size) const
{
	if (stream == nullptr)
		return B_BAD_VALUE;
	if (MessageFormat::FlattenedSize(*fFields) > UINT32_MAX)
		return B_BAD_VALUE;
	std::string bytes = MessageFormat::Flattened(what, *fFields);
	status_t status = stream->WriteExactly(bytes.data(), bytes.size());
	if (status == B_OK && size != nullptr)
		*size = static_cast<ssize_t>(bytes.size());
	return status;
}

status_t BMessage::Unflatten(const char* flatBuffer)
{
	size_t total;
	status_t status = MessageFormat::ReadTotalSize(flatBuffer, MessageFormat::kHeaderSize, &total);
	if (status != B_OK)
		return status;
	return Unflatten(flatBuffer, static_cast<ssize_t>(total));
}

status_t BMessage::Unflatten(const char* flatBuffer, ssize_t size)
{
	if (flatBuffer == nullptr || size < 0)
		return B_BAD_VALUE;
	uint32 newWhat;
	auto fields = std::make_unique<MessageFields>();
	status_t status = MessageFormat::Read(flatBuffer, static_cast<size_t>(size), &newWhat,
		fields.get());
	if (status != B_OK)
		return status;
	what = newWhat;
	fFields = std::move(fields);
	fDelivery.reset();
	return B_OK;
}

status_t BMessage::Unflatten(BDataIO* stream)
{
	if (stream == nullptr)
		return B_BAD_VALUE;
	std::string bytes(MessageFormat::kHeaderSize, '\0');
	if (stream->ReadExactly(bytes.data(), bytes.size()) != B_OK)
		return B_BAD_DATA;
	size_t total;
	status_t status = MessageFormat::ReadTotalSize(bytes.data(), bytes.size(), &total);
	if (status != B_OK)
		return status;
	if (total > MessageFormat::kMaxStreamSize)
		return B_BAD_DATA;
	// Grow with what actually arrives, so that a header claiming a huge size
	// on a short stream costs no huge allocation.
	constexpr size_t kChunk = 1 << 20;
	while (bytes.size() < total) {
		size_t chunk = std::min(kChunk, total - bytes.size());
		size_t start = bytes.size();
		bytes.resize(start + chunk);
		if (stream->ReadExactly(bytes.data() + start, chunk) != B_OK)
			return B_BAD_DATA;
	}
	return Unflatten(bytes.data(), static_cast<ssize_t>(bytes.size()));
}

status_t BMessage::AddData(const char* name, type_code type, const void* data, ssize_t numBytes,
	bool isFixedSize, int32)
{
	if (data == nullptr || numBytes < 0)
		return B_BAD_VALUE;
	return AddItem(*fFields, name, type, BytesOf(data, numBytes), isFixedSize);
}

status_t BMessage::FindData(const char* name, type_code type, const void** data,
	ssize_t* numBytes) const
{
	return FindData(name, type, 0, data, numBytes);
}

status_t BMessage::FindData(const char* name, type_code type, int32 index, const void** data,
	ssize_t* numBytes) const
{
	if (name == nullptr || data == nullptr)
		return B_BAD_VALUE;
	status_t status;
	const std::string* item = fFields->Item(name, type, index, &status);
	if (item == nullptr)
		return status;
	*data = item->c_str();
	if (numBytes != nullptr) {
		// Strings are handed out with their NUL, as they were added.
		bool isString = fFields->Find(name)->type == B_STRING_TYPE;
		*numBytes = static_cast<ssize_t>(item->size() + (isString ? 1 : 0));
	}
	return B_OK;
}

status_t BMessage::ReplaceData(const char* name, type_code type, const void* data,
	ssize_t numBytes)
{
	return ReplaceData(name, type, 0, data, numBytes);
}

status_t BMessage::ReplaceData(const char* name, type_code type, int32 index, const void* data,
	ssize_t numBytes)
{
	if (data == nullptr || numBytes < 0)
		return B_BAD_VALUE;
	return ReplaceItem(*fFields, name, type, index, BytesOf(data, numBytes));
}

status_t BMessage::AddString(const char* name, const char* string)
{
	if (string == nullptr)
		return B_BAD_VALUE;
	return AddItem(*fFields, name, B_STRING_TYPE, string, false);
}

status_t BMessage::FindString(const char* name, const char** string) const
{
	return FindString(name, 0, string);
}

status_t BMessage::FindString(const char* name, int32 index, const char** string) const
{
	if (name == nullptr || string == nullptr)
		return B_BAD_VALUE;
	status_t status;
	const std::string* item = fFields->Item(name, B_STRING_TYPE, index, &status);
	if (item != nullptr)
		*string = item->c_str();
	return status;
}

status_t BMessage::ReplaceString(const char* name, const char* string)
{
	return ReplaceString(name, 0, string);
}

status_t BMessage::ReplaceString(const char* name, int32 index, const char* string)
{
	if (string == nullptr)
		return B_BAD_VALUE;
	return ReplaceItem(*fFields, name, B_STRING_TYPE, index, string);
}

bool BMessage::HasString(const char* name, int32 index) const
{
	return HasData(name, B_STRING_TYPE, index);
}

status_t BMessage::AddPointer(const char* name, const void* pointer)
{
	return AddItem(*fFields, name, B_POINTER_TYPE, BytesOf(&pointer, sizeof(pointer)), true);
}

status_t BMessage::FindPointer(const char* name, void** pointer) const
{
	return FindValue(*fFields, name, B_POINTER_TYPE, 0, pointer);
}

status_t BMessage::FindPointer(const char* name, int32 index, void** pointer) const
{
	return FindValue(*fFields, name, B_POINTER_TYPE, index, pointer);
}

status_t BMessage::ReplacePointer(const char* name, const void* pointer)
{
	return ReplacePointer(name, 0, pointer);
}

status_t BMessage::ReplacePointer(const char* name, int32 index, const void* pointer)
{
	return ReplaceItem(*fFields, name, B_POINTER_TYPE, index, BytesOf(&pointer, sizeof(pointer)));
}

bool BMessage::HasPointer(const char* name, int32 index) const
{
	return HasData(name, B_POINTER_TYPE, index);
}

status_t BMessage::AddMessage(const char* name, const BMessage* message)
{
	if (message == nullptr)
		return B_BAD_VALUE;
	if (message->fFields->NestingDepth() + 1 > MessageFields::kMaxNestingDepth)
		return B_BAD_VALUE;
	return AddItem(*fFields, name, B_MESSAGE_TYPE,
		MessageFormat::Flattened(message->what, *message->fFields), false);
}

status_t BMessage::FindMessage(const char* name, BMessage* message) const
{
	return FindMessage(name, 0, message);
}

status_t BMessage::FindMessage(const char* name, int32 index, BMessage* message) const
{
	if (name == nullptr || message == nullptr)
		return B_BAD_VALUE;
	status_t status;
	const std::string* item = fFields->Item(name, B_MESSAGE_TYPE, index, &status);
	if (item == nullptr)
		return status;
	return message->Unflatten(item->data(), static_cast<ssize_t>(item->size()));
}

status_t BMessage::ReplaceMessage(const char* name, const BMessage* message)
{
	return ReplaceMessage(name, 0, message);
}

status_t BMessage::ReplaceMessage(const char* name, int32 index, const BMessage* message)
{
	if (message == nullptr)
		return B_BAD_VALUE;
	return ReplaceItem(*fFields, name, B_MESSAGE_TYPE, index,
		MessageFormat::Flattened(message->what, *message->fFields));
}

bool BMessage::HasMessage(const char* name, int32 index) const
{
	return HasData(name, B_MESSAGE_TYPE, index);
}

status_t BMessage::AddRef(const char* name, const entry_ref* ref)
{
	if (ref == nullptr)
		return B_BAD_VALUE;
	return AddItem(*fFields, name, B_REF_TYPE, MessageFormat::EncodeRef(*ref), false);
}

status_t BMessage::FindRef(const char* name, entry_ref* ref) const
{
	return FindRef(name, 0, ref);
}

status_t BMessage::FindRef(const char* name, int32 index, entry_ref* ref) const
{
	if (name == nullptr || ref == nullptr)
		return B_BAD_VALUE;
	status_t status;
	const std::string* item = fFields->Item(name, B_REF_TYPE, index, &status);
	if (item == nullptr)
		return status;
	return MessageFormat::DecodeRef(*item, ref);
}

status_t BMessage::ReplaceRef(const char* name, const entry_ref* ref)
{
	return ReplaceRef(name, 0, ref);
}

status_t BMessage::ReplaceRef(const char* name, int32 index, const entry_ref* ref)
{
	if (ref == nullptr)
		return B_BAD_VALUE;
	return ReplaceItem(*fFields, name, B_REF_TYPE, index, MessageFormat::EncodeRef(*ref));
}

bool BMessage::HasRef(const char* name, int32 index) const
{
	return HasData(name, B_REF_TYPE, index);
}

status_t BMessage::AddNodeRef(const char* name, const node_ref* ref)
{
	if (ref == nullptr)
		return B_BAD_VALUE;
	FlatNodeRef flat = Flat(*ref);
	return AddItem(*fFields, name, B_NODE_REF_TYPE, BytesOf(&flat, sizeof(flat)), true);
}

status_t BMessage::FindNodeRef(const char* name, node_ref* ref) const
{
	return FindNodeRef(name, 0, ref);
}

status_t BMessage::FindNodeRef(const char* name, int32 index, node_ref* ref) const
{
	if (ref == nullptr)
		return B_BAD_VALUE;
	FlatNodeRef flat;
	status_t status = FindValue(*fFields, name, B_NODE_REF_TYPE, index, &flat);
	if (status == B_OK)
		*ref = node_ref(static_cast<dev_t>(flat.device), static_cast<ino_t>(flat.node));
	return status;
}

status_t BMessage::ReplaceNodeRef(const char* name, const node_ref* ref)
{
	return ReplaceNodeRef(name, 0, ref);
}

status_t BMessage::ReplaceNodeRef(const char* name, int32 index, const node_ref* ref)
{
	if (ref == nullptr)
		return B_BAD_VALUE;
	FlatNodeRef flat = Flat(*ref);
	return ReplaceItem(*fFields, name, B_NODE_REF_TYPE, index, BytesOf(&flat, sizeof(flat)));
}

bool BMessage::HasNodeRef(const char* name, int32 index) const
{
	return HasData(name, B_NODE_REF_TYPE, index);
}

namespace BPrivate {

MessageDelivery& MessageAccess::Delivery(BMessage& message)
{
	if (message.fDelivery == nullptr)
		message.fDelivery = std::make_unique<MessageDelivery>();
	return *message.fDelivery;
}

const MessageDelivery* MessageAccess::DeliveryIfAny(const BMessage& message)
{
	return message.fDelivery.get();
}

std::unique_ptr<BMessage> MessageAccess::CopyForSending(const BMessage& message)
{
	return std::make_unique<BMessage>(message);
}

void MarkMessageDropped(BMessage* message, BPoint dropPoint, BPoint offset)
{
	if (message == nullptr)
		return;
	MessageDelivery& delivery = MessageAccess::Delivery(*message);
	delivery.wasDropped = true;
	delivery.dropPoint = dropPoint;
	delivery.dropOffset = offset;
}

} // namespace BPrivate

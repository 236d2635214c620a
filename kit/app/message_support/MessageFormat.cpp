#include "MessageFormat.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

#include <TypeConstants.h>

static_assert(std::endian::native == std::endian::little,
	"the flattened form is little-endian and written from memory as it is");

namespace BPrivate {
namespace MessageFormat {

namespace {

constexpr char kMagic[4] = {'V', 'M', 'S', 'G'};
constexpr uint8 kFixedSizeFlag = 0x01;
constexpr uint32 kNoName = 0xFFFFFFFF;
// type, flags, name length, item count
constexpr size_t kMinFieldSize = 4 + 1 + 4 + 4;

// A cursor over untrusted bytes: every read checks what is left.
class Reader {
public:
	Reader(const char* data, size_t size) : fData(data), fSize(size) {}

	size_t Remaining() const { return fSize - fPosition; }
	bool AtEnd() const { return fPosition == fSize; }

	bool U8(uint8* value) { return Copy(value, 1); }
	bool U32(uint32* value) { return Copy(value, 4); }
	bool I64(int64* value) { return Copy(value, 8); }
	bool Bytes(size_t length, std::string_view* bytes)
	{
		if (length > Remaining())
			return false;
		*bytes = std::string_view(fData + fPosition, length);
		fPosition += length;
		return true;
	}

private:
	bool Copy(void* value, size_t length)
	{
		if (length > Remaining())
			return false;
		memcpy(value, fData + fPosition, length);
		fPosition += length;
		return true;
	}

	const char* fData;
	size_t fSize;
	size_t fPosition = 0;
};

class Writer {
public:
	explicit Writer(char* out) : fOut(out) {}
	void U8(uint8 value) { Put(&value, 1); }
	void U32(uint32 value) { Put(&value, 4); }
	void I64(int64 value) { Put(&value, 8); }
	void Bytes(std::string_view bytes) { Put(bytes.data(), bytes.size()); }

private:
	void Put(const void* data, size_t length)
	{
		memcpy(fOut, data, length);
		fOut += length;
	}

	char* fOut;
};

bool MustBeVariable(type_code type)
{
	return type == B_STRING_TYPE || type == B_MESSAGE_TYPE || type == B_REF_TYPE;
}

// With null fields, a message is only checked: its items are not kept.
status_t Parse(const char* data, size_t size, int32 depthLeft, uint32* what,
	MessageFields* fields, int32* depth);

// Checks one item of a variable-size field by its type.
status_t CheckItem(type_code type, std::string_view item, int32 depthLeft, int32* childDepth)
{
	if (type == B_MESSAGE_TYPE) {
		if (depthLeft <= 0)
			return B_BAD_DATA;
		uint32 what;
		int32 depth = 0;
		status_t status = Parse(item.data(), item.size(), depthLeft - 1, &what, nullptr, &depth);
		if (status != B_OK)
			return status;
		// The nested message must fill its item exactly.
		size_t total = 0;
		ReadTotalSize(item.data(), item.size(), &total);
		if (total != item.size())
			return B_BAD_DATA;
		*childDepth = std::max(*childDepth, depth + 1);
		return B_OK;
	}
	if (type == B_REF_TYPE) {
		entry_ref ref;
		return DecodeRef(item, &ref);
	}
	return B_OK;
}

// One field's header and items; items are kept only when `keep` is set.
struct FieldReading {
	MessageField field;
	std::string_view name;
	bool keep;
};

status_t ReadFixedItems(Reader& reader, FieldReading& reading, uint32 count)
{
	uint32 itemSize;
	if (!reader.U32(&itemSize) || itemSize == 0)
		return B_BAD_DATA;
	size_t known = FixedSizeOf(reading.field.type);
	if (known != 0 && known != itemSize)
		return B_BAD_DATA;
	if (itemSize > reader.Remaining() / count)
		return B_BAD_DATA;
	if (reading.keep)
		reading.field.items.reserve(count);
	for (uint32 i = 0; i < count; i++) {
		std::string_view item;
		reader.Bytes(itemSize, &item);
		if (reading.keep)
			reading.field.items.emplace_back(item);
	}
	return B_OK;
}

status_t ReadVariableItems(Reader& reader, FieldReading& reading, uint32 count, int32 depthLeft,
	int32* childDepth)
{
	if (count > reader.Remaining() / 4)
		return B_BAD_DATA;
	if (reading.keep)
		reading.field.items.reserve(count);
	for (uint32 i = 0; i < count; i++) {
		uint32 length;
		std::string_view item;
		if (!reader.U32(&length) || !reader.Bytes(length, &item))
			return B_BAD_DATA;
		status_t status = CheckItem(reading.field.type, item, depthLeft, childDepth);
		if (status != B_OK)
			return status;
		if (reading.keep)
			reading.field.items.emplace_back(item);
	}
	return B_OK;
}

status_t ReadField(Reader& reader, FieldReading& reading, int32 depthLeft, int32* childDepth)
{
	MessageField& field = reading.field;
	uint8 flags;
	uint32 nameLength;
	uint32 count;
	if (!reader.U32(&field.type) || !reader.U8(&flags) || (flags & ~kFixedSizeFlag) != 0
		|| !reader.U32(&nameLength) || !reader.Bytes(nameLength, &reading.name)
		|| reading.name.find('\0') != std::string_view::npos || !reader.U32(&count)
		|| count == 0) {
		return B_BAD_DATA;
	}
	field.fixedSize = (flags & kFixedSizeFlag) != 0;
	if ((field.fixedSize && MustBeVariable(field.type))
		|| (!field.fixedSize && FixedSizeOf(field.type) != 0)) {
		return B_BAD_DATA;
	}
	if (field.fixedSize)
		return ReadFixedItems(reader, reading, count);
	return ReadVariableItems(reader, reading, count, depthLeft, childDepth);
}

bool HasRepeatedName(std::vector<std::string_view>& names)
{
	std::sort(names.begin(), names.end());
	return std::adjacent_find(names.begin(), names.end()) != names.end();
}

status_t Parse(const char* data, size_t size, int32 depthLeft, uint32* what,
	MessageFields* fields, int32* depth)
{
	size_t total;
	status_t status = ReadTotalSize(data, size, &total);
	if (status != B_OK)
		return status;
	if (total > size)
		return B_BAD_DATA;

	Reader reader(data + kHeaderSize - 8, total - (kHeaderSize - 8));
	uint32 fieldCount;
	if (!reader.U32(what) || !reader.U32(&fieldCount)
		|| fieldCount > reader.Remaining() / kMinFieldSize) {
		return B_BAD_DATA;
	}
	int32 childDepth = 0;
	std::vector<std::string_view> names;
	for (uint32 i = 0; i < fieldCount; i++) {
		FieldReading reading{MessageField(), std::string_view(), fields != nullptr};
		status = ReadField(reader, reading, depthLeft, &childDepth);
		if (status != B_OK)
			return status;
		if (fields == nullptr) {
			names.push_back(reading.name);
			continue;
		}
		reading.field.name = reading.name;
		if (!fields->AppendUnique(std::move(reading.field)))
			return B_BAD_DATA;
	}
	if (!reader.AtEnd() || HasRepeatedName(names))
		return B_BAD_DATA;
	*depth = childDepth;
	if (fields != nullptr)
		fields->NoteNestingDepth(childDepth);
	return B_OK;
}

size_t FieldSize(const MessageField& field)
{
	size_t size = kMinFieldSize + field.name.size();
	if (field.fixedSize)
		return size + 4 + field.items.size() * field.items.front().size();
	for (const std::string& item : field.items)
		size += 4 + item.size();
	return size;
}

} // namespace

size_t FixedSizeOf(type_code type)
{
	switch (type) {
		case B_INT8_TYPE:
		case B_UINT8_TYPE:
		case B_BOOL_TYPE:
		case B_CHAR_TYPE:
			return 1;
		case B_INT16_TYPE:
		case B_UINT16_TYPE:
			return 2;
		case B_INT32_TYPE:
		case B_UINT32_TYPE:
		case B_FLOAT_TYPE:
		case B_RGB_COLOR_TYPE:
			return 4;
		case B_INT64_TYPE:
		case B_UINT64_TYPE:
		case B_DOUBLE_TYPE:
		case B_POINTER_TYPE:
		case B_POINT_TYPE:
		case B_OFF_T_TYPE:
		case B_TIME_TYPE:
		case B_SIZE_T_TYPE:
		case B_SSIZE_T_TYPE:
			return 8;
		case B_RECT_TYPE:
		case B_NODE_REF_TYPE:
			return 16;
		default:
			return 0;
	}
}

size_t FlattenedSize(const MessageFields& fields)
{
	size_t size = kHeaderSize;
	for (const MessageField& field : fields.All())
		size += FieldSize(field);
	return size;
}

void Write(uint32 what, const MessageFields& fields, char* out)
{
	Writer writer(out);
	writer.Bytes(std::string_view(kMagic, 4));
	writer.U32(kVersion);
	writer.U32(static_cast<uint32>(FlattenedSize(fields)));
	writer.U32(what);
	writer.U32(static_cast<uint32>(fields.All().size()));
	for (const MessageField& field : fields.All()) {
		writer.U32(field.type);
		writer.U8(field.fixedSize ? kFixedSizeFlag : 0);
		writer.U32(static_cast<uint32>(field.name.size()));
		writer.Bytes(field.name);
		writer.U32(static_cast<uint32>(field.items.size()));
		if (field.fixedSize)
			writer.U32(static_cast<uint32>(field.items.front().size()));
		for (const std::string& item : field.items) {
			if (!field.fixedSize)
				writer.U32(static_cast<uint32>(item.size()));
			writer.Bytes(item);
		}
	}
}

std::string Flattened(uint32 what, const MessageFields& fields)
{
	std::string bytes(FlattenedSize(fields), '\0');
	Write(what, fields, bytes.data());
	return bytes;
}

status_t ReadTotalSize(const char* data, size_t available, size_t* totalSize)
{
	if (data == nullptr || available < kHeaderSize || memcmp(data, kMagic, 4) != 0)
		return B_BAD_DATA;
	uint32 version;
	uint32 total;
	memcpy(&version, data + 4, 4);
	memcpy(&total, data + 8, 4);
	if (version != kVersion || total < kHeaderSize)
		return B_BAD_DATA;
	*totalSize = total;
	return B_OK;
}

status_t Read(const char* data, size_t size, uint32* what, MessageFields* fields)
{
	int32 depth = 0;
	return Parse(data, size, MessageFields::kMaxNestingDepth, what, fields, &depth);
}

std::string EncodeRef(const entry_ref& ref)
{
	size_t nameLength = ref.name != nullptr ? strlen(ref.name) : 0;
	std::string bytes(8 + 8 + 4 + nameLength + 4 + ref.path.size(), '\0');
	Writer writer(bytes.data());
	writer.I64(static_cast<int64>(ref.device));
	writer.I64(static_cast<int64>(ref.directory));
	writer.U32(ref.name != nullptr ? static_cast<uint32>(nameLength) : kNoName);
	writer.Bytes(std::string_view(ref.name != nullptr ? ref.name : "", nameLength));
	writer.U32(static_cast<uint32>(ref.path.size()));
	writer.Bytes(ref.path);
	return bytes;
}

status_t DecodeRef(std::string_view data, entry_ref* ref)
{
	Reader reader(data.data(), data.size());
	int64 device;
	int64 directory;
	uint32 nameLength;
	std::string_view name;
	uint32 pathLength;
	std::string_view path;
	if (!reader.I64(&device) || !reader.I64(&directory) || !reader.U32(&nameLength))
		return B_BAD_DATA;
	bool hasName = nameLength != kNoName;
	if ((hasName && !reader.Bytes(nameLength, &name)) || !reader.U32(&pathLength)
		|| !reader.Bytes(pathLength, &path) || !reader.AtEnd()
		|| name.find('\0') != std::string_view::npos) {
		return B_BAD_DATA;
	}
	ref->device = static_cast<dev_t>(device);
	ref->directory = static_cast<ino_t>(directory);
	if (ref->set_name(hasName ? std::string(name).c_str() : nullptr) != 0)
		return B_NO_MEMORY;
	ref->path = path;
	return B_OK;
}

} // namespace MessageFormat
} // namespace BPrivate

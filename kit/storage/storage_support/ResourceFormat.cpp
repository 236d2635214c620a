#include "ResourceFormat.h"

#include <cstring>

#include <StorageDefs.h>

namespace BPrivate {
namespace Storage {

namespace {

const char kMagic[4] = {'V', 'R', 'S', 'C'};
const uint32 kVersion = 1;
const size_t kHeaderSize = 16;
const size_t kEntryHeaderSize = 16;

uint32 Checksum(const unsigned char* bytes, size_t length)
{
	uint32 hash = 2166136261u;
	for (size_t i = 0; i < length; i++) {
		hash ^= bytes[i];
		hash *= 16777619u;
	}
	return hash;
}

void PutUInt32(std::string* out, uint32 value)
{
	for (int shift = 0; shift < 32; shift += 8)
		out->push_back(static_cast<char>((value >> shift) & 0xFF));
}

void SetUInt32(std::string* out, size_t at, uint32 value)
{
	for (int i = 0; i < 4; i++)
		(*out)[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Reads the archive front to back; every read checks what is left.
class Reader {
public:
	Reader(const unsigned char* bytes, size_t length) : fBytes(bytes), fLength(length) {}

	bool UInt32(uint32* value)
	{
		if (Left() < 4)
			return false;
		*value = 0;
		for (int i = 0; i < 4; i++)
			*value |= static_cast<uint32>(fBytes[fPosition + i]) << (8 * i);
		fPosition += 4;
		return true;
	}

	bool Bytes(size_t count, std::string* out)
	{
		if (Left() < count)
			return false;
		out->assign(reinterpret_cast<const char*>(fBytes + fPosition), count);
		fPosition += count;
		return true;
	}

	size_t Left() const { return fLength - fPosition; }

private:
	const unsigned char* fBytes;
	size_t fLength;
	size_t fPosition = 0;
};

bool ReadEntry(Reader* reader, ResourceEntry* entry)
{
	uint32 type, id, nameLength, dataLength;
	if (!reader->UInt32(&type) || !reader->UInt32(&id) || !reader->UInt32(&nameLength)
		|| !reader->UInt32(&dataLength))
		return false;
	if (nameLength >= B_ATTR_NAME_LENGTH || !reader->Bytes(nameLength, &entry->name)
		|| entry->name.find('\0') != std::string::npos)
		return false;
	if (!reader->Bytes(dataLength, &entry->data))
		return false;
	entry->type = type;
	entry->id = static_cast<int32>(id);
	return true;
}

} // namespace

bool ResourceLess(const ResourceEntry& a, type_code type, int32 id)
{
	return a.type != type ? a.type < type : a.id < id;
}

std::string WriteResourceArchive(const ResourceList& entries)
{
	std::string out(kMagic, sizeof(kMagic));
	PutUInt32(&out, kVersion);
	PutUInt32(&out, static_cast<uint32>(entries.size()));
	PutUInt32(&out, 0);
	for (const auto& entry : entries) {
		PutUInt32(&out, entry->type);
		PutUInt32(&out, static_cast<uint32>(entry->id));
		PutUInt32(&out, static_cast<uint32>(entry->name.size()));
		PutUInt32(&out, static_cast<uint32>(entry->data.size()));
		out += entry->name;
		out += entry->data;
	}
	const unsigned char* bytes = reinterpret_cast<const unsigned char*>(out.data());
	SetUInt32(&out, 12, Checksum(bytes + kHeaderSize, out.size() - kHeaderSize));
	return out;
}

status_t ReadResourceArchive(const void* data, size_t length, ResourceList* entries)
{
	if (data == nullptr && length > 0)
		return B_BAD_VALUE;
	if (length == 0) {
		entries->clear();
		return B_OK;
	}
	const unsigned char* bytes = static_cast<const unsigned char*>(data);
	Reader reader(bytes, length);
	std::string magic;
	uint32 version, count, checksum;
	if (!reader.Bytes(sizeof(kMagic), &magic) || memcmp(magic.data(), kMagic, 4) != 0
		|| !reader.UInt32(&version) || version != kVersion || !reader.UInt32(&count)
		|| !reader.UInt32(&checksum)
		|| checksum != Checksum(bytes + kHeaderSize, length - kHeaderSize)
		|| count > reader.Left() / kEntryHeaderSize)
		return B_BAD_DATA;

	ResourceList read;
	read.reserve(count);
	for (uint32 i = 0; i < count; i++) {
		auto entry = std::make_unique<ResourceEntry>();
		if (!ReadEntry(&reader, entry.get()))
			return B_BAD_DATA;
		if (!read.empty() && !ResourceLess(*read.back(), entry->type, entry->id))
			return B_BAD_DATA;
		read.push_back(std::move(entry));
	}
	if (reader.Left() != 0)
		return B_BAD_DATA;
	*entries = std::move(read);
	return B_OK;
}

} // namespace Storage
} // namespace BPrivate

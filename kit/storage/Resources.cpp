#include <Resources.h>

#include <algorithm>
#include <cstring>

#include "storage_support/ResourceFormat.h"

using namespace BPrivate::Storage;

namespace {

// Archives are read whole; one that claims more than this is not ours.
const off_t kMaxArchiveSize = 256 * 1024 * 1024;

} // namespace

BResources::BResources() = default;

BResources::BResources(const BFile* file, bool clobber)
{
	SetTo(file, clobber);
}

BResources::~BResources()
{
	Unset();
}

status_t BResources::SetTo(const BFile* file, bool clobber)
{
	Unset();
	if (file == nullptr || file->InitCheck() != B_OK)
		return fCStatus = file == nullptr ? B_BAD_VALUE : file->InitCheck();
	fFile = *file;
	if (fFile.InitCheck() != B_OK)
		return fCStatus = fFile.InitCheck();
	fReadOnly = !fFile.IsWritable();
	if (clobber) {
		if (fReadOnly) {
			fFile.Unset();
			return fCStatus = B_NOT_ALLOWED;
		}
		fChanged = true;
		return fCStatus = B_OK;
	}
	fCStatus = ReadFile();
	if (fCStatus != B_OK)
		fFile.Unset();
	return fCStatus;
}

status_t BResources::ReadFile()
{
	if (!fFile.IsReadable())
		return B_NOT_ALLOWED;
	off_t size;
	status_t status = fFile.GetSize(&size);
	if (status != B_OK)
		return status;
	if (size > kMaxArchiveSize)
		return B_BAD_DATA;
	std::string bytes(static_cast<size_t>(size), '\0');
	ssize_t read = fFile.ReadAt(0, bytes.data(), bytes.size());
	if (read < 0)
		return static_cast<status_t>(read);
	if (static_cast<size_t>(read) != bytes.size())
		return B_IO_ERROR;
	return ReadResourceArchive(bytes.data(), bytes.size(), &fResources);
}

void BResources::Unset()
{
	if (fCStatus == B_OK && fChanged)
		Sync();
	fFile.Unset();
	fResources.clear();
	fReadOnly = true;
	fChanged = false;
	fCStatus = B_NO_INIT;
}

BResources::Resource* BResources::Find(type_code type, int32 id) const
{
	auto found = std::lower_bound(fResources.begin(), fResources.end(), nullptr,
		[type, id](const std::unique_ptr<Resource>& entry, std::nullptr_t) {
			return ResourceLess(*entry, type, id);
		});
	if (found == fResources.end() || (*found)->type != type || (*found)->id != id)
		return nullptr;
	return found->get();
}

BResources::Resource* BResources::Find(type_code type, const char* name) const
{
	if (name == nullptr)
		return nullptr;
	for (const auto& entry : fResources) {
		if (entry->type == type && entry->name == name)
			return entry.get();
	}
	return nullptr;
}

BResources::Resource* BResources::FindByData(const void* data) const
{
	for (const auto& entry : fResources) {
		if (data != nullptr && entry->data.data() == data)
			return entry.get();
	}
	return nullptr;
}

const void* BResources::LoadResource(type_code type, int32 id, size_t* outSize)
{
	Resource* found = Find(type, id);
	if (found != nullptr && outSize != nullptr)
		*outSize = found->data.size();
	return found != nullptr ? found->data.data() : nullptr;
}

const void* BResources::LoadResource(type_code type, const char* name, size_t* outSize)
{
	Resource* found = Find(type, name);
	if (found != nullptr && outSize != nullptr)
		*outSize = found->data.size();
	return found != nullptr ? found->data.data() : nullptr;
}

bool BResources::HasResource(type_code type, int32 id)
{
	return Find(type, id) != nullptr;
}

bool BResources::HasResource(type_code type, const char* name)
{
	return Find(type, name) != nullptr;
}

status_t BResources::CheckWritable() const
{
	if (fCStatus != B_OK)
		return fCStatus;
	return fReadOnly ? B_NOT_ALLOWED : B_OK;
}

status_t BResources::AddResource(type_code type, int32 id, const void* data, size_t length,
	const char* name)
{
	status_t status = CheckWritable();
	if (status != B_OK)
		return status;
	if ((data == nullptr && length > 0) || (name != nullptr && strlen(name) >= B_ATTR_NAME_LENGTH))
		return B_BAD_VALUE;
	auto entry = std::make_unique<Resource>();
	entry->type = type;
	entry->id = id;
	entry->name = name != nullptr ? name : "";
	entry->data.assign(static_cast<const char*>(data), length);

	auto at = std::lower_bound(fResources.begin(), fResources.end(), nullptr,
		[type, id](const std::unique_ptr<Resource>& existing, std::nullptr_t) {
			return ResourceLess(*existing, type, id);
		});
	if (at != fResources.end() && (*at)->type == type && (*at)->id == id)
		*at = std::move(entry);
	else
		fResources.insert(at, std::move(entry));
	fChanged = true;
	return B_OK;
}

status_t BResources::RemoveResource(const void* resource)
{
	Resource* found = FindByData(resource);
	return found != nullptr ? RemoveResource(found->type, found->id) : B_BAD_VALUE;
}

status_t BResources::RemoveResource(type_code type, int32 id)
{
	status_t status = CheckWritable();
	if (status != B_OK)
		return status;
	Resource* found = Find(type, id);
	if (found == nullptr)
		return B_BAD_VALUE;
	fResources.erase(std::find_if(fResources.begin(), fResources.end(),
		[found](const std::unique_ptr<Resource>& entry) { return entry.get() == found; }));
	fChanged = true;
	return B_OK;
}

bool BResources::GetResourceInfo(int32 byIndex, type_code* typeFound, int32* idFound,
	const char** nameFound, size_t* lengthFound)
{
	if (byIndex < 0 || static_cast<size_t>(byIndex) >= fResources.size())
		return false;
	const Resource& entry = *fResources[byIndex];
	return GetResourceInfo(entry.data.data(), typeFound, idFound, lengthFound, nameFound);
}

bool BResources::GetResourceInfo(type_code byType, int32 andIndex, int32* idFound,
	const char** nameFound, size_t* lengthFound)
{
	for (const auto& entry : fResources) {
		if (entry->type == byType && andIndex-- == 0)
			return GetResourceInfo(entry->data.data(), nullptr, idFound, lengthFound, nameFound);
	}
	return false;
}

bool BResources::GetResourceInfo(type_code byType, int32 andID, const char** nameFound,
	size_t* lengthFound)
{
	Resource* found = Find(byType, andID);
	return found != nullptr
		&& GetResourceInfo(found->data.data(), nullptr, nullptr, lengthFound, nameFound);
}

bool BResources::GetResourceInfo(type_code byType, const char* andName, int32* idFound,
	size_t* lengthFound)
{
	Resource* found = Find(byType, andName);
	return found != nullptr
		&& GetResourceInfo(found->data.data(), nullptr, idFound, lengthFound, nullptr);
}

bool BResources::GetResourceInfo(const void* byPointer, type_code* typeFound, int32* idFound,
	size_t* lengthFound, const char** nameFound)
{
	Resource* found = FindByData(byPointer);
	if (found == nullptr)
		return false;
	if (typeFound != nullptr)
		*typeFound = found->type;
	if (idFound != nullptr)
		*idFound = found->id;
	if (lengthFound != nullptr)
		*lengthFound = found->data.size();
	if (nameFound != nullptr)
		*nameFound = found->name.c_str();
	return true;
}

status_t BResources::Sync()
{
	status_t status = CheckWritable();
	if (status != B_OK)
		return status;
	std::string bytes = WriteResourceArchive(fResources);
	ssize_t written = fFile.WriteAt(0, bytes.data(), bytes.size());
	if (written < 0)
		return static_cast<status_t>(written);
	if (static_cast<size_t>(written) != bytes.size())
		return B_DEVICE_FULL;
	if ((status = fFile.SetSize(bytes.size())) != B_OK)
		return status;
	if ((status = fFile.Sync()) != B_OK)
		return status;
	fChanged = false;
	return B_OK;
}

status_t BResources::WriteTo(BFile* file)
{
	if (fCStatus != B_OK)
		return fCStatus;
	if (file == nullptr || file->InitCheck() != B_OK)
		return file == nullptr ? B_BAD_VALUE : file->InitCheck();
	if (!file->IsWritable())
		return B_NOT_ALLOWED;
	BFile target(*file);
	if (target.InitCheck() != B_OK)
		return target.InitCheck();
	fFile = target;
	fReadOnly = false;
	fChanged = true;
	return Sync();
}

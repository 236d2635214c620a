#include <NodeInfo.h>

#include <cstring>

#include <TypeConstants.h>

namespace {

const char* const kTypeAttribute = "mime_type";

} // namespace

BNodeInfo::BNodeInfo() = default;

BNodeInfo::BNodeInfo(BNode* node)
{
	SetTo(node);
}

BNodeInfo::~BNodeInfo() = default;

status_t BNodeInfo::SetTo(BNode* node)
{
	fNode = nullptr;
	if (node == nullptr)
		return fCStatus = B_BAD_VALUE;
	if (node->InitCheck() != B_OK)
		return fCStatus = node->InitCheck();
	fNode = node;
	return fCStatus = B_OK;
}

status_t BNodeInfo::GetType(char* type) const
{
	return ReadString(kTypeAttribute, type, B_MIME_TYPE_LENGTH);
}

status_t BNodeInfo::SetType(const char* type)
{
	if (type != nullptr && strlen(type) >= B_MIME_TYPE_LENGTH)
		return B_BAD_VALUE;
	return WriteString(kTypeAttribute, type);
}

status_t BNodeInfo::ReadString(const char* attribute, std::string* value,
	size_t maxLength) const
{
	if (fCStatus != B_OK)
		return fCStatus;
	attr_info info;
	status_t status = fNode->GetAttrInfo(attribute, &info);
	if (status == B_UNSUPPORTED)
		return B_ENTRY_NOT_FOUND;
	if (status != B_OK)
		return status;
	// Other programs may have stored a terminator.
	if (info.size <= 0 || static_cast<size_t>(info.size) > maxLength + 1)
		return B_BAD_DATA;
	value->assign(info.size, '\0');
	ssize_t read = fNode->ReadAttr(attribute, B_STRING_TYPE, 0, value->data(), value->size());
	if (read < 0)
		return static_cast<status_t>(read);
	value->resize(read);
	if (!value->empty() && value->back() == '\0')
		value->pop_back();
	if (value->size() > maxLength || value->find('\0') != std::string::npos)
		return B_BAD_DATA;
	return B_OK;
}

status_t BNodeInfo::ReadString(const char* attribute, char* buffer, size_t bufferSize) const
{
	if (buffer == nullptr || bufferSize == 0)
		return B_BAD_VALUE;
	std::string value;
	status_t status = ReadString(attribute, &value, bufferSize - 1);
	if (status == B_OK)
		memcpy(buffer, value.c_str(), value.size() + 1);
	return status;
}

status_t BNodeInfo::WriteString(const char* attribute, const char* value)
{
	if (fCStatus != B_OK)
		return fCStatus;
	status_t status;
	if (value == nullptr) {
		status = fNode->RemoveAttr(attribute);
		if (status == B_ENTRY_NOT_FOUND)
			status = B_OK;
	} else {
		ssize_t written = fNode->WriteAttr(attribute, B_STRING_TYPE, 0, value, strlen(value));
		status = written < 0 ? static_cast<status_t>(written) : B_OK;
	}
	return status == B_UNSUPPORTED ? B_OK : status;
}

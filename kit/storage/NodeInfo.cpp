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

status_t BNodeInfo::ReadString(const char* attribute, char* buffer, size_t bufferSize) const
{
	if (fCStatus != B_OK)
		return fCStatus;
	if (buffer == nullptr)
		return B_BAD_VALUE;
	attr_info info;
	status_t status = fNode->GetAttrInfo(attribute, &info);
	if (status == B_UNSUPPORTED)
		return B_ENTRY_NOT_FOUND;
	if (status != B_OK)
		return status;
	if (info.size <= 0 || static_cast<size_t>(info.size) >= bufferSize)
		return B_BAD_DATA;
	ssize_t read = fNode->ReadAttr(attribute, B_STRING_TYPE, 0, buffer, bufferSize - 1);
	if (read < 0)
		return read;
	buffer[read] = '\0';
	// Other programs may have stored a terminator; an inner one is damage.
	if (strlen(buffer) + 1 < static_cast<size_t>(read))
		return B_BAD_DATA;
	return B_OK;
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

#include <AppFileInfo.h>

#include <File.h>
#include <Message.h>
#include <MimeType.h>

namespace {

const char* const kSignatureAttribute = "app_signature";
const char* const kSupportedTypesAttribute = "app_supported_types";
const char* const kTypesField = "types";
const char* const kAnyType = "application/octet-stream";
// Far more than any program declares; bounds what is read back.
const size_t kMaxSupportedTypes = 256;

} // namespace

BAppFileInfo::BAppFileInfo() = default;

BAppFileInfo::BAppFileInfo(BFile* file)
{
	SetTo(file);
}

BAppFileInfo::~BAppFileInfo() = default;

status_t BAppFileInfo::SetTo(BFile* file)
{
	return BNodeInfo::SetTo(file);
}

status_t BAppFileInfo::GetSignature(char* signature) const
{
	return ReadString(kSignatureAttribute, signature, B_MIME_TYPE_LENGTH);
}

status_t BAppFileInfo::SetSignature(const char* signature)
{
	if (signature != nullptr && !BMimeType::IsValid(signature))
		return B_BAD_VALUE;
	return WriteString(kSignatureAttribute, signature);
}

status_t BAppFileInfo::GetSupportedTypes(BMessage* types) const
{
	if (types == nullptr)
		return B_BAD_VALUE;
	std::string list;
	status_t status = ReadString(kSupportedTypesAttribute, &list,
		kMaxSupportedTypes * B_MIME_TYPE_LENGTH);
	if (status != B_OK)
		return status;
	types->RemoveName(kTypesField);
	size_t start = 0;
	while (start < list.size()) {
		size_t end = list.find('\n', start);
		if (end == std::string::npos)
			end = list.size();
		std::string type = list.substr(start, end - start);
		if (!BMimeType::IsValid(type.c_str()))
			return B_BAD_DATA;
		types->AddString(kTypesField, type.c_str());
		start = end + 1;
	}
	return B_OK;
}

status_t BAppFileInfo::SetSupportedTypes(const BMessage* types)
{
	if (types == nullptr)
		return WriteString(kSupportedTypesAttribute, nullptr);
	std::string list;
	const char* type;
	for (int32 i = 0; types->FindString(kTypesField, i, &type) == B_OK; i++) {
		if (!BMimeType::IsValid(type) || i >= static_cast<int32>(kMaxSupportedTypes))
			return B_BAD_VALUE;
		if (i > 0)
			list += '\n';
		list += type;
	}
	return WriteString(kSupportedTypesAttribute, list.empty() ? nullptr : list.c_str());
}

bool BAppFileInfo::IsSupportedType(const char* type) const
{
	BMimeType wanted(type);
	BMessage types;
	if (wanted.InitCheck() != B_OK || GetSupportedTypes(&types) != B_OK)
		return false;
	const char* supported;
	for (int32 i = 0; types.FindString(kTypesField, i, &supported) == B_OK; i++) {
		BMimeType candidate(supported);
		if (candidate == kAnyType || candidate.Contains(&wanted))
			return true;
	}
	return false;
}

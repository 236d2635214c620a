#include <MimeType.h>

#include <strings.h>

#include <cstring>

namespace {

bool IsTypeCharacter(unsigned char c)
{
	return c > ' ' && c < 0x7F && strchr("()<>@,;:\\\"[]?=/", c) == nullptr;
}

} // namespace

BMimeType::BMimeType() = default;

BMimeType::BMimeType(const char* mimeType)
{
	SetTo(mimeType);
}

BMimeType::~BMimeType() = default;

bool BMimeType::IsValid(const char* mimeType)
{
	if (mimeType == nullptr)
		return false;
	size_t length = strlen(mimeType);
	if (length == 0 || length >= B_MIME_TYPE_LENGTH)
		return false;
	const char* slash = strchr(mimeType, '/');
	size_t supertypeLength = slash != nullptr ? static_cast<size_t>(slash - mimeType) : length;
	if (supertypeLength == 0 || (slash != nullptr && slash[1] == '\0'))
		return false;
	for (size_t i = 0; i < length; i++) {
		if (i != supertypeLength && !IsTypeCharacter(mimeType[i]))
			return false;
	}
	return true;
}

status_t BMimeType::SetTo(const char* mimeType)
{
	Unset();
	if (!IsValid(mimeType))
		return fCStatus = B_BAD_VALUE;
	fType = mimeType;
	return fCStatus = B_OK;
}

void BMimeType::Unset()
{
	fType.clear();
	fCStatus = B_NO_INIT;
}

const char* BMimeType::Type() const
{
	return fCStatus == B_OK ? fType.c_str() : nullptr;
}

bool BMimeType::IsSupertypeOnly() const
{
	return fCStatus == B_OK && fType.find('/') == std::string::npos;
}

status_t BMimeType::GetSupertype(BMimeType* supertype) const
{
	if (supertype == nullptr)
		return B_BAD_VALUE;
	if (fCStatus != B_OK)
		return fCStatus;
	size_t slash = fType.find('/');
	if (slash == std::string::npos)
		return B_BAD_VALUE;
	return supertype->SetTo(fType.substr(0, slash).c_str());
}

bool BMimeType::IsSupertypeOf(const BMimeType* type) const
{
	if (type == nullptr || !IsSupertypeOnly() || type->IsSupertypeOnly())
		return false;
	BMimeType super;
	return type->GetSupertype(&super) == B_OK && super == *this;
}

bool BMimeType::Contains(const BMimeType* type) const
{
	return type != nullptr && (*this == *type || IsSupertypeOf(type));
}

bool BMimeType::operator==(const BMimeType& type) const
{
	return *this == type.Type();
}

bool BMimeType::operator==(const char* type) const
{
	if (fCStatus != B_OK || type == nullptr)
		return false;
	return strcasecmp(fType.c_str(), type) == 0;
}

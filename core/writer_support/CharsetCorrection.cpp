#include "CharsetCorrection.h"

#include "UTF8.h"
#include "parser_support/CharsetDeclaration.h"

std::optional<std::string> CharsetCorrection::Corrected(std::string_view text,
	const TextEncoding& encoding)
{
	if (!encoding.DeclaresSingleByteOverUtf8())
		return std::nullopt;
	std::string bytes;
	if (!encoding.Encode(text, bytes) || !BPrivate::UTF8::IsValid(bytes))
		return std::nullopt;
	std::string_view charset = CharsetDeclaration::Locate(bytes);
	if (charset.empty())
		return std::nullopt;
	size_t offset = static_cast<size_t>(charset.data() - bytes.data());
	bytes.replace(offset, charset.size(), "UTF-8");
	return bytes;
}

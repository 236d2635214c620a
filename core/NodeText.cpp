#include "NodeText.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

#include <Message.h>

#include "EntityTable.h"
#include "NodeTree.h"
#include "writer_support/CharacterWriting.h"

namespace NodeText {

std::optional<std::string> Attribute(const _node* node, const _attribute* attr)
{
	char* value = nullptr;
	if (node != nullptr && attr != nullptr)
		NodeTree::ReadAttribute(&value, node, attr);
	if (value == nullptr)
		return std::nullopt;
	std::string text(value);
	free(value);
	return text;
}

std::string OtherAttributes(const _node* node, const _attribute* a1, const _attribute* a2,
	const _attribute* a3, const _attribute* a4)
{
	char* kept = nullptr;
	NodeTree::ReadUnsupportedAttributes(&kept, node, a1, a2, a3, a4);
	std::string text(kept != nullptr ? kept : "");
	free(kept);
	return text;
}

std::optional<std::string> SourceRange(const _node* node, const std::string* buffer)
{
	if (node == nullptr || buffer == nullptr || node->end <= node->start
			|| node->end > buffer->size())
		return std::nullopt;
	return buffer->substr(node->start, node->end - node->start);
}

std::string UpperTagName(const _node* node)
{
	if (node == nullptr || node->tag == nullptr || node->tag->name == nullptr)
		return std::string();
	std::string name(node->tag->name);
	for (char& c : name)
		c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
	return name;
}

std::string EscapedText(const std::string& text)
{
	return CharacterWriting::Escaped(text, false);
}

std::optional<rgb_color> ParseColor(const char* text)
{
	if (text == nullptr)
		return std::nullopt;
	if (*text == '#')
		text++;
	uint8 channels[3];
	for (int i = 0; i < 3; i++) {
		int value = 0;
		for (int digit = 0; digit < 2; digit++) {
			char c = static_cast<char>(toupper(static_cast<unsigned char>(text[i * 2 + digit])));
			if (c >= '0' && c <= '9')
				value = value * 16 + (c - '0');
			else if (c >= 'A' && c <= 'F')
				value = value * 16 + (c - 'A' + 10);
			else
				return std::nullopt;
		}
		channels[i] = static_cast<uint8>(value);
	}
	return make_color(channels[0], channels[1], channels[2], 255);
}

void RestoreString(const BMessage* archive, const char* name, std::string& field)
{
	const char* value = nullptr;
	if (archive != nullptr && archive->FindString(name, &value) == B_OK && value != nullptr)
		field = value;
}

void ArchiveString(BMessage* archive, const char* name, const std::string& value)
{
	if (!value.empty())
		archive->AddString(name, value.c_str());
}

bool IsArchiveOf(const BMessage* archive, const char* className)
{
	const char* name = nullptr;
	return archive != nullptr && archive->FindString("class", &name) == B_OK
		&& name != nullptr && strcmp(name, className) == 0;
}

} // namespace NodeText

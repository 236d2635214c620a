#include "MessageFields.h"

#include <TypeConstants.h>

namespace BPrivate {

namespace {

// Up to this many fields a message is searched field by field: most have
// a few, and an index for each would cost more than it saves.
constexpr size_t kFieldsSearchedInOrder = 8;

} // namespace

size_t MessageFields::_IndexOf(std::string_view name) const
{
	if (fFields.size() <= kFieldsSearchedInOrder) {
		for (size_t i = 0; i < fFields.size(); i++) {
			if (fFields[i].name == name)
				return i;
		}
		return kNotFound;
	}
	auto found = fIndex.find(name);
	return found == fIndex.end() ? kNotFound : found->second;
}

MessageField* MessageFields::Find(std::string_view name)
{
	size_t index = _IndexOf(name);
	return index == kNotFound ? nullptr : &fFields[index];
}

const MessageField* MessageFields::Find(std::string_view name) const
{
	size_t index = _IndexOf(name);
	return index == kNotFound ? nullptr : &fFields[index];
}

const std::string* MessageFields::Item(std::string_view name, type_code type, int32 index,
	status_t* status) const
{
	const MessageField* field = Find(name);
	if (field == nullptr) {
		*status = B_NAME_NOT_FOUND;
		return nullptr;
	}
	if (type != B_ANY_TYPE && field->type != type) {
		*status = B_BAD_TYPE;
		return nullptr;
	}
	if (index < 0 || static_cast<size_t>(index) >= field->items.size()) {
		*status = B_BAD_INDEX;
		return nullptr;
	}
	*status = B_OK;
	return &field->items[index];
}

status_t MessageFields::FieldForAdd(std::string_view name, type_code type, bool fixedSize,
	MessageField** field)
{
	if (MessageField* existing = Find(name)) {
		if (existing->type != type || existing->fixedSize != fixedSize)
			return B_BAD_TYPE;
		*field = existing;
		return B_OK;
	}
	MessageField added;
	added.name = name;
	added.type = type;
	added.fixedSize = fixedSize;
	_Append(std::move(added));
	*field = &fFields.back();
	return B_OK;
}

bool MessageFields::AppendUnique(MessageField&& field)
{
	if (_IndexOf(field.name) != kNotFound)
		return false;
	_Append(std::move(field));
	return true;
}

void MessageFields::Remove(std::string_view name)
{
	size_t index = _IndexOf(name);
	if (index == kNotFound)
		return;
	fFields.erase(fFields.begin() + index);
	_Reindex();
}

void MessageFields::Clear()
{
	fFields.clear();
	fIndex.clear();
	fNestingDepth = 0;
}

void MessageFields::_Append(MessageField&& field)
{
	fFields.push_back(std::move(field));
	if (fFields.size() == kFieldsSearchedInOrder + 1)
		_Reindex();
	else if (fFields.size() > kFieldsSearchedInOrder + 1)
		fIndex.emplace(fFields.back().name, fFields.size() - 1);
}

// The index exists only while the fields are too many to search in order.
void MessageFields::_Reindex()
{
	fIndex.clear();
	if (fFields.size() <= kFieldsSearchedInOrder)
		return;
	for (size_t i = 0; i < fFields.size(); i++)
		fIndex.emplace(fFields[i].name, i);
}

} // namespace BPrivate

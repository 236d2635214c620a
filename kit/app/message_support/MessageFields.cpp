#include "MessageFields.h"

#include <TypeConstants.h>

namespace BPrivate {

MessageField* MessageFields::Find(std::string_view name)
{
	auto found = fIndex.find(name);
	return found == fIndex.end() ? nullptr : &fFields[found->second];
}

const MessageField* MessageFields::Find(std::string_view name) const
{
	auto found = fIndex.find(name);
	return found == fIndex.end() ? nullptr : &fFields[found->second];
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
	fFields.push_back(std::move(added));
	fIndex.emplace(fFields.back().name, fFields.size() - 1);
	*field = &fFields.back();
	return B_OK;
}

bool MessageFields::AppendUnique(MessageField&& field)
{
	if (fIndex.find(std::string_view(field.name)) != fIndex.end())
		return false;
	fFields.push_back(std::move(field));
	fIndex.emplace(fFields.back().name, fFields.size() - 1);
	return true;
}

void MessageFields::Remove(std::string_view name)
{
	auto found = fIndex.find(name);
	if (found == fIndex.end())
		return;
	fFields.erase(fFields.begin() + found->second);
	Reindex();
}

void MessageFields::Clear()
{
	fFields.clear();
	fIndex.clear();
	fNestingDepth = 0;
}

void MessageFields::Reindex()
{
	fIndex.clear();
	for (size_t i = 0; i < fFields.size(); i++)
		fIndex.emplace(fFields[i].name, i);
}

} // namespace BPrivate

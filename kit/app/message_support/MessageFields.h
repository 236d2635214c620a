#ifndef _VELMORA_MESSAGE_FIELDS_H
#define _VELMORA_MESSAGE_FIELDS_H

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <SupportDefs.h>

namespace BPrivate {

// One named field: every item has the field's type; a fixed-size field's
// items all have one size.
struct MessageField {
	std::string name;
	type_code type = 0;
	bool fixedSize = false;
	std::vector<std::string> items;
};

// The fields of a message in the order of their first addition. A message
// of many fields has an index by name too, so that messages of thousands
// of fields (run archives name their entries "0", "1", ...) stay fast.
class MessageFields {
public:
	static constexpr int32 kMaxNestingDepth = 64;

	MessageField* Find(std::string_view name);
	const MessageField* Find(std::string_view name) const;
	// The item at index, or null when the name, type or index does not match;
	// the status says which.
	const std::string* Item(std::string_view name, type_code type, int32 index,
		status_t* status) const;

	// The field to append to: the existing one of that name (B_BAD_TYPE when
	// its type or fixed-size flag differs), or a new one.
	status_t FieldForAdd(std::string_view name, type_code type, bool fixedSize,
		MessageField** field);
	// Appends a field read from a flattened message; false for a repeated name.
	bool AppendUnique(MessageField&& field);
	void Remove(std::string_view name);
	void Clear();

	const std::vector<MessageField>& All() const { return fFields; }
	bool IsEmpty() const { return fFields.empty(); }

	// How deep messages nest inside this one (0: none). Kept as an upper
	// bound: removing a nested message does not lower it.
	int32 NestingDepth() const { return fNestingDepth; }
	void NoteNestingDepth(int32 depth) { fNestingDepth = std::max(fNestingDepth, depth); }

private:
	struct NameHash {
		using is_transparent = void;
		size_t operator()(std::string_view name) const { return std::hash<std::string_view>()(name); }
	};

	static constexpr size_t kNotFound = SIZE_MAX;

	size_t _IndexOf(std::string_view name) const;
	void _Append(MessageField&& field);
	void _Reindex();

	std::vector<MessageField> fFields;
	std::unordered_map<std::string, size_t, NameHash, std::equal_to<>> fIndex;
	int32 fNestingDepth = 0;
};

} // namespace BPrivate

#endif

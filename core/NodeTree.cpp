#include "NodeTree.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "NodeText.h"
#include "SlotPool.h"

namespace {

// Handed to callers who free it with free().
char* CopyString(std::string_view text)
{
	char* copy = static_cast<char*>(malloc(text.size() + 1));
	memcpy(copy, text.data(), text.size());
	copy[text.size()] = '\0';
	return copy;
}

// A big page has hundreds of thousands of nodes.
SlotPool& NodePool()
{
	static SlotPool* pool = SlotPool::ForSize(sizeof(_node));
	return *pool;
}

void FreeAttributes(_attval* attribute)
{
	while (attribute != nullptr) {
		_attval* next = attribute->next;
		FreeNodeString(attribute->attribute);
		FreeNodeString(attribute->value);
		free(attribute);
		attribute = next;
	}
}

void FreeOne(_node* node)
{
	FreeAttributes(node->attributes);
	FreeNodeString(node->element);
	NodePool().Free(node);
}

bool IsExcluded(const _attribute* dict, const _attribute* const (&excluded)[6])
{
	if (dict == nullptr)
		return false;
	for (const _attribute* candidate : excluded) {
		if (candidate != nullptr && candidate == dict)
			return true;
	}
	return false;
}

} // namespace

_node* NewNode()
{
	_node* node = new (NodePool().Allocate()) _node{};
	node->type = TextNode;
	return node;
}

// Read as C strings, so a NUL inside the text ends it: the length kept is
// then the one FreeNodeString() finds.
char* CopyNodeString(std::string_view text)
{
	text = text.substr(0, text.find('\0'));
	char* copy = static_cast<char*>(SlotPool::AllocateSized(text.size() + 1));
	memcpy(copy, text.data(), text.size());
	copy[text.size()] = '\0';
	return copy;
}

void FreeNodeString(char* text)
{
	if (text != nullptr)
		SlotPool::FreeSized(text, strlen(text) + 1);
}

void FreeNode(_node* node)
{
	if (node == nullptr)
		return;
	// Post-order through the tree's own links: descend to a leaf, free it,
	// go on with its next sibling or, after the last child, with its parent.
	_node* current = node;
	while (true) {
		if (current->content != nullptr) {
			current = current->content;
			continue;
		}
		if (current == node) {
			FreeOne(current);
			return;
		}
		_node* parent = current->parent;
		_node* next = current->next;
		FreeOne(current);
		if (next != nullptr) {
			current = next;
		} else {
			parent->content = nullptr;
			parent->last = nullptr;
			current = parent;
		}
	}
}

void NodeTree::ReadAttribute(char** out, const _node* node, const _attribute* attr)
{
	if (out == nullptr)
		return;
	const _attval* found = FindAttribute(node, attr);
	if (found == nullptr)
		return;
	free(*out);
	*out = CopyString(found->value != nullptr ? found->value : "");
}

_attval* NodeTree::FindAttribute(const _node* node, const _attribute* attr)
{
	if (node == nullptr || attr == nullptr)
		return nullptr;
	for (_attval* attribute = node->attributes; attribute != nullptr; attribute = attribute->next) {
		if (attribute->dict == attr)
			return attribute;
	}
	return nullptr;
}

void NodeTree::ReadUnsupportedAttributes(char** out, const _node* node, const _attribute* a1,
	const _attribute* a2, const _attribute* a3, const _attribute* a4, const _attribute* a5,
	const _attribute* a6)
{
	if (out == nullptr)
		return;
	free(*out);
	*out = nullptr;
	if (node == nullptr)
		return;
	const _attribute* const excluded[6] = {a1, a2, a3, a4, a5, a6};
	std::string kept;
	for (const _attval* attribute = node->attributes; attribute != nullptr;
			attribute = attribute->next) {
		if (IsExcluded(attribute->dict, excluded) || attribute->attribute == nullptr)
			continue;
		kept += ' ';
		kept += attribute->attribute;
		if (attribute->value != nullptr) {
			kept += "=\"";
			kept += attribute->value;
			kept += '"';
		}
	}
	if (!kept.empty())
		*out = CopyString(kept);
}

bool NodeTree::IsValidNode(const _node* node)
{
	return node != nullptr
		&& (node->parent != nullptr || node->prev != nullptr || node->next != nullptr
			|| node->content != nullptr);
}

bool NodeTree::IsPairTag(const _tagdict* tag)
{
	return tag != nullptr && (tag->model & CM_EMPTY) == 0;
}

_node* NodeTree::LogicalNextNode(const _node* node, bool& closing, bool& descend)
{
	if (node == nullptr)
		return nullptr;
	if (descend) {
		if (node->content != nullptr) {
			closing = false;
			return node->content;
		}
		if (IsPairTag(node->tag)) {
			closing = true;
			descend = false;
			return const_cast<_node*>(node);
		}
		if (node->next != nullptr) {
			closing = false;
			return node->next;
		}
		closing = true;
		descend = false;
		return node->parent;
	}
	if (node->next != nullptr) {
		closing = false;
		descend = true;
		return node->next;
	}
	closing = true;
	return node->parent;
}

void NodeTree::AppendChild(_node* parent, _node* child)
{
	child->parent = parent;
	child->next = nullptr;
	child->prev = parent->last;
	if (parent->last != nullptr)
		parent->last->next = child;
	else
		parent->content = child;
	parent->last = child;
}

_attval* NodeTree::AddAttribute(_node* node, std::string_view name,
	std::optional<std::string_view> value, int32 delim)
{
	_attval* attribute = static_cast<_attval*>(calloc(1, sizeof(_attval)));
	attribute->attribute = CopyNodeString(name);
	attribute->dict = LookUpAttribute(attribute->attribute);
	attribute->delim = delim;
	// Most values hold no '"', and are copied as they are.
	if (value.has_value() && value->find('"') == std::string_view::npos)
		attribute->value = CopyNodeString(*value);
	else if (value.has_value())
		attribute->value = CopyNodeString(NodeText::QuotedValue(*value));
	_attval** end = &node->attributes;
	while (*end != nullptr)
		end = &(*end)->next;
	*end = attribute;
	return attribute;
}

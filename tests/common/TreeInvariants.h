#ifndef TREE_INVARIANTS_H
#define TREE_INVARIANTS_H

#include <cstdlib>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "PageParser.h"

// What the rest of the editor relies on in a parsed page, checked on any
// page: the links of the tree, the document-order walk (paired elements and
// nodes with content twice, the rest once), the text ranges, attribute
// strings for every node, and report places inside the text. Shared by the
// corpus tests and the fuzzer.
namespace TreeInvariants {

// The first violation found, or an empty string.
inline std::string Violation(const ParsedPage& page)
{
	const _node* root = page.Document();
	if (root == nullptr || root->type != RootNode)
		return "no root";
	const std::string& buffer = page.Lexer()->lexbuf;

	std::vector<const _node*> nodes{root};
	for (size_t i = 0; i < nodes.size(); i++) {
		const _node* previous = nullptr;
		for (const _node* child = nodes[i]->content; child != nullptr; child = child->next) {
			if (child->parent != nodes[i] || child->prev != previous)
				return "broken sibling or parent link";
			previous = child;
			nodes.push_back(child);
		}
		if (nodes[i]->last != previous)
			return "wrong last child";
		char* kept = nullptr;
		NodeTree::ReadUnsupportedAttributes(&kept, nodes[i], attr_href, attr_name);
		free(kept);
	}

	std::unordered_map<const _node*, int> visits;
	bool closing = false;
	bool descend = true;
	for (const _node* node = root->content; node != nullptr;
			node = NodeTree::LogicalNextNode(node, closing, descend))
		visits[node]++;
	for (const _node* node : nodes) {
		if (node == root)
			continue;
		bool twice = node->type != TextNode
			&& (node->content != nullptr || NodeTree::IsPairTag(node->tag));
		if (visits[node] != (twice ? 2 : 1))
			return std::string("walk visits ") + (node->element != nullptr ? node->element : "a node")
				+ " " + std::to_string(visits[node]) + " times";
		if (node->start > node->end || node->end > buffer.size())
			return "text range outside the lexer buffer";
		bool element = node->type == StartTag || node->type == StartEndTag;
		// Only a tag the page defines itself keeps the rest of its tag as text.
		bool ownTag = node->tag != nullptr && (node->tag->model & CM_NEW) != 0;
		if (element && ((node->start != node->end && !ownTag) || node->element == nullptr))
			return "element with text or without a name";
		bool code = node->parent->tag == tag_script || node->parent->tag == tag_style;
		std::string_view text(buffer.data() + node->start, node->end - node->start);
		if (node->type == TextNode && !code && text.find("\xC2\xA0") != std::string_view::npos)
			return "a non-breaking space not made the visual one";
	}

	for (const ParseReport& report : page.Reports()) {
		if (report.start < 0 || report.start != report.finish
				|| static_cast<size_t>(report.start) > page.Source().size())
			return "report outside the text: " + report.text;
		if (report.kind < VUDAV_ERROR || report.kind > VUDAV_NOTE)
			return "report of no kind: " + report.text;
	}
	return std::string();
}

} // namespace TreeInvariants

#endif

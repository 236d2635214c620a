// Reads arbitrary bytes as a page and checks what the rest of the editor
// relies on: a tree whose links, walk and text ranges hold, attribute
// strings that can be built for every node, report places inside the text,
// and Windows-1252 pages that write back byte for byte.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "PageParser.h"

namespace {

void Require(bool condition)
{
	if (!condition)
		__builtin_trap();
}

void CheckTree(const ParsedPage& page)
{
	const _node* root = page.Document();
	Require(root != nullptr && root->type == RootNode);
	const size_t bufferSize = page.Lexer()->lexbuf.size();

	std::vector<const _node*> nodes{root};
	for (size_t i = 0; i < nodes.size(); i++) {
		const _node* previous = nullptr;
		for (const _node* child = nodes[i]->content; child != nullptr; child = child->next) {
			Require(child->parent == nodes[i] && child->prev == previous);
			Require(child->start <= child->end && child->end <= bufferSize);
			previous = child;
			nodes.push_back(child);
		}
		Require(nodes[i]->last == previous);
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
		Require(visits[node] == (twice ? 2 : 1));
	}
}

void CheckReports(const ParsedPage& page)
{
	for (const ParseReport& report : page.Reports()) {
		Require(report.start >= 0 && report.start == report.finish);
		Require(static_cast<size_t>(report.start) <= page.Source().size());
		Require(report.kind >= VUDAV_ERROR && report.kind <= VUDAV_NOTE);
	}
}

void CheckRoundTrip(std::string_view bytes, const TextEncoding& encoding)
{
	if (encoding.Name() != "windows-1252")
		return;
	std::string text;
	Require(encoding.Decode(bytes, text));
	std::string written;
	Require(encoding.Encode(text, written) && written == bytes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	std::string_view bytes(reinterpret_cast<const char*>(data), size);
	int32 lastPercent = -1;
	ParseOptions options;
	options.progress = [&lastPercent](int32 percent) {
		Require(percent > lastPercent && percent <= 100);
		lastPercent = percent;
	};
	std::unique_ptr<ParsedPage> page = PageParser::Parse(bytes, options);
	Require(page->Status() == B_OK);
	Require(lastPercent == 100);
	CheckTree(*page);
	CheckReports(*page);
	CheckRoundTrip(bytes, page->Encoding());
	return 0;
}

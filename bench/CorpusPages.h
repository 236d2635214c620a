#ifndef VELMORA_BENCH_CORPUS_PAGES_H
#define VELMORA_BENCH_CORPUS_PAGES_H

#include <cstdlib>
#include <map>
#include <string>
#include <string_view>

#include "CorpusFiles.h"
#include "PageParser.h"

// Large pages made of the corpus's pages, for the benchmarks that read them.
namespace CorpusPages {

inline void AppendEscaped(std::string& out, std::string_view text)
{
	for (char c : text) {
		switch (c) {
			case '&': out += "&amp;"; break;
			case '<': out += "&lt;"; break;
			case '>': out += "&gt;"; break;
			case '\x0F': out += "&nbsp;"; break;
			default: out += c;
		}
	}
}

// The body of a page as well-formed HTML, written from the bridge's tree:
// real tags, attributes and text, but none of the malformed markup that
// makes the library drop whatever follows, so that a long page of them is
// read in full.
inline void AppendBody(std::string& out, const ParsedPage& page)
{
	const _node* body = nullptr;
	bool closing = false;
	bool descend = true;
	for (const _node* node = page.Document()->content; node != nullptr && body == nullptr;
			node = NodeTree::LogicalNextNode(node, closing, descend)) {
		if (node->tag == tag_body)
			body = node;
	}
	if (body == nullptr || body->content == nullptr)
		return;
	const std::string& buffer = page.Lexer()->lexbuf;
	closing = false;
	descend = true;
	for (const _node* node = body->content; node != body;
			node = NodeTree::LogicalNextNode(node, closing, descend)) {
		std::string_view text(buffer.data() + node->start, node->end - node->start);
		if (node->type == TextNode) {
			AppendEscaped(out, text);
		} else if (node->type == CommentTag) {
			out += "<!--";
			out += text;
			out += "-->";
		} else if (node->element != nullptr && node->tag != nullptr) {
			char* attributes = nullptr;
			if (!closing)
				NodeTree::ReadUnsupportedAttributes(&attributes, node);
			out += closing ? "</" : "<";
			out += node->element;
			out += attributes != nullptr ? attributes : "";
			out += ">";
			free(attributes);
		}
	}
}

inline const std::string& PageOfMegabytes(int64_t megabytes)
{
	static std::map<int64_t, std::string> sPages;
	std::string& page = sPages[megabytes];
	if (!page.empty())
		return page;
	std::string bodies;
	for (const std::string& input : CorpusFiles::Inputs()) {
		// The nested page is a test of depth, not of size; XML is not HTML.
		if (input.find("special-cases") == std::string::npos
				&& input.find("xml-cases") == std::string::npos)
			AppendBody(bodies, *PageParser::Parse(CorpusFiles::ReadInput(input)));
	}
	size_t wanted = static_cast<size_t>(megabytes) << 20;
	page = "<!DOCTYPE html>\n<html><head><title>Corpus</title></head><body>\n";
	while (page.size() < wanted)
		page += bodies;
	page += "</body></html>\n";
	return page;
}

} // namespace CorpusPages

#endif

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <unordered_map>
#include <vector>

#include <UTF8.h>

#include "CorpusFiles.h"
#include "LibraryPlace.h"
#include "PageParser.h"

namespace {

const char* const kDeepPage = "tidy-cases/special-cases/case-evil@1.html";

std::vector<std::string> OrdinaryPages()
{
	std::vector<std::string> pages;
	for (const std::string& page : CorpusFiles::Inputs()) {
		if (page != kDeepPage)
			pages.push_back(page);
	}
	return pages;
}

// Every node of the tree, parents before children, found through the
// content and next links, checking the other links on the way.
std::vector<const _node*> NodesChecked(const _node* root)
{
	std::vector<const _node*> nodes{root};
	for (size_t i = 0; i < nodes.size(); i++) {
		const _node* node = nodes[i];
		const _node* previous = nullptr;
		for (const _node* child = node->content; child != nullptr; child = child->next) {
			EXPECT_EQ(child->parent, node);
			EXPECT_EQ(child->prev, previous);
			previous = child;
			nodes.push_back(child);
		}
		EXPECT_EQ(node->last, previous);
	}
	return nodes;
}

void CheckWalk(const _node* root, const std::vector<const _node*>& nodes)
{
	std::unordered_map<const _node*, int> visits;
	bool closing = false;
	bool descend = true;
	for (const _node* node = root->content; node != nullptr;
			node = NodeTree::LogicalNextNode(node, closing, descend))
		visits[node]++;
	EXPECT_EQ(visits.size(), nodes.size() - (root->content == nullptr ? 1 : 0));
	for (const _node* node : nodes) {
		if (node == root)
			continue;
		bool twice = node->type != TextNode
			&& (node->content != nullptr || NodeTree::IsPairTag(node->tag));
		ASSERT_EQ(visits[node], twice ? 2 : 1) << (node->element != nullptr ? node->element : "");
	}
}

void CheckRanges(const ParsedPage& page, const std::vector<const _node*>& nodes)
{
	const std::string& buffer = page.Lexer()->lexbuf;
	for (const _node* node : nodes) {
		ASSERT_LE(node->start, node->end);
		ASSERT_LE(node->end, buffer.size());
		if (node->type == StartTag || node->type == StartEndTag) {
			EXPECT_EQ(node->start, node->end);
			EXPECT_NE(node->element, nullptr);
		}
		bool code = node->parent != nullptr
			&& (node->parent->tag == tag_script || node->parent->tag == tag_style);
		if (node->type == TextNode && !code) {
			std::string_view text(buffer.data() + node->start, node->end - node->start);
			EXPECT_EQ(text.find("\xC2\xA0"), std::string_view::npos);
		}
	}
}

void CheckReports(const ParsedPage& page)
{
	const std::string& source = page.Source();
	bool counted = false;
	for (const ParseReport& report : page.Reports()) {
		SCOPED_TRACE(report.text);
		ASSERT_EQ(report.start, report.finish);
		ASSERT_GE(report.start, 0);
		ASSERT_LE(static_cast<size_t>(report.start), source.size());
		if (report.text.ends_with(" warnings/errors were found.")) {
			EXPECT_EQ(report.text, std::to_string(page.Lexer()->warnings)
				+ " warnings/errors were found.");
			counted = true;
		}
		if (report.line == 0)
			continue;
		std::pair<int32, int32> place = LibraryPlace(source, report.start);
		bool atLineEnd = static_cast<size_t>(report.start) == source.size()
			|| source[report.start] == '\n';
		if (static_cast<size_t>(report.start) < source.size()) {
			EXPECT_EQ(place.first, report.line);
		}
		if (atLineEnd) {
			EXPECT_LE(place.second, report.column);
		} else {
			EXPECT_EQ(place.second, report.column);
		}
	}
	EXPECT_TRUE(counted);
}

class CorpusPage : public testing::TestWithParam<std::string> {
};

} // namespace

TEST_P(CorpusPage, ReadsIntoAConsistentTreeWithPlacedReports)
{
	std::unique_ptr<ParsedPage> page = PageParser::Parse(CorpusFiles::ReadInput(GetParam()));
	ASSERT_EQ(page->Status(), B_OK);
	for (const ParseReport& report : page->Reports())
		EXPECT_EQ(report.text.find("could not be read"), std::string::npos) << report.text;
	ASSERT_NE(page->Document(), nullptr);
	EXPECT_TRUE(BPrivate::UTF8::IsValid(page->Source()));

	std::vector<const _node*> nodes = NodesChecked(page->Document());
	CheckWalk(page->Document(), nodes);
	CheckRanges(*page, nodes);
	CheckReports(*page);
}

INSTANTIATE_TEST_SUITE_P(Corpus, CorpusPage, testing::ValuesIn(OrdinaryPages()),
	[](const testing::TestParamInfo<std::string>& info) {
		return CorpusFiles::TestName(info.param);
	});

// 65,536 nested B elements: deeper than an ordinary thread's stack allows
// the library to go, and slow enough to want progress and a way out.
TEST(DeepCorpusPage, EveryLevelIsReadAndWalked)
{
	std::unique_ptr<ParsedPage> page = PageParser::Parse(CorpusFiles::ReadInput(kDeepPage));
	ASSERT_EQ(page->Status(), B_OK);
	std::vector<const _node*> nodes = NodesChecked(page->Document());
	int32 depth = 0;
	for (const _node* node = nodes.back(); node->parent != nullptr; node = node->parent)
		depth++;
	EXPECT_GT(depth, 65536);
	CheckWalk(page->Document(), nodes);
}

TEST(DeepCorpusPage, StopRequestEndsTheReading)
{
	std::atomic<int32> read{0};
	ParseOptions options;
	options.progress = [&](int32 percent) { read = percent; };
	options.stopRequested = [&] { return read >= 45; };
	std::unique_ptr<ParsedPage> page = PageParser::Parse(CorpusFiles::ReadInput(kDeepPage),
		options);
	EXPECT_EQ(page->Status(), B_CANCELED);
	EXPECT_EQ(page->Document(), nullptr);
	EXPECT_LT(read, 50);
}

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include <UTF8.h>

#include "CorpusFiles.h"
#include "LibraryPlace.h"
#include "PageParser.h"
#include "TreeInvariants.h"

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

// The places of the reports are those the library named; the summary counts them.
void CheckReportPlaces(const ParsedPage& page)
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

	EXPECT_EQ(TreeInvariants::Violation(*page), "");
	CheckReportPlaces(*page);
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
	EXPECT_EQ(TreeInvariants::Violation(*page), "");
	int32 levels = 0;
	for (std::vector<const _node*> level{page->Document()}; !level.empty(); levels++) {
		std::vector<const _node*> below;
		for (const _node* node : level) {
			for (const _node* child = node->content; child != nullptr; child = child->next)
				below.push_back(child);
		}
		level.swap(below);
	}
	EXPECT_GT(levels, 65536);
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

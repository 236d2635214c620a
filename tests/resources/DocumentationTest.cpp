#include <regex>
#include <set>
#include <string>

#include <gtest/gtest.h>
#include <tidy/tidy.h>
#include <tidy/tidybuffio.h>

#include "BitmapPixels.h"

namespace {

const std::string kSourceDocs = VELMORA_SOURCE_DIR "/Documentation/";
const std::string kBuiltDocs = VELMORA_BINARY_DIR "/Documentation/";

// What the HTML library says about a page: its errors and warnings.
std::string Complaints(const std::string& page)
{
	TidyDoc document = tidyCreate();
	TidyBuffer report;
	tidyBufInit(&report);
	tidySetErrorBuffer(document, &report);
	tidyParseString(document, page.c_str());
	std::string complaints;
	if (tidyErrorCount(document) + tidyWarningCount(document) > 0 && report.bp != nullptr)
		complaints.assign(reinterpret_cast<const char*>(report.bp), report.size);
	tidyBufFree(&report);
	tidyRelease(document);
	return complaints;
}

std::set<std::string> Captures(const std::string& page, const std::string& pattern)
{
	std::set<std::string> found;
	std::regex expression(pattern);
	for (auto match = std::sregex_iterator(page.begin(), page.end(), expression);
			match != std::sregex_iterator(); ++match)
		found.insert((*match)[1].str());
	return found;
}

bool Exists(const std::string& path)
{
	return !Testing::ReadFile(path).empty();
}

} // namespace

// Each shipped page: HTML the library accepts without complaint, every line
// ended with CR LF, and every link and picture leading somewhere.
TEST(ShippedPages, AreCleanHtmlWithCrLfLinesAndNoBrokenLinks)
{
	for (const char* name : {"StartUp.html", "index.html"}) {
		SCOPED_TRACE(name);
		std::string page = Testing::ReadFile(kSourceDocs + name);
		ASSERT_FALSE(page.empty());
		EXPECT_EQ(Complaints(page), "");
		for (size_t i = 0; i < page.size(); i++) {
			bool crWithoutLf = page[i] == '\r' && (i + 1 == page.size() || page[i + 1] != '\n');
			bool lfWithoutCr = page[i] == '\n' && (i == 0 || page[i - 1] != '\r');
			ASSERT_FALSE(crWithoutLf || lfWithoutCr) << "at byte " << i;
		}
		EXPECT_EQ(page.substr(page.size() - 9), "</HTML>\r\n");

		std::set<std::string> names = Captures(page, "NAME=\"([^\"]+)\"");
		for (const std::string& target : Captures(page, "HREF=\"#([^\"]+)\""))
			EXPECT_TRUE(names.count(target) == 1) << "no place named " << target;
		for (const std::string& file : Captures(page, "HREF=\"([^\"#:]+)\""))
			EXPECT_TRUE(Exists(kSourceDocs + file)) << file;
		for (const std::string& picture : Captures(page, "SRC=\"([^\"]+)\""))
			EXPECT_TRUE(Exists(kSourceDocs + picture) || Exists(kBuiltDocs + picture)) << picture;
	}
}

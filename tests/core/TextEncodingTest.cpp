#include <gtest/gtest.h>

#include <string>

#include "TextEncoding.h"

namespace {

struct DetectionRow {
	const char* situation;
	std::string bytes;
	const char* name;
	bool byteOrderMark;
	const char* text;	// the decoded text
	bool writtenBack = true;	// the text encoded again is the page's bytes
};

const DetectionRow kDetections[] = {
	{"plain ASCII", "<p>plain</p>", "UTF-8", false, "<p>plain</p>"},
	{"undeclared UTF-8", "<p>caf\xC3\xA9</p>", "UTF-8", false, "<p>caf\xC3\xA9</p>"},
	{"UTF-8 byte order mark", "\xEF\xBB\xBF<p>\xC3\xA9</p>", "UTF-8", true, "<p>\xC3\xA9</p>"},
	{"undeclared Latin-1 bytes", "<p>caf\xE9 \xE0 la cr\xE8me</p>", "windows-1252", false,
		"<p>caf\xC3\xA9 \xC3\xA0 la cr\xC3\xA8me</p>"},
	{"META charset ISO-8859-1",
		"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\"><p>\xE9",
		"ISO-8859-1", false,
		"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\"><p>\xC3\xA9"},
	{"HTML5 META charset in capitals", "<META CHARSET='Windows-1252'><p>\x80", "windows-1252",
		false, "<META CHARSET='Windows-1252'><p>\xE2\x82\xAC"},
	{"XML declaration", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><p>\xFC", "ISO-8859-1",
		false, "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><p>\xC3\xBC"},
	// Invalid EUC-JP: a lead byte followed by ASCII.
	{"declared charset the bytes do not fit", "<meta charset=EUC-JP><p>\xC6" "a\xE9",
		"windows-1252", false, "<meta charset=EUC-JP><p>\xC3\x86" "a\xC3\xA9"},
	{"declaration in a comment does not count",
		"<!-- <meta charset=\"iso-8859-2\"> --><p>\xC3\xA9", "UTF-8", false,
		"<!-- <meta charset=\"iso-8859-2\"> --><p>\xC3\xA9"},
	{"declared UTF-8 with one stray Latin-1 byte", "<meta charset=utf-8><p>\xC3\xA9 \xE9",
		"UTF-8", false, "<meta charset=utf-8><p>\xC3\xA9 \xC3\xA9", false},
	{"declared UTF-16 in an ASCII page", "<meta charset=utf-16><p>\xC3\xA9", "UTF-8", false,
		"<meta charset=utf-16><p>\xC3\xA9"},
	{"charset nobody knows", "<meta charset=x-unheard-of><p>\xE9", "windows-1252", false,
		"<meta charset=x-unheard-of><p>\xC3\xA9"},
	{"declared EUC-JP", "<meta charset=EUC-JP><p>\xC6\xFC\xCB\xDC", "EUC-JP", false,
		"<meta charset=EUC-JP><p>\xE6\x97\xA5\xE6\x9C\xAC"},
	{"UTF-16LE byte order mark", std::string("\xFF\xFE<\0p\0>\0\xE9\0", 10), "UTF-16LE", true,
		"<p>\xC3\xA9"},
};

} // namespace

// Saving writes a page back in its encoding, byte order mark included:
// reading and writing must not change one byte of it.
TEST(EncodingDetection, PagesAreReadInTheEncodingTheyComeInAndWrittenBackUnchanged)
{
	for (const DetectionRow& row : kDetections) {
		SCOPED_TRACE(row.situation);
		TextEncoding encoding = TextEncoding::Detect(row.bytes);
		EXPECT_EQ(encoding.Name(), row.name);
		EXPECT_EQ(encoding.HasByteOrderMark(), row.byteOrderMark);
		std::string text;
		EXPECT_TRUE(encoding.Decode(row.bytes, text));
		EXPECT_EQ(text, row.text);
		std::string written;
		EXPECT_TRUE(encoding.Encode(text, written));
		if (row.writtenBack) {
			EXPECT_EQ(written, row.bytes);
		}
		EXPECT_EQ(TextEncoding::DecodePage(row.bytes, text).Name(), row.name) << "in one step";
		EXPECT_EQ(text, row.text);
		std::string taken = row.bytes;
		EXPECT_EQ(TextEncoding::DecodePageTaking(std::move(taken), text).Name(), row.name)
			<< "taking the bytes";
		EXPECT_EQ(text, row.text);
	}
}

TEST(EncodingRoundTrip, EveryByteOfAWindows1252PageComesBackUnchanged)
{
	std::string bytes;
	for (int byte = 1; byte < 256; byte++)
		bytes += static_cast<char>(byte);
	TextEncoding encoding = TextEncoding::Detect(bytes);
	ASSERT_EQ(encoding.Name(), "windows-1252");
	std::string text;
	ASSERT_TRUE(encoding.Decode(bytes, text));
	std::string written;
	EXPECT_TRUE(encoding.Encode(text, written));
	EXPECT_EQ(written, bytes);
}

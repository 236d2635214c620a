// Writing a page: the file ends up holding exactly the HTML window's text,
// with CR LF line ends, in the encoding the page came in, with its
// permissions, links and scratch files kept.

#include "PageTesting.h"

#include <atomic>
#include <filesystem>
#include <random>
#include <thread>
#include <sys/stat.h>

#include <Node.h>
#include <NodeInfo.h>

#include "ErrorAlert.h"
#include "KFile.h"
#include "SafeSave.h"
#include "page_support/PageText.h"

using PageTesting::PageTest;

namespace {

std::vector<std::string> sAlerts;

void RecordAlert(const char* text)
{
	sAlerts.push_back(text);
}

class PageSaving : public PageTest {
protected:
	void SetUp() override
	{
		sAlerts.clear();
		fOldHandler = SetErrorAlertHandler(RecordAlert);
	}
	void TearDown() override
	{
		PageTest::TearDown();
		SetErrorAlertHandler(fOldHandler);
	}

	std::string WindowText()
	{
		BAutolock lock(fPage->HTMLWindow());
		return fPage->HTMLWindow()->View()->Text();
	}

	void Type(const char* text)
	{
		HTML_View* view = fPage->HTMLWindow()->View();
		BAutolock lock(fPage->HTMLWindow());
		view->Insert(view->TextLength(), text, static_cast<int32>(strlen(text)));
	}

	error_alert_handler fOldHandler = nullptr;
};

std::string WithCRLF(const std::string& text)
{
	std::string lines;
	for (char c : text) {
		if (c == '\n')
			lines += '\r';
		lines += c;
	}
	return lines;
}

} // namespace

TEST_F(PageSaving, TheFileHoldsTheWindowsTextAndNoTailOfTheOldOne)
{
	std::string longPage = "<html><body><p>" + std::string(5000, 'x') + "</p></body></html>\n";
	Open(longPage);
	{
		HTML_View* view = fPage->HTMLWindow()->View();
		BAutolock lock(fPage->HTMLWindow());
		view->SetText("<html><body>short</body></html>\n");
	}
	ASSERT_EQ(fPage->Save(), B_OK);
	EXPECT_EQ(fFolder.Read("page.html"), WithCRLF(WindowText()));
	EXPECT_NE(WindowText().find("short"), std::string::npos);
	EXPECT_TRUE(sAlerts.empty());
}

TEST(PageText, EveryKindOfLineEndIsWrittenCRLFOnce)
{
	const struct {
		const char* text;
		const char* written;
	} rows[] = {
		{"a\nb\n", "a\r\nb\r\n"},
		{"a\rb\r", "a\r\nb\r\n"},
		{"a\r\r\nb", "a\r\n\r\nb"},
	};
	for (const auto& row : rows) {
		SCOPED_TRACE(row.text);
		EXPECT_EQ(PageText::Encode(row.text, TextEncoding()), row.written);
	}
}

// Line ends are found by looking for each kind ahead of the place reached:
// texts of every mix of CR, LF and other bytes are read as a plain
// character-by-character rule reads them, in a copy and in place.
TEST(PageText, EveryMixOfLineEndsIsReadAsOneLFEachInACopyAndInPlace)
{
	auto byTheRule = [](const std::string& text) {
		std::string lines;
		for (size_t i = 0; i < text.size(); i++) {
			if (text[i] != '\r')
				lines += text[i];
			else {
				lines += '\n';
				if (i + 1 < text.size() && text[i + 1] == '\n')
					i++;
			}
		}
		return lines;
	};
	std::mt19937 random(7);
	const char pieces[] = {'\r', '\n', 'a', '\0'};
	for (int round = 0; round < 2000; round++) {
		std::string text;
		int length = static_cast<int>(random() % 24);
		for (int i = 0; i < length; i++)
			text += pieces[random() % 4];
		SCOPED_TRACE(testing::PrintToString(text));
		std::string inPlace = text;
		PageText::NormalizeLineEndsInPlace(inPlace);
		EXPECT_EQ(PageText::NormalizeLineEnds(text), byTheRule(text));
		EXPECT_EQ(inPlace, byTheRule(text));
	}
}

// A page is written a piece at a time: whatever the pieces' size, and
// wherever they would fall (inside a character, between a CR and its LF),
// the bytes written are those of the whole text encoded at once, the mark
// first and once.
TEST(PageText, TextWrittenInPiecesGivesTheBytesOfTheWholeInEveryEncoding)
{
	const TextEncoding encodings[] = {TextEncoding(), TextEncoding::Named("UTF-8", true),
		TextEncoding::Named("windows-1252", false), TextEncoding::Named("ISO-8859-2", false),
		TextEncoding::Named("UTF-16LE", true)};
	const std::string pieces[] = {"a", "\r", "\n", "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80",
		"\xC5\x91", "\x80", "<"};
	std::mt19937 random(11);
	for (const TextEncoding& encoding : encodings) {
		SCOPED_TRACE(encoding.Name());
		for (int round = 0; round < 300; round++) {
			std::string text;
			int length = static_cast<int>(random() % 20);
			for (int i = 0; i < length; i++)
				text += pieces[random() % std::size(pieces)];
			size_t pieceSize = 1 + random() % 9;
			SCOPED_TRACE(testing::PrintToString(text) + " in pieces of " + std::to_string(pieceSize));
			std::string written;
			int calls = 0;
			ASSERT_EQ(PageText::EncodeInPieces(text, encoding, [&](std::string_view bytes) {
				written += bytes;
				calls++;
				return B_OK;
			}, pieceSize), B_OK);
			EXPECT_EQ(written, PageText::Encode(text, encoding));
			EXPECT_GE(calls, 1);
		}
	}
}

TEST(PageText, AFailedPieceStopsTheWritingWithItsStatus)
{
	std::string text(1000, 'a');
	int calls = 0;
	EXPECT_EQ(PageText::EncodeInPieces(text, TextEncoding(), [&](std::string_view) -> status_t {
		if (++calls == 2)
			return B_DEVICE_FULL;
		return B_OK;
	}, 100), B_DEVICE_FULL);
	EXPECT_EQ(calls, 2);
}

TEST_F(PageSaving, PermissionsAndTypeOfTheFileAreKept)
{
	Open("<html><body>x</body></html>");
	chmod((fFolder / "page.html").c_str(), 0640);
	ASSERT_EQ(fPage->Save(), B_OK);
	struct stat info;
	ASSERT_EQ(stat((fFolder / "page.html").c_str(), &info), 0);
	EXPECT_EQ(info.st_mode & 07777, 0640u);
	BNode node((fFolder / "page.html").c_str());
	char type[B_MIME_TYPE_LENGTH] = "";
	if (BNodeInfo(&node).GetType(type) == B_OK) {
		EXPECT_STREQ(type, "text/html");
	}
}

TEST_F(PageSaving, AfterASaveThePageFileIsTheNewFile)
{
	Open("<html><body>x</body></html>");
	ASSERT_EQ(fPage->Save(), B_OK);
	node_ref saved;
	ASSERT_EQ(fPage->File()->GetNodeRef(&saved), B_OK);
	BNode onDisk((fFolder / "page.html").c_str());
	node_ref current;
	ASSERT_EQ(onDisk.GetNodeRef(&current), B_OK);
	EXPECT_EQ(saved, current);
}

TEST(SafeSave, SavingThroughALinkReplacesTheLinkedFileAndKeepsTheLink)
{
	TempDirectory folder;
	mkdir((folder / "real").c_str(), 0755);
	folder.Write("real/page.html", "old text that is longer than the new");
	ASSERT_EQ(symlink((folder / "real/page.html").c_str(), (folder / "link.html").c_str()), 0);
	ASSERT_EQ(SafeSave::Replace((folder / "link.html").c_str(), "new"), B_OK);
	struct stat link;
	ASSERT_EQ(lstat((folder / "link.html").c_str(), &link), 0);
	EXPECT_TRUE(S_ISLNK(link.st_mode));
	EXPECT_EQ(folder.Read("real/page.html"), "new");
}

TEST_F(PageSaving, ALatin1PageIsShownDecodedAndSavedInLatin1)
{
	std::string page = "<html><head><meta http-equiv=\"Content-Type\" "
		"content=\"text/html; charset=iso-8859-1\"></head><body>caf\xE9</body></html>\n";
	Open(page);
	EXPECT_NE(WindowText().find("caf\xC3\xA9"), std::string::npos) << "shown as the letter";
	Type("<p>5 \xE2\x86\x92 6</p>");
	ASSERT_EQ(fPage->Save(), B_OK);
	std::string saved = fFolder.Read("page.html");
	EXPECT_NE(saved.find("caf\xE9"), std::string::npos);
	EXPECT_EQ(saved.find("\xC3\xA9"), std::string::npos);
	EXPECT_NE(saved.find("5 &#8594; 6"), std::string::npos) << "no arrow in Latin-1";
}

TEST_F(PageSaving, AWindows1252PageWithoutDeclarationStaysWindows1252)
{
	Open("<html><body>\x93quoted\x94 na\xEFve</body></html>\n");
	EXPECT_NE(WindowText().find("\xE2\x80\x9Cquoted\xE2\x80\x9D"), std::string::npos);
	Type("<p>\xE2\x80\x9Cnew\xE2\x80\x9D</p>");
	ASSERT_EQ(fPage->Save(), B_OK);
	std::string saved = fFolder.Read("page.html");
	EXPECT_NE(saved.find("\x93quoted\x94 na\xEFve"), std::string::npos);
	EXPECT_NE(saved.find("\x93new\x94"), std::string::npos);
}

TEST_F(PageSaving, SaveAsMovesThePageAndItsScratchFiles)
{
	Open("<html><body>x</body></html>");
	mkdir((fFolder / "other").c_str(), 0755);
	ASSERT_EQ(fPage->SetFile((fFolder / "other/new.html").c_str()), B_OK);
	ASSERT_EQ(fPage->Save(), B_OK);
	EXPECT_NE(fFolder.Read("other/new.html").find("<BODY"), std::string::npos);
	EXPECT_TRUE(fFolder.Exists("other/$VLM-new.html0.html"));
	EXPECT_FALSE(fFolder.Exists("$VLM-page.html0.html"));
	EXPECT_FALSE(fPage->IsUntitled());
	Type("<p>y</p>");
	fPage->UpdateFromHTML(false, nullptr);
	EXPECT_EQ(VisualText().back(), 'y') << "the parser reads the new scratch file";
}

TEST_F(PageSaving, SaveAsToAPlaceThatCannotBeWrittenChangesNothing)
{
	Open("<html><body>x</body></html>");
	EXPECT_NE(fPage->SetFile((fFolder / "missing/new.html").c_str()), B_OK);
	ASSERT_FALSE(sAlerts.empty());
	EXPECT_EQ(sAlerts.back(), "Could not save the page as " + (fFolder / "missing/new.html"));
	EXPECT_STREQ(fPage->File()->FileName(), "page.html");
}

// The user closing a page still being read was asked to save changes
// nobody made: the elements the reading builds made the page unsaved
// until the reading ended.
TEST_F(PageSaving, APageBeingReadIsNeverUnsaved)
{
	std::string body;
	for (int i = 0; i < 2000; i++)
		body += "<p><b>Words</b> and <i>more words</i> in a paragraph.</p>\n";
	fFolder.Write("page.html", "<html><body>" + body + "</body></html>");
	PageTesting::Application();
	fPage = std::make_unique<Page>((fFolder / "page.html").c_str(), 0, PageTesting::Application());
	std::atomic<bool> read{false};
	std::thread reading([this, &read] {
		Load();
		read = true;
	});
	bool everUnsaved = false;
	while (!read)
		everUnsaved = everUnsaved || !fPage->IsSaved();
	reading.join();
	EXPECT_FALSE(everUnsaved);
	EXPECT_TRUE(fPage->IsSaved());
	BPrivate::TypeText(fPage->VisualWindow(), "x");
	BPrivate::WaitForWindowIdle(fPage->VisualWindow());
	EXPECT_FALSE(fPage->IsSaved()) << "an edit after the reading still counts";
}


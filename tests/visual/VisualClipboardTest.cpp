// Copy, cut and paste of the visual view: the run for Velmora, its HTML
// and the text a reader sees for other programs, and what other programs
// put on the clipboard pasted as elements or as typed text.

#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

#include <Clipboard.h>
#include <Message.h>
#include <OS.h>
#include <WindowTesting.h>

#include "PageTesting.h"
#include "ScopedEnvironment.h"

#include "EndLine.h"
#include "HTML_Element.h"
#include "TextChange.h"
#include "visual_support/PastedText.h"

using PageTesting::PageTest;

namespace {

const char* const kCopyingProcess = "VELMORA_TEST_COPYING_PROCESS";

// Each test has a clipboard store of its own, tests run side by side; a
// process a test starts shares the test's.
class VisualClipboard : public PageTest {
protected:
	void SetUp() override
	{
		if (getenv(kCopyingProcess) == nullptr)
			fEnvironment.Set("XDG_RUNTIME_DIR", fStoreFolder.Path());
		fClipboard = std::make_unique<BClipboard>("system");
	}

	void Copy()
	{
		View()->Copy(fClipboard.get());
		Idle();
	}

	void Cut()
	{
		View()->Cut(fClipboard.get());
		Idle();
	}

	void Paste()
	{
		View()->Paste(fClipboard.get());
		Idle();
	}

	void Idle()
	{
		BPrivate::WaitForWindowIdle(VisualWindow());
		Settle();
	}

	// What another program copied.
	void PutOnClipboard(const std::string& text, const std::string& html = std::string())
	{
		ASSERT_TRUE(fClipboard->Lock());
		fClipboard->Clear();
		BMessage* data = fClipboard->Data();
		data->AddData("text/plain", B_MIME_TYPE, text.data(), static_cast<ssize_t>(text.size()),
			false);
		if (!html.empty()) {
			data->AddData("text/html", B_MIME_TYPE, html.data(),
				static_cast<ssize_t>(html.size()), false);
		}
		ASSERT_EQ(fClipboard->Commit(), B_OK);
		fClipboard->Unlock();
	}

	std::string Entry(const char* field)
	{
		std::string value;
		if (!fClipboard->Lock())
			return value;
		const void* bytes = nullptr;
		ssize_t size = 0;
		if (fClipboard->Data()->FindData(field, B_MIME_TYPE, &bytes, &size) == B_OK)
			value.assign(static_cast<const char*>(bytes), static_cast<size_t>(size));
		fClipboard->Unlock();
		return value;
	}

	void UndoOnce()
	{
		{
			BAutolock lock(VisualWindow());
			View()->Undo(nullptr);
		}
		Idle();
	}

	int32 Caret()
	{
		int32 start = 0;
		int32 end = 0;
		BAutolock lock(VisualWindow());
		View()->GetSelection(&start, &end);
		return end;
	}

	TempDirectory fStoreFolder;
	ScopedEnvironment fEnvironment;
	std::unique_ptr<BClipboard> fClipboard;
};

int32 Find(const std::string& text, const char* what)
{
	return static_cast<int32>(text.find(what));
}

} // namespace

// Element spaces are left out, the non-breaking space is U+00A0 and a
// line break is a line end: never a placeholder of the view.
TEST_F(VisualClipboard, TheCopiedPlainTextIsTheTextAReaderSees)
{
	Open("<html><body><p>One <b>bold</b>&nbsp;x<br>two</p><hr>"
		"<p>three <img src=\"none.gif\" width=\"20\" height=\"20\"> four</p></body></html>");
	Select(0, static_cast<int32>(VisualText().size()));
	Copy();
	std::string text = Entry("text/plain");
	EXPECT_NE(text.find("One bold\xC2\xA0x\ntwo"), std::string::npos) << text;
	EXPECT_NE(text.find("three  four"), std::string::npos) << text;
	for (char character : text) {
		EXPECT_TRUE(character == '\n' || static_cast<uint8>(character) >= 0x20)
			<< "control character " << int(character) << " in " << text;
	}
}

// The HTML goes to word processors and browsers: a selection that starts
// inside bold text opens the bold and closes it where it ends.
TEST_F(VisualClipboard, TheCopiedHTMLOpensAndClosesTheStylesOfTheRun)
{
	Open("<html><body>plain <b>bold words</b> after</body></html>");
	std::string shown = VisualText();
	Select(Find(shown, "words"), Find(shown, "after") + 2);
	Copy();
	std::string html = Entry("text/html");
	EXPECT_EQ(html.find("<B>words</B>"), 0u) << html;
	EXPECT_NE(html.find(" af"), std::string::npos) << html;
	EXPECT_EQ(html.find("plain"), std::string::npos) << html;
}

TEST_F(VisualClipboard, AnEmptySelectionLeavesTheClipboardAndThePageAlone)
{
	Open("<html><body>one <b>two</b></body></html>");
	PutOnClipboard("before");
	uint32 count = fClipboard->SystemCount();
	std::string shown = VisualText();
	Select(2, 2);
	Copy();
	Cut();
	EXPECT_EQ(fClipboard->SystemCount(), count);
	EXPECT_EQ(Entry("text/plain"), "before");
	EXPECT_EQ(VisualText(), shown);
}

TEST_F(VisualClipboard, CutTakesTheSelectionAfterPuttingItOnTheClipboardAndUndoBringsItBack)
{
	Open("<html><body>one <b>two</b> three</body></html>");
	std::string shown = VisualText();
	int32 two = Find(shown, "two");
	Select(two, Find(shown, "three"));
	Cut();
	EXPECT_EQ(Body(), "one three");
	EXPECT_EQ(Entry("text/plain"), "two ");
	EXPECT_EQ(Caret(), two);
	EXPECT_TRUE(fPage->VisualWindow()->IsChanged());
	// The cut is one step of undo, which brings the bold back.
	UndoOnce();
	EXPECT_EQ(Body(), "one <B>two</B> three");
}

// A line end becomes a line break as Enter would make it; tabs are spaces,
// runs of spaces one, and control and placeholder characters are dropped:
// none of the bytes acts as a key.
TEST_F(VisualClipboard, PastedPlainTextFollowsTheTypingRulesButIsNeverTakenAsKeys)
{
	Open("<html><body>ab</body></html>");
	PutOnClipboard("one\r\ntwo\t \tthree\x08\x7F\x05\x0F\x1C end\xC2\xA0.");
	Select(1, 1);
	Paste();
	std::string shown = VisualText();
	EXPECT_NE(shown.find("aone"), std::string::npos) << shown;
	EXPECT_NE(shown.find("two three end\x0F.b"), std::string::npos) << shown;
	EXPECT_EQ(shown.find('\x08'), std::string::npos);
	EXPECT_EQ(shown.find('\x1C'), std::string::npos);
	unsigned long breaks = 0;
	for (unsigned long index = 1; index <= List()->LastIndex(); index++) {
		if (At<EndLine>(index) != nullptr && At<EndLine>(index)->HTMLType() == tag_br)
			breaks++;
	}
	EXPECT_EQ(breaks, 1u);
	EXPECT_EQ(Body(), "aone<BR>\r\ntwo three end&nbsp;.b");
	EXPECT_EQ(Caret(), static_cast<int32>(shown.find(".b") + 1));
	UndoOnce();
	EXPECT_EQ(Body(), "ab") << "one undo takes the paste back";
}

// Styles from a browser or a word processor come as elements, through the
// page reader; what would run is left out.
TEST_F(VisualClipboard, HTMLFromAnotherProgramIsPastedAsElementsWithoutItsScripts)
{
	Open("<html><body>start end</body></html>");
	PutOnClipboard("bold and italic",
		"<html><head><title>t</title><style>b {color: red}</style></head><body>"
		"<!--StartFragment--><b>bold</b> and <i onclick=\"steal()\">italic</i>"
		"<script>alert(1)</script><a href=\"javascript:go()\" title=\"x\">link</a>"
		"<!--EndFragment--></body></html>");
	Select(6, 6);
	Paste();
	std::string body = Body();
	EXPECT_NE(body.find("start <B>bold</B> and <I>italic</I>"), std::string::npos) << body;
	EXPECT_EQ(body.find("SCRIPT"), std::string::npos) << body;
	EXPECT_EQ(body.find("alert"), std::string::npos) << body;
	EXPECT_EQ(body.find("steal"), std::string::npos) << body;
	EXPECT_EQ(body.find("javascript"), std::string::npos) << body;
	EXPECT_EQ(body.find("color"), std::string::npos) << body;
	EXPECT_NE(body.find("link"), std::string::npos) << body;
	EXPECT_NE(body.find("end"), std::string::npos) << body;
	EXPECT_TRUE(fPage->VisualWindow()->IsChanged());
	UndoOnce();
	EXPECT_EQ(Body(), "start end") << "one undo takes the paste back";
}

// The run takes the selected words' place: one undo takes the paste back
// whole and gives the words again.
TEST_F(VisualClipboard, ARichPasteWhileTextIsSelectedReplacesTheSelection)
{
	Open("<html><body>keep <b>bold</b> this words</body></html>");
	std::string shown = VisualText();
	Select(Find(shown, "bold"), Find(shown, "bold") + 4);
	Copy();
	Select(Find(shown, "this"), Find(shown, "this") + 4);
	Paste();
	EXPECT_EQ(Body(), "keep <B>bold</B> <B>bold</B> words");
	std::string after = VisualText();
	EXPECT_EQ(Caret(), Find(after, " words"));
	UndoOnce();
	EXPECT_EQ(Body(), "keep <B>bold</B> this words");
}

// An archive written by another build names a tag this one does not know:
// nothing of it is made, and the text that came with it is pasted.
TEST_F(VisualClipboard, AnArchiveNamingAnUnknownTagIsRefusedAndItsTextPasted)
{
	Open("<html><body>one two</body></html>");
	BMessage run;
	BMessage opening;
	opening.AddString("class", "TextChange");
	opening.AddString("_tag", "blinkmarquee");
	opening.AddInt32("_type", StartTag);
	run.AddMessage("0", &opening);
	BMessage text;
	text.AddString("class", "text");
	text.AddString("text", "new");
	run.AddMessage("1", &text);
	PutOnClipboard("new");
	ASSERT_TRUE(fClipboard->Lock());
	fClipboard->Data()->AddMessage("VelmoraClipboard", &run);
	ASSERT_EQ(fClipboard->Commit(), B_OK);
	fClipboard->Unlock();
	unsigned long elements = List()->LastIndex();
	Select(4, 4);
	Paste();
	EXPECT_EQ(VisualText(), "one newtwo");
	EXPECT_EQ(List()->LastIndex(), elements);
}

TEST(PastedTextLines, LineEndsOfEveryConventionSplitAndBadBytesAreReplaced)
{
	EXPECT_EQ(PastedText::Lines("a\r\nb\rc\nd"), (std::vector<std::string>{"a", "b", "c", "d"}));
	EXPECT_EQ(PastedText::Lines("x\n"), (std::vector<std::string>{"x", ""}));
	EXPECT_EQ(PastedText::Lines("\xFF" "a\xC2\x85" "b"),
		(std::vector<std::string>{"\xEF\xBF\xBD" "ab"}));
	EXPECT_EQ(PastedText::Lines("\xC3\xA9  \xE2\x82\xAC"),
		(std::vector<std::string>{"\xC3\xA9 \xE2\x82\xAC"}));
}

namespace {

// This test program started again to run one test: the process that
// copies, with its own address space.
team_id StartCopyingProcess()
{
	char program[PATH_MAX];
	if (realpath("/proc/self/exe", program) == nullptr)
		return B_ERROR;
	const char* argv[] = {program, "--gtest_filter=VisualClipboard.CopiesForAnotherProcess",
		nullptr};
	team_id team = load_image(2, argv, nullptr);
	if (team >= 0)
		resume_thread(team);
	return team;
}

} // namespace

// Run only as the first process of the test below.
TEST_F(VisualClipboard, CopiesForAnotherProcess)
{
	if (getenv(kCopyingProcess) == nullptr)
		GTEST_SKIP() << "the copying process of a test that starts it";
	Open("<html><body>plain <b>bold <i>both</i></b> tail</body></html>");
	std::string shown = VisualText();
	Select(Find(shown, "old"), Find(shown, " tail"));
	Copy();
	EXPECT_FALSE(Entry("text/html").empty());
}

// The run travels through the user's clipboard store: another process
// makes its elements again, styles and all.
TEST_F(VisualClipboard, ARunCopiedInOneProcessIsPastedWithItsStylesInAnother)
{
	fEnvironment.Set(kCopyingProcess, "1");
	team_id copying = StartCopyingProcess();
	fEnvironment.Unset(kCopyingProcess);
	ASSERT_GE(copying, 0);
	status_t result = B_ERROR;
	wait_for_thread(copying, &result);
	ASSERT_EQ(result, 0) << "the copying process failed";

	Open("<html><body>one two</body></html>");
	// The run alone, so that nothing else can bring the styles.
	BMessage run;
	ASSERT_TRUE(fClipboard->Lock());
	ASSERT_EQ(fClipboard->Data()->FindMessage("VelmoraClipboard", &run), B_OK);
	fClipboard->Clear();
	fClipboard->Data()->AddMessage("VelmoraClipboard", &run);
	ASSERT_EQ(fClipboard->Commit(), B_OK);
	fClipboard->Unlock();
	Select(4, 4);
	Paste();
	EXPECT_EQ(Body(), "one <B>old <I>both</I></B>two");
}

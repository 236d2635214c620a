// A page's recovery copy: when one is due, what it holds (the HTML
// window's text, or after work in the visual window the HTML the elements
// write, taken without touching the HTML window), when it goes and when it
// stays, and a restored copy's text and encoding.

#include "PageTesting.h"

#include <filesystem>

#include <WindowTesting.h>

#include "ErrorAlert.h"
#include "KFile.h"
#include "page_support/RecoveryCopy.h"

using PageTesting::PageTest;

namespace {

constexpr bigtime_t kSecond = 1000000;

class PageRecovery : public PageTest {
protected:
	void TearDown() override
	{
		PageTest::TearDown();
		Left();
		BPrivate::SetAlertResponder(nullptr);
	}

	// What the copies left for a later start hold; they are removed.
	std::vector<RecoveryCopy::Contents> Left()
	{
		std::vector<RecoveryCopy::Contents> left;
		for (std::unique_ptr<RecoveryCopy>& copy : RecoveryCopy::Abandoned()) {
			left.push_back(copy->Found());
			copy->Remove();
		}
		return left;
	}

	// As the user types, at the start of the text.
	void TypeIntoTheHTMLWindow(const char* text)
	{
		{
			BAutolock lock(fPage->HTMLWindow());
			fPage->HTMLWindow()->View()->MakeFocus(true);
		}
		ASSERT_EQ(BPrivate::TypeText(fPage->HTMLWindow(), text), B_OK);
		PageTesting::Settle(fPage->HTMLWindow());
	}

	std::string HTMLWindowText()
	{
		BAutolock lock(fPage->HTMLWindow());
		return fPage->HTMLWindow()->View()->Text();
	}
};

} // namespace

TEST(RecoveryCopyTiming, ACopyIsDueAFewSecondsAfterTheLastEditAndEveryMinuteWhileEditsGoOn)
{
	struct Row {
		const char* situation;
		double firstEdit, lastEdit, editEvery;	// seconds
		double askedAt;
		bool due;
	};
	const Row rows[] = {
		{"no edit", 0, -1, 1, 100, false},
		{"an edit just now", 0, 0, 1, 2.9, false},
		{"quiet after an edit", 0, 0, 1, 3.0, true},
		{"edits still going on", 0, 30, 0.5, 30.2, false},
		{"edits going on for a minute", 0, 61, 0.5, 61.2, true},
	};
	for (const Row& row : rows) {
		SCOPED_TRACE(row.situation);
		RecoveryCopy copy;
		for (double at = row.firstEdit; at <= row.lastEdit; at += row.editEvery)
			copy.Edited(static_cast<bigtime_t>(at * kSecond) + kSecond);
		EXPECT_EQ(copy.IsDue(static_cast<bigtime_t>(row.askedAt * kSecond) + kSecond), row.due);
	}
}

TEST_F(PageRecovery, TheCopyOfVisualEditsLeavesTheHTMLWindowAsTheUserLeftIt)
{
	Open("<html><body>abc</body></html>");
	TypeIntoTheHTMLWindow("  ");
	fPage->UpdateFromHTML(false, nullptr);
	HTML_View* html = fPage->HTMLWindow()->View();
	int32 start = 0;
	int32 end = 0;
	bool redo = false;
	undo_state undo;
	std::string text;
	{
		BAutolock lock(fPage->HTMLWindow());
		html->Select(3, 9);
		undo = html->UndoState(&redo);
		text = html->Text();
	}
	Engine()->InsertText("X", 1, 1);
	fPage->VisualWindow()->Changed();

	ASSERT_EQ(fPage->WriteRecoveryCopy(B_INFINITE_TIMEOUT), B_OK);
	{
		BAutolock lock(fPage->HTMLWindow());
		EXPECT_EQ(html->Text(), text);
		html->GetSelection(&start, &end);
		EXPECT_EQ(start, 3);
		EXPECT_EQ(end, 9);
		EXPECT_EQ(html->UndoState(&redo), undo);
		EXPECT_NE(undo, B_UNDO_UNAVAILABLE);
	}
	EXPECT_TRUE(fPage->VisualWindow()->IsChanged()) << "the HTML window still takes it over";

	fPage.reset();
	std::vector<RecoveryCopy::Contents> left = Left();
	ASSERT_EQ(left.size(), 1u) << "a page that goes without a clean close leaves its copy";
	EXPECT_NE(left[0].html.find("\naXbc\n"), std::string::npos) << left[0].html;
	EXPECT_EQ(left[0].html.find('\r'), std::string::npos);
	EXPECT_EQ(left[0].path, fFolder / "page.html");
}

TEST_F(PageRecovery, ASaveOrACloseTheUserAgreedToRemovesTheCopyAndNothingElseDoes)
{
	struct Row {
		const char* situation;
		std::function<void()> act;
		size_t left;
	};
	const Row rows[] = {
		{"saved", [this] { EXPECT_EQ(fPage->Save(), B_OK); }, 0},
		{"closed, its changes not saved as the user chose", [this] {
			BPrivate::SetAlertResponder([](const BPrivate::AlertRecord&) { return 1; });
			EXPECT_TRUE(fPage->Quit());
		}, 0},
		{"a save that fails", [this] {
			std::filesystem::remove_all(fFolder / "sub");
			error_alert_handler old = SetErrorAlertHandler([](const char*) {});
			EXPECT_NE(fPage->Save(), B_OK);
			SetErrorAlertHandler(old);
			EXPECT_FALSE(fPage->IsSaved());
		}, 1},
		{"gone without a close", [] {}, 1},
	};
	for (const Row& row : rows) {
		SCOPED_TRACE(row.situation);
		std::filesystem::create_directories(fFolder / "sub");
		Open("<html><body>x</body></html>", "sub/page.html");
		TypeIntoTheHTMLWindow("<p>y</p>");
		ASSERT_EQ(fPage->WriteRecoveryCopy(B_INFINITE_TIMEOUT), B_OK);
		ASSERT_TRUE(fPage->Recovery()->Exists());
		row.act();
		fPage.reset();
		EXPECT_EQ(Left().size(), row.left);
	}
}

// The page's file name and its text are bytes that need not be UTF-8.
TEST_F(PageRecovery, ARestoredCopyIsThePagesUnsavedTextInItsEncoding)
{
	const std::string latin1 = "<html><head><meta http-equiv=\"Content-Type\" "
		"content=\"text/html; charset=iso-8859-1\"></head><body>caf\xE9</body></html>\n";
	const std::string name = "caf\xE9 \"1\".html";
	Open(latin1, name);
	TypeIntoTheHTMLWindow("<p>5 \xE2\x82\xAC</p>");
	std::string typed = HTMLWindowText();
	ASSERT_EQ(fPage->WriteRecoveryCopy(B_INFINITE_TIMEOUT), B_OK);
	fPage.reset();

	std::vector<std::unique_ptr<RecoveryCopy>> copies = RecoveryCopy::Abandoned();
	ASSERT_EQ(copies.size(), 1u);
	EXPECT_EQ(copies[0]->Found().path, fFolder / name);
	fPage = std::make_unique<Page>((fFolder / name).c_str(), 0, PageTesting::Application());
	Load();
	fPage->Restore(std::move(copies[0]));
	EXPECT_EQ(HTMLWindowText(), typed);
	EXPECT_FALSE(fPage->IsSaved());
	EXPECT_EQ(fPage->Encoding().Name(), "ISO-8859-1");
	EXPECT_NE(VisualText().find("caf\xC3\xA9"), std::string::npos);

	ASSERT_EQ(fPage->Save(), B_OK);
	EXPECT_NE(fFolder.Read(name).find("<P>5 &euro;</P>"), std::string::npos);
	fPage.reset();
	EXPECT_TRUE(Left().empty()) << "the saved page's copy went";
}

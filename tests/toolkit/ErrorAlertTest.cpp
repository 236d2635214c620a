#include "ErrorAlert.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> sShown;

void Record(const char* text)
{
	sShown.push_back(text);
}

} // namespace

// Installs a recording handler and puts the previous one back afterwards.
class ErrorAlertTest : public testing::Test {
protected:
	void SetUp() override
	{
		sShown.clear();
		previous = SetErrorAlertHandler(Record);
	}

	void TearDown() override { SetErrorAlertHandler(previous); }

	error_alert_handler previous = nullptr;
};

TEST_F(ErrorAlertTest, PiecesAreJoinedInOrderWithNullsLeftOut)
{
	ErrorAlert("Could not open the background image file: \"", nullptr, "/site/bg.gif", "\"");
	ErrorAlert("a", "b", "c", "d", "e", "f", "g", "h");
	ErrorAlert(nullptr);
	ASSERT_EQ(sShown.size(), 3u);
	EXPECT_EQ(sShown[0], "Could not open the background image file: \"/site/bg.gif\"");
	EXPECT_EQ(sShown[1], "abcdefgh");
	EXPECT_EQ(sShown[2], "");
}

TEST_F(ErrorAlertTest, DefaultHandlerWritesALineToStandardError)
{
	SetErrorAlertHandler(nullptr);
	testing::internal::CaptureStderr();
	ErrorAlert("Error: ", "disk full");
	EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error: disk full\n");
	EXPECT_TRUE(sShown.empty());
}

#include "ErrorAlert.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "TempDirectory.h"

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
	TempDirectory dir;
	SetErrorAlertHandler(nullptr);
	fflush(stderr);
	int saved = dup(STDERR_FILENO);
	FILE* capture = fopen((dir / "stderr").c_str(), "w");
	ASSERT_NE(capture, nullptr);
	dup2(fileno(capture), STDERR_FILENO);
	ErrorAlert("Error: ", "disk full");
	fflush(stderr);
	dup2(saved, STDERR_FILENO);
	close(saved);
	fclose(capture);
	EXPECT_EQ(dir.Read("stderr"), "Error: disk full\n");
	EXPECT_TRUE(sShown.empty());
}

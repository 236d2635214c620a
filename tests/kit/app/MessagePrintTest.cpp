#include <Message.h>

#include <gtest/gtest.h>

TEST(MessagePrintTest, PrintsNamesValuesAndNestedMessages)
{
	BMessage inner('innr');
	inner.AddString("class", "text");
	BMessage message('rfrs');
	message.AddInt32("start", 5);
	message.AddMessage("0", &inner);
	message.AddData("raw", 0x01020304, "ab", 2);

	testing::internal::CaptureStdout();
	message.PrintToStream();
	std::string printed = testing::internal::GetCapturedStdout();
	EXPECT_NE(printed.find("BMessage('rfrs')"), std::string::npos) << printed;
	EXPECT_NE(printed.find("start = int32(5)"), std::string::npos) << printed;
	EXPECT_NE(printed.find("BMessage('innr')"), std::string::npos) << printed;
	EXPECT_NE(printed.find("class = string(\"text\""), std::string::npos) << printed;
	EXPECT_NE(printed.find("0x01020304 data, 2 bytes"), std::string::npos) << printed;
}

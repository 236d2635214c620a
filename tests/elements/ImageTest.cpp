// A picture is read from its IMG tag and written back: the values the
// element understands in its own spelling, every other attribute as the
// page wrote it, and a picture that cannot be read exactly as it was.

#include <memory>
#include <string>
#include <vector>

#include <Message.h>

#include "ErrorAlert.h"
#include "ImageTools.h"
#include "ModelTesting.h"
#include "TestPictures.h"
#include "WImage.h"

using ModelTesting::ModelPage;
using ModelTesting::ModelTest;

namespace {

std::vector<std::string>* sAlerts = nullptr;

class ImageTest : public ModelTest {
protected:
	void SetUp() override
	{
		sAlerts = &fAlerts;
		fOldHandler = SetErrorAlertHandler([](const char* text) { sAlerts->push_back(text); });
	}

	void TearDown() override
	{
		SetErrorAlertHandler(fOldHandler);
		ModelTest::TearDown();
	}

	// A page whose folder holds a 100 x 50 picture "pic.png".
	ModelPage* OpenWithPicture(const std::string& body)
	{
		fPage = std::make_unique<ModelPage>();
		EXPECT_TRUE(WritePicture(fPage->Folder() / "pic.png", 100, 50, {200, 0, 0, 255}));
		fPage->Read("<html><body>" + body + "</body></html>");
		Settle();
		return fPage.get();
	}

	std::vector<WImage*> Images() const
	{
		std::vector<WImage*> images;
		for (unsigned long i = 1; i <= List()->LastIndex(); i++) {
			if (WImage* image = At<WImage>(i))
				images.push_back(image);
		}
		return images;
	}

	std::vector<std::string> fAlerts;
	error_alert_handler fOldHandler = nullptr;
};

} // namespace

TEST_F(ImageTest, AttributesAreWrittenBackInTheElementsSpellingAndTheRestAsRead)
{
	OpenWithPicture("a <img src=\"pic.png\" align=center> b "
		"<img src=\"pic.png\" alt=\"x\" width=\"40\" height=\"20\" align=left hspace=3 border=2>"
		" c <img src=\"./pic.png\" align=abs>");
	ASSERT_EQ(Images().size(), 3u);
	for (WImage* image : Images())
		EXPECT_TRUE(image->IsLoaded());
	std::string body = Body();
	EXPECT_NE(body.find("<IMG SRC=\"pic.png\" ALT=\"pic.png\" WIDTH=\"100\" HEIGHT=\"50\" "
		"ALIGN=\"MIDDLE\" BORDER=\"0\">"), std::string::npos) << body;
	EXPECT_NE(body.find("<IMG SRC=\"pic.png\" ALT=\"x\" WIDTH=\"40\" HEIGHT=\"20\" "
		"BORDER=\"2\" align=\"left\" hspace=\"3\">"), std::string::npos) << body;
	EXPECT_NE(body.find("<IMG SRC=\"./pic.png\" ALT=\"pic.png\" WIDTH=\"100\" HEIGHT=\"50\" "
		"ALIGN=\"ABSCENTER\" BORDER=\"0\">"), std::string::npos) << body;

	// WIDTH and HEIGHT give the size shown, and the room in the text.
	WImage* small = Images()[1];
	EXPECT_EQ(small->WBounds(), BRect(0, 0, 39, 19));
	Element_List_Item item = small->ElementListItem();
	EXPECT_GT(item.spaceTo, item.spaceFrom);

	// A copy made from the archive writes the same tag.
	BMessage archive;
	small->Archive(&archive);
	std::string before = body;
	Page_Element* copy = nullptr;
	{
		BAutolock lock(Engine());
		copy = Engine()->Instantiate(&archive, 0);
	}
	ASSERT_NE(dynamic_cast<WImage*>(copy), nullptr);
	EXPECT_EQ(static_cast<WImage*>(copy)->WBounds(), BRect(0, 0, 39, 19));
	EXPECT_EQ(Body().find("<IMG SRC=\"pic.png\" ALT=\"x\" WIDTH=\"40\" HEIGHT=\"20\" BORDER=\"2\" "
		"align=\"left\" hspace=\"3\">"), 0u) << Body();
}

// What the page writes reads back to the same pictures, SRC for SRC.
TEST_F(ImageTest, RelativeAndAbsolutePathsFindThePictureAgainAfterASave)
{
	TempDirectory elsewhere;
	std::string absolute = elsewhere / "elsewhere.png";
	ASSERT_TRUE(WritePicture(absolute, 10, 10, {0, 0, 0, 255}));
	OpenWithPicture("<img src=\"pic.png\"> <img src=\"" + absolute + "\">");
	ASSERT_EQ(Images().size(), 2u);
	std::string written = Generated();
	fPage->Read(written);
	Settle();
	ASSERT_EQ(Images().size(), 2u);
	EXPECT_TRUE(Images()[0]->IsLoaded());
	EXPECT_TRUE(Images()[1]->IsLoaded());
	EXPECT_STREQ(Images()[0]->Src(), "pic.png");
	EXPECT_EQ(Images()[1]->Src(), absolute);
	EXPECT_EQ(Generated(), written);
	EXPECT_TRUE(fAlerts.empty());
}

TEST_F(ImageTest, PicturesThatCannotBeReadKeepTheirTagsAndAreToldOfOnce)
{
	fPage = std::make_unique<ModelPage>();
	fPage->Folder().Write("broken.gif", "GIF89a this is no picture");
	fPage->Read("<html><body>"
		"<img src=\"gone.png\" alt=\"a\" align=center> "
		"<img src=\"broken.gif\" width=\"30%\" lowsrc=\"x.gif\"></body></html>");
	Settle();
	ASSERT_EQ(Images().size(), 2u);
	for (WImage* image : Images()) {
		EXPECT_FALSE(image->IsLoaded());
		EXPECT_TRUE(image->IsPlaceholder()) << "a frame shows where it stands";
	}
	EXPECT_EQ(Body(), "<IMG src=\"gone.png\" alt=\"a\" align=\"center\"> "
		"<IMG src=\"broken.gif\" width=\"30%\" lowsrc=\"x.gif\">");
	int listed = 0;
	for (const std::string& report : fPage->Reports()) {
		if (report.find("image file: ") != std::string::npos)
			listed++;
	}
	EXPECT_EQ(listed, 2) << "each picture is in the error list";
	ASSERT_EQ(fAlerts.size(), 1u);
	EXPECT_NE(fAlerts[0].find("2 pictures"), std::string::npos) << fAlerts[0];
}

TEST_F(ImageTest, APictureOnTheWebIsNotFetchedButHasItsRoomAndKeepsItsTag)
{
	fPage = std::make_unique<ModelPage>();
	fPage->Read("<html><body>a <img src=\"http://example.com/a.png\" width=\"50\" "
		"height=\"30\" align=\"left\"> b <img src=\"https://example.com/b.gif\"></body></html>");
	Settle();
	ASSERT_EQ(Images().size(), 2u);
	EXPECT_TRUE(Images()[0]->IsPlaceholder());
	EXPECT_EQ(Images()[0]->WBounds(), BRect(0, 0, 49, 29));
	EXPECT_EQ(Images()[1]->WBounds(), BRect(0, 0, 23, 23)) << "a small frame without a size";
	EXPECT_EQ(Body(), "a <IMG src=\"http://example.com/a.png\" width=\"50\" height=\"30\" "
		"align=\"left\"> b <IMG src=\"https://example.com/b.gif\">");
	EXPECT_TRUE(fAlerts.empty());
}

TEST_F(ImageTest, PathsResolveAgainstThePageAndBackToIt)
{
	std::string path;
	EXPECT_FALSE(ImageTools::AbsoluteImagePath(path, "a.png", nullptr));
	ImageTools::AbsoluteImagePath(path, "../pics/./a.png", "/home/u/site/page.html");
	EXPECT_EQ(path, "/home/u/pics/a.png");
	EXPECT_FALSE(ImageTools::AbsoluteImagePath(path, "HTTP://host/a.png", "/p/page.html"));
	EXPECT_EQ(path, "HTTP://host/a.png");

	EXPECT_EQ(ImageTools::RelativeImagePath("/home/u/pics/a.png", "/home/u/site/page.html"),
		"../pics/a.png");
	EXPECT_EQ(ImageTools::RelativeImagePath("/home/u/pics/a.png", nullptr),
		"/home/u/pics/a.png") << "an untitled page has no folder";
	EXPECT_EQ(ImageTools::RelativeImagePath("/opt/a.png", "/home/page.html"), "/opt/a.png");
}

#include <Artwork.h>

#include <cstdlib>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include <Bitmap.h>
#include <TranslationUtils.h>

#include <Canvas.h>
#include <GifWriter.h>
#include <PictureFiles.h>

#include "BitmapPixels.h"
#include "TempDirectory.h"
#include "TestFonts.h"

using Testing::ColourAt;
using Testing::Difference;
using Testing::HeightOf;
using Testing::WidthOf;

namespace {

const std::string kBinaryDir = VELMORA_BINARY_DIR;
const std::string kTool = kBinaryDir + "/resources/make_resources";

std::unique_ptr<BBitmap> Draw(int width, int height, void (*draw)(cairo_t*))
{
	Canvas canvas(width, height);
	draw(canvas.Context());
	return canvas.ToBitmap();
}

std::unique_ptr<BBitmap> Decode(const std::string& bytes)
{
	return std::unique_ptr<BBitmap>(BTranslationUtils::GetBitmap(bytes.data(), bytes.size()));
}

struct Likeness {
	double meanDifference = 0;
	int worstDifference = 0;
};

Likeness Compare(const BBitmap& a, const BBitmap& b)
{
	Likeness likeness;
	double total = 0;
	for (int y = 0; y < HeightOf(a); y++) {
		for (int x = 0; x < WidthOf(a); x++) {
			int difference = Difference(ColourAt(a, x, y), ColourAt(b, x, y));
			total += difference;
			likeness.worstDifference = std::max(likeness.worstDifference, difference);
		}
	}
	likeness.meanDifference = total / (WidthOf(a) * HeightOf(a));
	return likeness;
}

int RunTool(const std::string& arguments)
{
	std::string command = "'" + kTool + "' " + arguments + " 2>/dev/null";
	int status = std::system(command.c_str());
	return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void DrawAboutFirstVersion(cairo_t* context)
{
	Artwork::DrawAbout(context, "0.1");
}

} // namespace

TEST(AboutPicture, SurvivesItsReductionToAGifOf256Colours)
{
	std::unique_ptr<BBitmap> about = Draw(Artwork::kAboutWidth, Artwork::kAboutHeight,
		DrawAboutFirstVersion);
	ASSERT_NE(about, nullptr);
	std::string gif;
	ASSERT_EQ(GifWriter::Encode(*about, &gif), B_OK);
	std::unique_ptr<BBitmap> decoded = Decode(gif);
	ASSERT_NE(decoded, nullptr) << BTranslationUtils::LastErrorText();
	ASSERT_EQ(WidthOf(*decoded), 360);
	ASSERT_EQ(HeightOf(*decoded), 240);
	Likeness likeness = Compare(*about, *decoded);
	EXPECT_LT(likeness.meanDifference, 2.0);
	EXPECT_LE(likeness.worstDifference, 40);
}

TEST(TestPicture, EncodesAsAJpegThatDecodesToTheSamePicture)
{
	std::unique_ptr<BBitmap> picture = Draw(Artwork::kTestWidth, Artwork::kTestHeight,
		Artwork::DrawTestPicture);
	ASSERT_NE(picture, nullptr);
	std::string jpeg;
	ASSERT_EQ(PictureFiles::EncodeJPEG(*picture, 90, &jpeg), B_OK);
	EXPECT_EQ(jpeg.compare(0, 3, "\xff\xd8\xff"), 0);
	std::unique_ptr<BBitmap> decoded = Decode(jpeg);
	ASSERT_NE(decoded, nullptr) << BTranslationUtils::LastErrorText();
	ASSERT_EQ(WidthOf(*decoded), 160);
	ASSERT_EQ(HeightOf(*decoded), 120);
	EXPECT_LT(Compare(*picture, *decoded).meanDifference, 4.0);
}

TEST(TestPicture, QualityOutsideTheScaleIsRefused)
{
	std::unique_ptr<BBitmap> picture = Draw(8, 8, Artwork::DrawTestPicture);
	std::string jpeg;
	EXPECT_EQ(PictureFiles::EncodeJPEG(*picture, 0, &jpeg), B_BAD_VALUE);
	EXPECT_EQ(PictureFiles::EncodeJPEG(*picture, 101, &jpeg), B_BAD_VALUE);
}

TEST(BuiltFiles, ThePicturesBesideTheProgramDecodeAndTheIconHasATransparentGround)
{
	for (const char* file : {"/Documentation/images/About.gif", "/Documentation/images/Test.jpg"})
		EXPECT_NE(Decode(Testing::ReadFile(kBinaryDir + file)), nullptr) << file;
	std::unique_ptr<BBitmap> icon = Decode(Testing::ReadFile(kBinaryDir + "/velmora.png"));
	ASSERT_NE(icon, nullptr) << "the velmora_resources target was not built";
	EXPECT_EQ(ColourAt(*icon, 127, 0).alpha, 0);
	EXPECT_EQ(ColourAt(*icon, 80, 80).alpha, 255);
}

TEST(Tool, WritesEveryFileAskedFor)
{
	TempDirectory folder;
	ASSERT_EQ(RunTool("--archive '" + folder / "a.rsrc" + "' --images '" + folder / "doc/images"
		+ "' --version 2.5 --icon '" + folder / "icon.png" + "' --pngs '" + folder / "pngs"
		+ "'"), 0);
	for (const char* file : {"a.rsrc", "doc/images/About.gif", "doc/images/Test.jpg", "icon.png",
			"pngs/butNew.png", "pngs/StartUpLogo.png", "pngs/VudavNoteIcon.png"})
		EXPECT_TRUE(folder.Exists(file)) << file;
	EXPECT_FALSE(folder.Exists("icon.png.part"));
}

TEST(Tool, RefusesCommandLinesItCannotCarryOut)
{
	TempDirectory folder;
	EXPECT_EQ(RunTool(""), 2);
	EXPECT_EQ(RunTool("--images '" + folder.Path() + "'"), 2) << "no version for the About picture";
	EXPECT_EQ(RunTool("--archive"), 2);
	EXPECT_EQ(RunTool("--colour red"), 2);
	EXPECT_EQ(RunTool("--archive '" + folder / "none/a.rsrc" + "'"), 1);
	EXPECT_FALSE(folder.Exists("none"));
}

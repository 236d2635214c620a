#include <interface_support/Painter.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include <Bitmap.h>

#include "SurfacePixels.h"
#include "TestFonts.h"

using BPrivate::Painter;
using Testing::IsNear;
using Testing::PixelAt;

namespace {

const rgb_color kWhite = {255, 255, 255, 255};
const rgb_color kBlack = {0, 0, 0, 255};
const rgb_color kRed = {255, 0, 0, 255};
const rgb_color kGreen = {0, 255, 0, 255};
const rgb_color kBlue = {0, 0, 255, 255};
const rgb_color kCyan = {0, 255, 255, 255};
const rgb_color kYellow = {255, 255, 0, 255};

// Pixels are written as one character each: '#' black, '.' white, 'r'
// red, 'g' green, 'b' blue, 'c' cyan, 'y' yellow.
rgb_color ColourOf(char ink)
{
	switch (ink) {
		case 'r': return kRed;
		case 'g': return kGreen;
		case 'b': return kBlue;
		case 'c': return kCyan;
		case 'y': return kYellow;
		case '#': return kBlack;
		default: return kWhite;
	}
}

// An opaque B_RGBA32 bitmap whose pixels are given row by row as inks.
std::unique_ptr<BBitmap> MakeBitmap(int width, int height, const char* inks)
{
	auto bitmap = std::make_unique<BBitmap>(BRect(0, 0, width - 1, height - 1), B_RGBA32);
	uint8* bits = static_cast<uint8*>(bitmap->Bits());
	for (int i = 0; inks[i] != '\0'; i++) {
		rgb_color color = ColourOf(inks[i]);
		uint8 pixel[] = {color.blue, color.green, color.red, 255};
		memcpy(bits + i * 4, pixel, 4);
	}
	return bitmap;
}

class PainterTest : public testing::Test {
protected:
	explicit PainterTest(int width = 80, int height = 60)
		:
		fWidth(width),
		fSurface(Testing::MakeSurface(width, height, kWhite)),
		fPainter(fSurface.get())
	{
	}

	rgb_color At(int x, int y) { return PixelAt(fSurface.get(), x, y); }
	bool IsWhite(int x, int y) { return At(x, y) == kWhite; }

	int RightmostInk(int top, int bottom)
	{
		for (int x = fWidth - 1; x >= 0; x--) {
			for (int y = top; y <= bottom; y++) {
				if (!IsWhite(x, y))
					return x;
			}
		}
		return -1;
	}

	int fWidth;
	Testing::SurfacePointer fSurface;
	Painter fPainter;
};

// A run of pixels from (x, y) to the right, as inks.
struct InkRun {
	int x;
	int y;
	const char* inks;
};

struct DrawingCase {
	const char* name;
	std::function<void(Painter&)> draw;
	std::vector<InkRun> expected;
};

void PrintTo(const DrawingCase& row, std::ostream* out)
{
	*out << row.name;
}

class PainterDrawing : public PainterTest, public testing::WithParamInterface<DrawingCase> {};

TEST_P(PainterDrawing, PixelsLandWhereTheCoordinatesSay)
{
	GetParam().draw(fPainter);
	for (const InkRun& run : GetParam().expected) {
		for (int i = 0; run.inks[i] != '\0'; i++) {
			EXPECT_TRUE(At(run.x + i, run.y) == ColourOf(run.inks[i]))
				<< "at " << run.x + i << "," << run.y << ": " << At(run.x + i, run.y)
				<< ", expected '" << run.inks[i] << "'";
		}
	}
	EXPECT_EQ(cairo_status(fPainter.Context()), CAIRO_STATUS_SUCCESS);
}

INSTANTIATE_TEST_SUITE_P(Shapes, PainterDrawing, testing::Values(
	DrawingCase{"DrawingStaysInsideTheSurfaceClippingUntilItIsLifted",
		[](Painter& p) {
			BRegion allowed(BRect(0, 0, 9, 9));
			allowed.Include(BRect(20, 0, 29, 9));
			p.SetClipping(&allowed);
			p.FillRect(BRect(0, 0, 40, 9));
			p.SetClipping(nullptr);
			p.FillRect(BRect(40, 5, 40, 5));
		},
		{{9, 5, "#..........#"}, {29, 5, "#."}, {40, 5, "#"}, {5, 10, "."}}},
	DrawingCase{"BadCoordinatesDoNotStopLaterDrawing",
		[](Painter& p) {
			p.StrokeLine(BPoint(0, 0), BPoint(NAN, 3));
			p.FillEllipse(BPoint(10, 10), 0, 5);
			p.FillRect(BRect(2, 2, 3, 3));
		},
		{{3, 3, "#"}}},
	DrawingCase{"SourceBeyondTheBitmapDrawsOnlyTheBitmap",
		[](Painter& p) {
			p.DrawBitmap(MakeBitmap(2, 1, "rb").get(), BRect(0, 0, 3, 0), BRect(10, 10, 13, 10));
		},
		{{10, 10, "rb."}}},
	DrawingCase{"HugeBitmapSourceIsLimitedToTheBitmap",
		[](Painter& p) {
			std::unique_ptr<BBitmap> bitmap = MakeBitmap(1, 1, "r");
			p.DrawBitmap(bitmap.get(), BRect(-1e30f, -1e30f, 1e30f, 1e30f), BRect(0, 0, 9, 9));
			p.DrawBitmap(bitmap.get(), BRect(0, 0, 0, 0), BRect(20, 20, 20, 20));
		},
		{{20, 20, "r"}}},
	DrawingCase{"CopyBitsFromBeyondTheSurfaceCopiesOnlyItsPixels",
		[](Painter& p) {
			p.SetHighColor(kRed);
			p.FillRect(BRect(0, 0, 3, 3));
			p.CopyBits(BRect(-1000000, -2, 3, 3), BRect(-1000000 + 20, 18, 23, 23));
			p.CopyBits(BRect(0, 0, 1e30f, 1e30f), BRect(40, 40, 1e30f, 1e30f));
		},
		{{19, 20, ".r"}, {23, 23, "r."}, {41, 41, "r"}}}),
	[](const testing::TestParamInfo<DrawingCase>& info) { return std::string(info.param.name); });

TEST_F(PainterTest, BitmapAlphaBlendsOverTheBackgroundExceptInCopyMode)
{
	fPainter.SetHighColor(kBlue);
	fPainter.FillRect(BRect(0, 0, 79, 59));
	BBitmap bitmap(BRect(0, 0, 1, 0), B_RGBA32);
	const uint8 pixels[] = {0, 0, 255, 128, 0, 255, 0, 0};
	bitmap.SetBits(pixels, sizeof(pixels), 0, B_RGBA32);
	const drawing_mode modes[] = {B_OP_ALPHA, B_OP_OVER, B_OP_COPY};
	for (int row = 0; row < 3; row++) {
		fPainter.SetDrawingMode(modes[row]);
		fPainter.DrawBitmap(&bitmap, BPoint(0, 2 * row));
	}
	for (int y : {0, 2}) {
		EXPECT_TRUE(IsNear(At(0, y), make_color(128, 0, 127), 1)) << At(0, y);
		EXPECT_EQ(At(1, y), kBlue);
	}
	EXPECT_EQ(At(0, 4), kRed);
	EXPECT_EQ(At(1, 4), kGreen);
}

TEST(PainterWithoutSurface, DrawsNothingAndDoesNotCrash)
{
	Painter painter;
	painter.FillRect(BRect(0, 0, 5, 5));
	painter.DrawString("text", BPoint(0, 10));
	BRegion clipping;
	painter.GetClippingRegion(&clipping);
	EXPECT_EQ(clipping.CountRects(), 0);
}

// ---- Text

class PainterTextTest : public PainterTest {
protected:
	PainterTextTest() : PainterTest(400, 60) {}

	void DrawBlack(const char* text, BPoint where, const BFont& font)
	{
		fPainter.SetFont(&font);
		fPainter.SetHighColor(kBlack);
		fPainter.DrawString(text, where);
	}
};

TEST_F(PainterTextTest, StringDrawnEndsWhereItWasMeasured)
{
	// A long run of mixed characters: any difference between the measured
	// and the drawn advances adds up to whole pixels by the last glyph.
	std::string text = "Mixed t\xC3\xA9xt, \xC3\xBC" "ber 40 caf\xC3\xA9s & more ink";
	BFont font = *be_plain_font;
	float width = font.StringWidth(text.c_str());
	ASSERT_LT(width, 380);
	DrawBlack((text + "|").c_str(), BPoint(2, 20), font);
	DrawBlack("|", BPoint(2 + width, 40), font);
	int together = RightmostInk(5, 25);
	ASSERT_GE(together, 0);
	EXPECT_NEAR(together, RightmostInk(30, 45), 1);
	EXPECT_FLOAT_EQ(fPainter.PenLocation().x, 2 + width + font.StringWidth("|"));
}

TEST_F(PainterTextTest, InvalidUTF8IsDrawnAndLaterDrawingStillWorks)
{
	BFont font = *be_plain_font;
	DrawBlack("a\xFF\xFE" "b", BPoint(2, 15), font);
	EXPECT_EQ(cairo_status(fPainter.Context()), CAIRO_STATUS_SUCCESS);
	EXPECT_FLOAT_EQ(fPainter.PenLocation().x, 2 + font.StringWidth("a\xFF\xFE" "b"));
	DrawBlack("ok", BPoint(2, 40), font);
	EXPECT_GE(RightmostInk(30, 40), 2);
}

TEST(PainterThreads, WindowsDrawTheSameFontsWhileOthersMeasure)
{
	// Each thread has its own surface, as each window does; the fonts and
	// their caches are shared.
	const char* text = "Shared f\xC3\xB6nts \xC7\x84 \xE4\xB8\x80 drawn at once";
	std::vector<std::thread> threads;
	std::vector<int> inkColumns(4, -1);
	for (int t = 0; t < 4; t++) {
		threads.emplace_back([t, text, &inkColumns] {
			Testing::SurfacePointer surface = Testing::MakeSurface(300, 30, kWhite);
			Painter painter(surface.get());
			BFont font = *be_plain_font;
			font.SetSize(31 + t % 2);
			painter.SetFont(&font);
			for (int round = 0; round < 20; round++) {
				painter.DrawString(text, BPoint(0, 25));
				EXPECT_GT(font.StringWidth(text), 0);
			}
			for (int x = 0; x < 300; x++) {
				for (int y = 0; y < 30; y++) {
					if (PixelAt(surface.get(), x, y) != kWhite)
						inkColumns[t] = x;
				}
			}
		});
	}
	for (std::thread& thread : threads)
		thread.join();
	EXPECT_GT(inkColumns[0], 100);
	EXPECT_EQ(inkColumns[0], inkColumns[2]);
	EXPECT_EQ(inkColumns[1], inkColumns[3]);
}

} // namespace

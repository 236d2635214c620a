#include <interface_support/Painter.h>

#include <cmath>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include <Bitmap.h>
#include <Polygon.h>

#include "SurfacePixels.h"
#include "TestFonts.h"

using BPrivate::Painter;
using Testing::IsNear;
using Testing::PixelAt;

namespace {

const rgb_color kWhite = {255, 255, 255, 255};
const rgb_color kBlack = {0, 0, 0, 255};
const rgb_color kRed = {255, 0, 0, 255};
const rgb_color kBlue = {0, 0, 255, 255};

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

	// Columns of a row (or rows of a column) that are not white.
	std::string InkOfRow(int y, int from, int to)
	{
		std::string ink;
		for (int x = from; x <= to; x++)
			ink += IsWhite(x, y) ? '.' : '#';
		return ink;
	}

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

BBitmap* MakeBitmap(int width, int height, std::initializer_list<rgb_color> pixels)
{
	BBitmap* bitmap = new BBitmap(BRect(0, 0, width - 1, height - 1), B_RGBA32);
	uint8* bits = static_cast<uint8*>(bitmap->Bits());
	int i = 0;
	for (rgb_color color : pixels) {
		bits[i * 4] = color.blue;
		bits[i * 4 + 1] = color.green;
		bits[i * 4 + 2] = color.red;
		bits[i * 4 + 3] = color.alpha;
		i++;
	}
	return bitmap;
}

} // namespace

// ---- Lines

TEST_F(PainterTest, OnePixelLineCoversExactlyThePixelsBetweenItsEnds)
{
	fPainter.StrokeLine(BPoint(0, 0), BPoint(9, 0));
	EXPECT_EQ(InkOfRow(0, 0, 11), "##########..");
	EXPECT_EQ(InkOfRow(1, 0, 11), "............");
	for (int x = 0; x <= 9; x++)
		EXPECT_EQ(At(x, 0), kBlack) << "smeared at " << x;
	EXPECT_EQ(fPainter.PenLocation(), BPoint(9, 0));
}

TEST_F(PainterTest, LinesAreDrawnRelativeToTheOrigin)
{
	fPainter.SetOrigin(BPoint(5, 7));
	fPainter.StrokeLine(BPoint(0, 0), BPoint(0, 4));
	for (int y = 7; y <= 11; y++)
		EXPECT_EQ(At(5, y), kBlack);
	EXPECT_TRUE(IsWhite(5, 6));
	EXPECT_TRUE(IsWhite(5, 12));
	EXPECT_TRUE(IsWhite(4, 9));
	EXPECT_TRUE(IsWhite(6, 9));
}

TEST_F(PainterTest, ReversedAndSinglePointLines)
{
	fPainter.StrokeLine(BPoint(9, 2), BPoint(3, 2));
	EXPECT_EQ(InkOfRow(2, 2, 10), ".#######.");
	fPainter.StrokeLine(BPoint(20, 20), BPoint(20, 20));
	EXPECT_EQ(InkOfRow(20, 19, 21), ".#.");
	EXPECT_TRUE(IsWhite(20, 19));
	EXPECT_TRUE(IsWhite(20, 21));
}

TEST_F(PainterTest, WidePenGrowsAcrossTheLine)
{
	fPainter.SetPenSize(3);
	fPainter.StrokeLine(BPoint(2, 10), BPoint(8, 10));
	EXPECT_TRUE(IsWhite(5, 8));
	EXPECT_EQ(At(5, 9), kBlack);
	EXPECT_EQ(At(5, 10), kBlack);
	EXPECT_EQ(At(5, 11), kBlack);
	EXPECT_TRUE(IsWhite(5, 12));
	EXPECT_EQ(InkOfRow(10, 1, 9), ".#######.");
}

TEST_F(PainterTest, SlantedLineReachesBothEnds)
{
	fPainter.StrokeLine(BPoint(0, 0), BPoint(9, 9));
	EXPECT_LT(At(0, 0).red, 128);
	EXPECT_LT(At(9, 9).red, 128);
	EXPECT_LT(At(5, 5).red, 128);
	EXPECT_TRUE(IsWhite(0, 9));
	EXPECT_TRUE(IsWhite(9, 0));
	EXPECT_TRUE(IsWhite(11, 11));
}

TEST_F(PainterTest, LineArrayDrawsEachLineInItsColourAndKeepsTheHighColour)
{
	fPainter.SetHighColor(kBlue);
	fPainter.BeginLineArray(2);
	fPainter.AddLine(BPoint(0, 0), BPoint(4, 0), kRed);
	fPainter.AddLine(BPoint(0, 2), BPoint(4, 2), kBlack);
	EXPECT_TRUE(IsWhite(0, 0));
	fPainter.EndLineArray();
	EXPECT_EQ(At(4, 0), kRed);
	EXPECT_EQ(At(4, 2), kBlack);
	EXPECT_EQ(fPainter.HighColor(), kBlue);
}

// ---- Rectangles

TEST_F(PainterTest, FilledRectIncludesItsRightAndBottomEdges)
{
	fPainter.FillRect(BRect(2, 3, 5, 6));
	EXPECT_EQ(InkOfRow(3, 0, 7), "..####..");
	EXPECT_EQ(InkOfRow(6, 0, 7), "..####..");
	EXPECT_EQ(InkOfRow(2, 0, 7), "........");
	EXPECT_EQ(InkOfRow(7, 0, 7), "........");
	EXPECT_EQ(At(5, 6), kBlack);
}

TEST_F(PainterTest, InvalidRectDrawsNothing)
{
	fPainter.FillRect(BRect(5, 5, 4, 9));
	fPainter.StrokeRect(BRect(5, 5, 9, 4));
	for (int y = 0; y < 12; y++)
		EXPECT_EQ(InkOfRow(y, 0, 12), ".............");
}

TEST_F(PainterTest, StrokedRectDrawsOnlyItsFrame)
{
	fPainter.StrokeRect(BRect(2, 2, 8, 6));
	EXPECT_EQ(InkOfRow(2, 0, 10), "..#######..");
	EXPECT_EQ(InkOfRow(4, 0, 10), "..#.....#..");
	EXPECT_EQ(InkOfRow(6, 0, 10), "..#######..");
	EXPECT_EQ(InkOfRow(7, 0, 10), "...........");
}

TEST_F(PainterTest, InvertedFrameInvertsCornersOnlyOnce)
{
	fPainter.SetDrawingMode(B_OP_INVERT);
	fPainter.StrokeRect(BRect(2, 2, 8, 6));
	EXPECT_EQ(At(2, 2), kBlack);
	EXPECT_EQ(At(8, 6), kBlack);
	EXPECT_EQ(At(5, 2), kBlack);
	EXPECT_TRUE(IsWhite(5, 4));
}

TEST_F(PainterTest, InvertRectInvertsWhateverIsThere)
{
	fPainter.SetHighColor(kRed);
	fPainter.FillRect(BRect(0, 0, 9, 9));
	fPainter.SetDrawingMode(B_OP_OVER);
	fPainter.InvertRect(BRect(5, 5, 14, 14));
	EXPECT_EQ(At(4, 4), kRed);
	EXPECT_EQ(At(5, 5), make_color(0, 255, 255));
	EXPECT_EQ(At(14, 14), kBlack);
	EXPECT_TRUE(IsWhite(15, 15));
	EXPECT_EQ(fPainter.DrawingMode(), B_OP_OVER);
}

// ---- Drawing modes and patterns

struct ModeCase {
	const char* name;
	drawing_mode mode;
	rgb_color high;
	rgb_color expected;
};

void PrintTo(const ModeCase& modeCase, std::ostream* out)
{
	*out << modeCase.name;
}

class PainterModeTest : public PainterTest, public testing::WithParamInterface<ModeCase> {};

TEST_P(PainterModeTest, FillsOverGreyAsTheModeSays)
{
	const rgb_color grey = {100, 100, 100, 255};
	fPainter.SetHighColor(grey);
	fPainter.FillRect(BRect(0, 0, 9, 9));
	fPainter.SetDrawingMode(GetParam().mode);
	fPainter.SetHighColor(GetParam().high);
	fPainter.SetLowColor(kBlue);
	fPainter.FillRect(BRect(0, 0, 9, 9));
	EXPECT_TRUE(IsNear(At(5, 5), GetParam().expected, 2)) << At(5, 5);
}

INSTANTIATE_TEST_SUITE_P(Modes, PainterModeTest, testing::Values(
	ModeCase{"CopyIgnoresAlpha", B_OP_COPY, {255, 0, 0, 60}, {255, 0, 0, 255}},
	ModeCase{"OverIgnoresAlpha", B_OP_OVER, {255, 0, 0, 60}, {255, 0, 0, 255}},
	ModeCase{"AlphaBlends", B_OP_ALPHA, {200, 0, 0, 128}, {150, 50, 50, 255}},
	ModeCase{"EraseUsesTheLowColour", B_OP_ERASE, {255, 0, 0, 255}, {0, 0, 255, 255}},
	ModeCase{"InvertIgnoresTheColour", B_OP_INVERT, {255, 0, 0, 255}, {155, 155, 155, 255}},
	ModeCase{"AddSaturates", B_OP_ADD, {200, 20, 0, 255}, {255, 120, 100, 255}},
	ModeCase{"SubtractStopsAtZero", B_OP_SUBTRACT, {200, 20, 0, 255}, {0, 80, 100, 255}},
	ModeCase{"MinTakesTheDarker", B_OP_MIN, {200, 20, 100, 255}, {100, 20, 100, 255}},
	ModeCase{"MaxTakesTheLighter", B_OP_MAX, {200, 20, 100, 255}, {200, 100, 100, 255}},
	ModeCase{"BlendAverages", B_OP_BLEND, {200, 0, 100, 255}, {150, 50, 100, 255}}),
	[](const testing::TestParamInfo<ModeCase>& info) { return std::string(info.param.name); });

TEST_F(PainterTest, MixedPatternAlternatesHighAndLowColours)
{
	fPainter.SetHighColor(kBlack);
	fPainter.SetLowColor(kRed);
	fPainter.FillRect(BRect(0, 0, 3, 1), B_MIXED_COLORS);
	EXPECT_EQ(At(0, 0), kBlack);
	EXPECT_EQ(At(1, 0), kRed);
	EXPECT_EQ(At(0, 1), kRed);
	EXPECT_EQ(At(1, 1), kBlack);
}

TEST_F(PainterTest, OverModeLeavesTheLowBitsOfAPatternAlone)
{
	fPainter.SetLowColor(kRed);
	fPainter.SetDrawingMode(B_OP_OVER);
	fPainter.FillRect(BRect(0, 0, 3, 1), B_MIXED_COLORS);
	EXPECT_EQ(At(0, 0), kBlack);
	EXPECT_TRUE(IsWhite(1, 0));
}

TEST_F(PainterTest, SolidLowPatternDrawsInTheLowColour)
{
	fPainter.SetLowColor(kBlue);
	fPainter.FillRect(BRect(0, 0, 3, 3), B_SOLID_LOW);
	EXPECT_EQ(At(2, 2), kBlue);
}

// ---- Clipping

TEST_F(PainterTest, DrawingStaysInsideTheSurfaceClipping)
{
	BRegion allowed(BRect(0, 0, 9, 9));
	allowed.Include(BRect(20, 0, 29, 9));
	fPainter.SetClipping(&allowed);
	fPainter.FillRect(BRect(0, 0, 40, 9));
	EXPECT_EQ(At(9, 5), kBlack);
	EXPECT_TRUE(IsWhite(10, 5));
	EXPECT_TRUE(IsWhite(19, 5));
	EXPECT_EQ(At(20, 5), kBlack);
	EXPECT_TRUE(IsWhite(30, 5));
	EXPECT_TRUE(IsWhite(5, 10));

	fPainter.SetClipping(nullptr);
	fPainter.FillRect(BRect(10, 5, 10, 5));
	EXPECT_EQ(At(10, 5), kBlack);
}

TEST_F(PainterTest, ViewClippingIsInViewCoordinatesAndMeetsTheSurfaceClipping)
{
	BRegion visible(BRect(0, 0, 12, 79));
	fPainter.SetClipping(&visible);
	fPainter.SetOrigin(BPoint(10, 10));
	BRegion constraint(BRect(0, 0, 4, 4));
	fPainter.ConstrainClippingRegion(&constraint);
	fPainter.FillRect(BRect(-10, -10, 30, 30));
	EXPECT_TRUE(IsWhite(9, 10));
	EXPECT_EQ(At(10, 10), kBlack);
	EXPECT_EQ(At(12, 14), kBlack);
	EXPECT_TRUE(IsWhite(13, 14));
	EXPECT_TRUE(IsWhite(12, 15));

	BRegion clipping;
	fPainter.GetClippingRegion(&clipping);
	EXPECT_EQ(clipping.Frame(), BRect(0, 0, 2, 4));
}

TEST_F(PainterTest, PopStateRestoresColoursAndClipping)
{
	fPainter.SetHighColor(kRed);
	fPainter.PushState();
	BRegion nothing;
	fPainter.ConstrainClippingRegion(&nothing);
	fPainter.SetHighColor(kBlue);
	fPainter.FillRect(BRect(0, 0, 9, 9));
	EXPECT_TRUE(IsWhite(5, 5));
	fPainter.PopState();
	EXPECT_EQ(fPainter.HighColor(), kRed);
	fPainter.FillRect(BRect(0, 0, 9, 9));
	EXPECT_EQ(At(5, 5), kRed);
	fPainter.PopState();  // nothing pushed: no change
	EXPECT_EQ(fPainter.HighColor(), kRed);
}

TEST_F(PainterTest, BadCoordinatesDoNotStopLaterDrawing)
{
	fPainter.StrokeLine(BPoint(0, 0), BPoint(NAN, 3));
	fPainter.FillEllipse(BPoint(10, 10), 0, 5);
	fPainter.FillRect(BRect(2, 2, 3, 3));
	EXPECT_EQ(At(3, 3), kBlack);
	EXPECT_EQ(cairo_status(fPainter.Context()), CAIRO_STATUS_SUCCESS);
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

// ---- Curves and polygons

TEST_F(PainterTest, FilledEllipseFillsItsRectangleAndNoMore)
{
	fPainter.FillEllipse(BRect(10, 10, 29, 29));
	EXPECT_EQ(At(20, 20), kBlack);
	EXPECT_LT(At(10, 19).red, 128);
	EXPECT_LT(At(29, 20).red, 128);
	EXPECT_LT(At(19, 10).red, 128);
	EXPECT_LT(At(20, 29).red, 128);
	EXPECT_TRUE(IsWhite(9, 19));
	EXPECT_TRUE(IsWhite(30, 20));
	EXPECT_TRUE(IsWhite(20, 30));
	EXPECT_TRUE(IsWhite(10, 10));
}

TEST_F(PainterTest, StrokedEllipseLeavesItsInsideAlone)
{
	fPainter.StrokeEllipse(BPoint(20, 20), 10, 10);
	EXPECT_TRUE(IsWhite(20, 20));
	EXPECT_LT(At(10, 20).red, 128);
	EXPECT_LT(At(30, 20).red, 128);
	EXPECT_TRUE(IsWhite(9, 20));
	EXPECT_TRUE(IsWhite(31, 20));
}

TEST_F(PainterTest, ArcAnglesRunCounterClockwiseFromThreeOClock)
{
	// 0 to 90 degrees: the upper right quarter.
	fPainter.FillArc(BRect(10, 10, 29, 29), 0, 90);
	EXPECT_EQ(At(24, 15), kBlack);
	EXPECT_TRUE(IsWhite(15, 15));
	EXPECT_TRUE(IsWhite(15, 24));
	EXPECT_TRUE(IsWhite(24, 24));

	fPainter.StrokeArc(BRect(40, 10, 59, 29), 180, 90);
	EXPECT_LT(At(40, 21).red, 128);
	EXPECT_TRUE(IsWhite(59, 19));
	EXPECT_TRUE(IsWhite(50, 10));
}

TEST_F(PainterTest, RoundRectCornersAreCut)
{
	fPainter.FillRoundRect(BRect(10, 10, 30, 30), 6, 6);
	EXPECT_TRUE(IsWhite(10, 10));
	EXPECT_TRUE(IsWhite(30, 30));
	EXPECT_EQ(At(10, 20), kBlack);
	EXPECT_EQ(At(20, 30), kBlack);
	EXPECT_EQ(At(20, 20), kBlack);

	fPainter.StrokeRoundRect(BRect(40, 10, 60, 30), 6, 6);
	EXPECT_EQ(At(40, 20), kBlack);
	EXPECT_TRUE(IsWhite(50, 20));
	EXPECT_TRUE(IsWhite(40, 10));
}

TEST_F(PainterTest, FilledPolygonIncludesItsCornerPixels)
{
	BPoint points[] = {BPoint(0, 0), BPoint(9, 0), BPoint(0, 9)};
	BPolygon triangle(points, 3);
	fPainter.SetOrigin(BPoint(10, 10));
	fPainter.FillPolygon(&triangle);
	EXPECT_EQ(At(10, 10), kBlack);
	EXPECT_LT(At(19, 10).red, 100);
	EXPECT_LT(At(10, 19).red, 100);
	EXPECT_EQ(At(12, 12), kBlack);
	EXPECT_TRUE(IsWhite(18, 18));
	EXPECT_TRUE(IsWhite(9, 10));
}

TEST_F(PainterTest, InvertedPolygonIsInvertedOnce)
{
	fPainter.SetDrawingMode(B_OP_INVERT);
	fPainter.FillTriangle(BPoint(0, 0), BPoint(20, 0), BPoint(0, 20));
	EXPECT_EQ(At(1, 1), kBlack);
	EXPECT_EQ(At(0, 0), kBlack);
}

TEST_F(PainterTest, StrokedOpenPolygonDoesNotCloseItself)
{
	BPoint points[] = {BPoint(0, 0), BPoint(10, 0), BPoint(10, 10)};
	fPainter.StrokePolygon(points, 3, false);
	EXPECT_EQ(At(5, 0), kBlack);
	EXPECT_EQ(At(10, 5), kBlack);
	EXPECT_TRUE(IsWhite(5, 5));
	fPainter.StrokePolygon(points, 3, true);
	EXPECT_LT(At(5, 5).red, 128);
}

// ---- Bitmaps

TEST_F(PainterTest, BitmapLandsPixelForPixelAtThePoint)
{
	std::unique_ptr<BBitmap> bitmap(MakeBitmap(3, 2,
		{kRed, kBlue, kBlack, make_color(10, 20, 30), make_color(40, 50, 60), make_color(70, 80, 90)}));
	fPainter.SetOrigin(BPoint(4, 4));
	fPainter.DrawBitmap(bitmap.get(), BPoint(1, 2));
	EXPECT_EQ(At(5, 6), kRed);
	EXPECT_EQ(At(6, 6), kBlue);
	EXPECT_EQ(At(7, 6), kBlack);
	EXPECT_EQ(At(5, 7), make_color(10, 20, 30));
	EXPECT_EQ(At(7, 7), make_color(70, 80, 90));
	EXPECT_TRUE(IsWhite(8, 6));
	EXPECT_TRUE(IsWhite(5, 8));
	EXPECT_TRUE(IsWhite(4, 6));
}

TEST_F(PainterTest, BitmapAlphaBlendsOverTheBackgroundExceptInCopyMode)
{
	fPainter.SetHighColor(kBlue);
	fPainter.FillRect(BRect(0, 0, 79, 59));
	std::unique_ptr<BBitmap> bitmap(MakeBitmap(2, 1, {make_color(255, 0, 0, 128), make_color(0, 255, 0, 0)}));

	fPainter.SetDrawingMode(B_OP_ALPHA);
	fPainter.DrawBitmap(bitmap.get(), BPoint(0, 0));
	EXPECT_TRUE(IsNear(At(0, 0), make_color(128, 0, 127), 1)) << At(0, 0);
	EXPECT_EQ(At(1, 0), kBlue);

	fPainter.SetDrawingMode(B_OP_OVER);
	fPainter.DrawBitmap(bitmap.get(), BPoint(0, 2));
	EXPECT_TRUE(IsNear(At(0, 2), make_color(128, 0, 127), 1)) << At(0, 2);
	EXPECT_EQ(At(1, 2), kBlue);

	fPainter.SetDrawingMode(B_OP_COPY);
	fPainter.DrawBitmap(bitmap.get(), BPoint(0, 4));
	EXPECT_EQ(At(0, 4), kRed);
	EXPECT_EQ(At(1, 4), make_color(0, 255, 0));
}

TEST_F(PainterTest, TransparentColourOfAnOpaqueBitmapIsClearInOverMode)
{
	BBitmap bitmap(BRect(0, 0, 1, 0), B_RGB32);
	uint8 pixels[] = {B_TRANSPARENT_COLOR.blue, B_TRANSPARENT_COLOR.green, B_TRANSPARENT_COLOR.red, 0,
		0, 0, 255, 0};
	bitmap.SetBits(pixels, sizeof(pixels), 0, B_RGB32);
	fPainter.SetDrawingMode(B_OP_OVER);
	fPainter.DrawBitmap(&bitmap, BPoint(0, 0));
	EXPECT_TRUE(IsWhite(0, 0));
	EXPECT_EQ(At(1, 0), kRed);
}

TEST_F(PainterTest, BitmapScalesIntoTheDestination)
{
	std::unique_ptr<BBitmap> bitmap(MakeBitmap(2, 2, {kRed, kBlue, kBlack, make_color(0, 255, 0)}));
	fPainter.DrawBitmap(bitmap.get(), BRect(10, 10, 29, 29));
	EXPECT_EQ(At(12, 12), kRed);
	EXPECT_EQ(At(27, 12), kBlue);
	EXPECT_EQ(At(12, 27), kBlack);
	EXPECT_EQ(At(27, 27), make_color(0, 255, 0));
	EXPECT_TRUE(IsWhite(9, 10));
	EXPECT_TRUE(IsWhite(30, 29));
	EXPECT_FALSE(IsWhite(29, 29));
}

TEST_F(PainterTest, PartOfABitmapGoesToTheDestination)
{
	std::unique_ptr<BBitmap> bitmap(MakeBitmap(3, 3, {kWhite, kWhite, kWhite, kWhite, kRed, kBlue,
		kWhite, kBlack, make_color(0, 255, 0)}));
	fPainter.DrawBitmap(bitmap.get(), BRect(1, 1, 2, 2), BRect(20, 20, 21, 21));
	EXPECT_EQ(At(20, 20), kRed);
	EXPECT_EQ(At(21, 20), kBlue);
	EXPECT_EQ(At(20, 21), kBlack);
	EXPECT_EQ(At(21, 21), make_color(0, 255, 0));
	EXPECT_TRUE(IsWhite(22, 21));
}

TEST_F(PainterTest, SourceBeyondTheBitmapDrawsOnlyTheBitmap)
{
	std::unique_ptr<BBitmap> bitmap(MakeBitmap(2, 1, {kRed, kBlue}));
	fPainter.DrawBitmap(bitmap.get(), BRect(0, 0, 3, 0), BRect(10, 10, 13, 10));
	EXPECT_EQ(At(10, 10), kRed);
	EXPECT_EQ(At(11, 10), kBlue);
	EXPECT_TRUE(IsWhite(12, 10));
}

TEST_F(PainterTest, TiledBitmapRepeatsFromTheTileOrigin)
{
	std::unique_ptr<BBitmap> bitmap(MakeBitmap(2, 2, {kRed, kBlue, kBlack, make_color(0, 255, 0)}));
	fPainter.SetOrigin(BPoint(10, 10));
	fPainter.DrawTiledBitmap(bitmap.get(), BRect(0, 0, 9, 9), BPoint(1, 1));
	EXPECT_EQ(At(11, 11), kRed);
	EXPECT_EQ(At(12, 11), kBlue);
	EXPECT_EQ(At(13, 11), kRed);
	EXPECT_EQ(At(11, 12), kBlack);
	EXPECT_EQ(At(10, 10), make_color(0, 255, 0));
	EXPECT_EQ(At(19, 19), kRed);
	EXPECT_TRUE(IsWhite(20, 19));
	EXPECT_TRUE(IsWhite(9, 10));
}

TEST_F(PainterTest, CopyBitsMovesOverlappingPixels)
{
	fPainter.SetHighColor(kRed);
	fPainter.FillRect(BRect(0, 0, 9, 9));
	fPainter.CopyBits(BRect(0, 0, 9, 9), BRect(5, 0, 14, 9));
	EXPECT_EQ(At(14, 9), kRed);
	EXPECT_EQ(At(0, 0), kRed);
	EXPECT_TRUE(IsWhite(15, 5));
}

TEST_F(PainterTest, CopyBitsFromBeyondTheSurfaceCopiesOnlyItsPixels)
{
	fPainter.SetHighColor(kRed);
	fPainter.FillRect(BRect(0, 0, 3, 3));
	fPainter.CopyBits(BRect(-1000000, -2, 3, 3), BRect(-1000000 + 20, 18, 23, 23));
	EXPECT_EQ(At(20, 20), kRed);
	EXPECT_EQ(At(23, 23), kRed);
	EXPECT_TRUE(IsWhite(19, 20));
	EXPECT_TRUE(IsWhite(24, 23));
	fPainter.CopyBits(BRect(0, 0, 1e30f, 1e30f), BRect(40, 40, 1e30f, 1e30f));
	EXPECT_EQ(At(41, 41), kRed);
}

TEST_F(PainterTest, HugeBitmapSourceIsLimitedToTheBitmap)
{
	std::unique_ptr<BBitmap> bitmap(MakeBitmap(1, 1, {kRed}));
	fPainter.DrawBitmap(bitmap.get(), BRect(-1e30f, -1e30f, 1e30f, 1e30f), BRect(0, 0, 9, 9));
	fPainter.DrawBitmap(bitmap.get(), BRect(0, 0, 0, 0), BRect(20, 20, 20, 20));
	EXPECT_EQ(At(20, 20), kRed);
	EXPECT_EQ(cairo_status(fPainter.Context()), CAIRO_STATUS_SUCCESS);
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
	int alone = RightmostInk(30, 45);
	ASSERT_GE(together, 0);
	EXPECT_NEAR(together, alone, 1);
	EXPECT_FLOAT_EQ(fPainter.PenLocation().x, 2 + width + font.StringWidth("|"));
}

TEST_F(PainterTextTest, GlyphsSitAboveTheBaselineRow)
{
	BFont font = *be_plain_font;
	DrawBlack("HHHH", BPoint(5, 20), font);
	bool inkAbove = false;
	for (int x = 5; x < 30; x++)
		inkAbove = inkAbove || !IsWhite(x, 19);
	EXPECT_TRUE(inkAbove);
	EXPECT_EQ(InkOfRow(20, 0, 40), std::string(41, '.'));
}

TEST_F(PainterTextTest, InvalidUTF8IsDrawnAndLaterDrawingStillWorks)
{
	BFont font = *be_plain_font;
	DrawBlack("a\xFF\xFE" "b", BPoint(2, 15), font);
	EXPECT_EQ(cairo_status(fPainter.Context()), CAIRO_STATUS_SUCCESS);
	EXPECT_FLOAT_EQ(fPainter.PenLocation().x, 2 + font.StringWidth("a\xFF\xFE" "b"));
	fPainter.FillRect(BRect(50, 50, 52, 52));
	EXPECT_EQ(At(51, 51), kBlack);
	DrawBlack("ok", BPoint(2, 40), font);
	EXPECT_GE(RightmostInk(30, 40), 2);
}

TEST_F(PainterTextTest, UnderlineRunsBelowTheBaselineAcrossTheString)
{
	BFont font = *be_plain_font;
	font.SetFace(B_UNDERSCORE_FACE);
	DrawBlack("ace", BPoint(10, 20), font);
	int end = static_cast<int>(10 + font.StringWidth("ace"));
	int row = -1;
	for (int y = 20; y <= 22 && row < 0; y++) {
		if (!IsWhite(11, y) && !IsWhite(end - 1, y))
			row = y;
	}
	ASSERT_GE(row, 0);
	for (int x = 10; x < end; x++)
		EXPECT_FALSE(IsWhite(x, row)) << x;
	EXPECT_TRUE(IsWhite(end + 1, row));
}

TEST_F(PainterTextTest, StrikeOutCrossesTheLetters)
{
	BFont font = *be_plain_font;
	font.SetSize(24);
	DrawBlack("o o", BPoint(10, 40), font);
	int gap = static_cast<int>(10 + font.StringWidth("o") + font.StringWidth(" ") / 2);
	bool blankBefore = true;
	for (int y = 25; y < 40; y++)
		blankBefore = blankBefore && IsWhite(gap, y);
	EXPECT_TRUE(blankBefore);

	font.SetFace(B_STRIKEOUT_FACE);
	DrawBlack("o o", BPoint(10, 40), font);
	bool crossed = false;
	for (int y = 25; y < 40; y++)
		crossed = crossed || !IsWhite(gap, y);
	EXPECT_TRUE(crossed);
}

TEST_F(PainterTextTest, TextTakesTheHighColourAndTheMode)
{
	BFont font = *be_plain_font;
	font.SetSize(30);
	fPainter.SetFont(&font);
	fPainter.SetHighColor(kRed);
	fPainter.DrawString("\xE2\x96\x88", BPoint(10, 40));  // full block
	EXPECT_EQ(At(15, 30), kRed);
	fPainter.SetDrawingMode(B_OP_INVERT);
	fPainter.DrawString("\xE2\x96\x88", BPoint(10, 40));
	EXPECT_EQ(At(15, 30), make_color(0, 255, 255));
}

TEST_F(PainterTextTest, SetFontAppliesOnlyTheAskedProperties)
{
	BFont big = *be_bold_font;
	big.SetSize(30);
	fPainter.SetFont(be_plain_font);
	fPainter.SetFont(&big, B_FONT_SIZE);
	EXPECT_EQ(fPainter.Font().Size(), 30);
	EXPECT_EQ(fPainter.Font().Face(), B_REGULAR_FACE);
	fPainter.SetFont(&big, B_FONT_FAMILY_AND_STYLE);
	EXPECT_EQ(fPainter.Font(), big);
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
			int rightmost = -1;
			for (int x = 0; x < 300; x++) {
				for (int y = 0; y < 30; y++) {
					if (PixelAt(surface.get(), x, y) != kWhite)
						rightmost = x;
				}
			}
			inkColumns[t] = rightmost;
		});
	}
	for (std::thread& thread : threads)
		thread.join();
	EXPECT_GT(inkColumns[0], 100);
	EXPECT_EQ(inkColumns[0], inkColumns[2]);
	EXPECT_EQ(inkColumns[1], inkColumns[3]);
}

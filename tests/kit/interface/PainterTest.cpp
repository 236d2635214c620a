#include <interface_support/Painter.h>

#include <cmath>
#include <cstring>
#include <functional>
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
const rgb_color kGreen = {0, 255, 0, 255};
const rgb_color kBlue = {0, 0, 255, 255};
const rgb_color kCyan = {0, 255, 255, 255};
const rgb_color kYellow = {255, 255, 0, 255};

// Pixels are written as one character each: '#' black, '.' white, 'r'
// red, 'g' green, 'b' blue, 'c' cyan, 'y' yellow, '+' dark (anti-aliased
// ink), '*' anything but white, '?' anything.
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

bool InkMatches(char ink, rgb_color pixel)
{
	switch (ink) {
		case '+': return pixel.red < 128;
		case '*': return pixel != kWhite;
		case '?': return true;
		default: return pixel == ColourOf(ink);
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
			EXPECT_TRUE(InkMatches(run.inks[i], At(run.x + i, run.y)))
				<< "at " << run.x + i << "," << run.y << ": " << At(run.x + i, run.y)
				<< ", expected '" << run.inks[i] << "'";
		}
	}
	EXPECT_EQ(cairo_status(fPainter.Context()), CAIRO_STATUS_SUCCESS);
}

BPolygon Triangle()
{
	BPoint points[] = {BPoint(0, 0), BPoint(9, 0), BPoint(0, 9)};
	return BPolygon(points, 3);
}

INSTANTIATE_TEST_SUITE_P(Shapes, PainterDrawing, testing::Values(
	// Lines
	DrawingCase{"OnePixelLineCoversExactlyThePixelsBetweenItsEnds",
		[](Painter& p) { p.StrokeLine(BPoint(0, 0), BPoint(9, 0)); },
		{{0, 0, "##########.."}, {0, 1, "..........."}}},
	DrawingCase{"ReversedAndSinglePointLines",
		[](Painter& p) {
			p.StrokeLine(BPoint(9, 2), BPoint(3, 2));
			p.StrokeLine(BPoint(20, 20), BPoint(20, 20));
		},
		{{2, 2, ".#######."}, {20, 19, "."}, {19, 20, ".#."}, {20, 21, "."}}},
	DrawingCase{"WidePenGrowsAcrossTheLine",
		[](Painter& p) { p.SetPenSize(3); p.StrokeLine(BPoint(2, 10), BPoint(8, 10)); },
		{{5, 8, "."}, {5, 9, "#"}, {1, 10, ".#######."}, {5, 11, "#"}, {5, 12, "."}}},
	DrawingCase{"LineArrayDrawsEachLineInItsColourAndKeepsTheHighColour",
		[](Painter& p) {
			p.SetHighColor(kBlue);
			p.BeginLineArray(2);
			p.AddLine(BPoint(0, 0), BPoint(4, 0), kRed);
			p.AddLine(BPoint(0, 2), BPoint(4, 2), kBlack);
			p.EndLineArray();
			EXPECT_EQ(p.HighColor(), kBlue);
		},
		{{4, 0, "r"}, {4, 2, "#"}}},
	// Rectangles
	DrawingCase{"FilledRectIncludesItsRightAndBottomEdges",
		[](Painter& p) { p.FillRect(BRect(2, 3, 5, 6)); },
		{{0, 2, "........"}, {0, 3, "..####.."}, {0, 6, "..####.."}, {0, 7, "........"}}},
	DrawingCase{"InvalidRectDrawsNothing",
		[](Painter& p) { p.FillRect(BRect(5, 5, 4, 9)); p.StrokeRect(BRect(5, 5, 9, 4)); },
		{{3, 4, "........"}, {3, 5, "........"}, {3, 9, "........"}}},
	DrawingCase{"StrokedRectDrawsOnlyItsFrame",
		[](Painter& p) { p.StrokeRect(BRect(2, 2, 8, 6)); },
		{{0, 2, "..#######.."}, {0, 4, "..#.....#.."}, {0, 6, "..#######.."},
			{0, 7, "..........."}}},
	DrawingCase{"InvertedFrameInvertsCornersOnlyOnce",
		[](Painter& p) { p.SetDrawingMode(B_OP_INVERT); p.StrokeRect(BRect(2, 2, 8, 6)); },
		{{2, 2, "#??#"}, {5, 4, "."}, {8, 6, "#"}}},
	DrawingCase{"InvertRectInvertsWhateverIsThereAndKeepsTheMode",
		[](Painter& p) {
			p.SetHighColor(kRed);
			p.FillRect(BRect(0, 0, 9, 9));
			p.SetDrawingMode(B_OP_OVER);
			p.InvertRect(BRect(5, 5, 14, 14));
			EXPECT_EQ(p.DrawingMode(), B_OP_OVER);
		},
		{{4, 4, "r"}, {5, 5, "c"}, {14, 14, "#."}, {15, 15, "."}}},
	// Patterns
	DrawingCase{"MixedPatternAlternatesHighAndLowColours",
		[](Painter& p) { p.SetLowColor(kRed); p.FillRect(BRect(0, 0, 3, 1), B_MIXED_COLORS); },
		{{0, 0, "#r#r"}, {0, 1, "r#r#"}}},
	DrawingCase{"OverModeLeavesTheLowBitsOfAPatternAlone",
		[](Painter& p) {
			p.SetLowColor(kRed);
			p.SetDrawingMode(B_OP_OVER);
			p.FillRect(BRect(0, 0, 3, 1), B_MIXED_COLORS);
		},
		{{0, 0, "#."}}},
	DrawingCase{"SolidLowPatternDrawsInTheLowColour",
		[](Painter& p) { p.SetLowColor(kBlue); p.FillRect(BRect(0, 0, 3, 3), B_SOLID_LOW); },
		{{2, 2, "b"}}},
	// Clipping
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
	DrawingCase{"ViewClippingIsInViewCoordinatesAndMeetsTheSurfaceClipping",
		[](Painter& p) {
			BRegion visible(BRect(0, 0, 12, 79));
			p.SetClipping(&visible);
			p.SetOrigin(BPoint(10, 10));
			BRegion constraint(BRect(0, 0, 4, 4));
			p.ConstrainClippingRegion(&constraint);
			p.FillRect(BRect(-10, -10, 30, 30));
			BRegion clipping;
			p.GetClippingRegion(&clipping);
			EXPECT_EQ(clipping.Frame(), BRect(0, 0, 2, 4));
		},
		{{9, 10, ".#"}, {12, 14, "#."}, {12, 15, "."}}},
	DrawingCase{"PopStateRestoresColoursAndClipping",
		[](Painter& p) {
			p.SetHighColor(kRed);
			p.PushState();
			BRegion nothing;
			p.ConstrainClippingRegion(&nothing);
			p.SetHighColor(kBlue);
			p.FillRect(BRect(0, 0, 9, 9));
			p.PopState();
			p.PopState();  // nothing pushed: no change
			EXPECT_EQ(p.HighColor(), kRed);
			p.FillRect(BRect(20, 0, 29, 9));
		},
		{{5, 5, "."}, {25, 5, "r"}}},
	DrawingCase{"BadCoordinatesDoNotStopLaterDrawing",
		[](Painter& p) {
			p.StrokeLine(BPoint(0, 0), BPoint(NAN, 3));
			p.FillEllipse(BPoint(10, 10), 0, 5);
			p.FillRect(BRect(2, 2, 3, 3));
		},
		{{3, 3, "#"}}},
	// Curves and polygons
	DrawingCase{"FilledEllipseFillsItsRectangleAndNoMore",
		[](Painter& p) { p.FillEllipse(BRect(10, 10, 29, 29)); },
		{{20, 20, "#"}, {9, 19, ".+"}, {29, 20, "+."}, {19, 10, "+"}, {20, 29, "+"},
			{20, 30, "."}, {10, 10, "."}}},
	DrawingCase{"StrokedEllipseLeavesItsInsideAlone",
		[](Painter& p) { p.StrokeEllipse(BPoint(20, 20), 10, 10); },
		{{9, 20, ".+"}, {20, 20, "."}, {30, 20, "+."}}},
	DrawingCase{"ArcAnglesRunCounterClockwiseFromThreeOClock",
		[](Painter& p) {
			p.FillArc(BRect(10, 10, 29, 29), 0, 90);
			p.StrokeArc(BRect(40, 10, 59, 29), 180, 90);
		},
		{{15, 15, ".????????#"}, {15, 24, ".????????."}, {40, 21, "+"}, {59, 19, "."},
			{50, 10, "."}}},
	DrawingCase{"RoundRectCornersAreCut",
		[](Painter& p) {
			p.FillRoundRect(BRect(10, 10, 30, 30), 6, 6);
			p.StrokeRoundRect(BRect(40, 10, 60, 30), 6, 6);
		},
		{{10, 10, "."}, {30, 30, "."}, {10, 20, "#?????????#"}, {20, 30, "#"},
			{40, 20, "#?????????."}, {40, 10, "."}}},
	DrawingCase{"FilledPolygonIncludesItsCornerPixels",
		[](Painter& p) {
			BPolygon triangle = Triangle();
			p.SetOrigin(BPoint(10, 10));
			p.FillPolygon(&triangle);
		},
		{{9, 10, ".#????????+"}, {10, 19, "+"}, {12, 12, "#"}, {18, 18, "."}}},
	DrawingCase{"InvertedPolygonIsInvertedOnce",
		[](Painter& p) {
			p.SetDrawingMode(B_OP_INVERT);
			p.FillTriangle(BPoint(0, 0), BPoint(20, 0), BPoint(0, 20));
		},
		{{0, 0, "#"}, {1, 1, "#"}}},
	DrawingCase{"StrokedPolygonClosesItselfOnlyWhenAsked",
		[](Painter& p) {
			BPoint points[] = {BPoint(0, 0), BPoint(10, 0), BPoint(10, 10)};
			p.StrokePolygon(points, 3, false);
			p.SetOrigin(BPoint(20, 0));
			p.StrokePolygon(points, 3, true);
		},
		{{5, 0, "#"}, {10, 5, "#"}, {5, 5, "."}, {25, 5, "+"}}},
	// Bitmaps
	DrawingCase{"BitmapLandsPixelForPixelAtThePoint",
		[](Painter& p) {
			p.SetOrigin(BPoint(4, 4));
			p.DrawBitmap(MakeBitmap(3, 2, "rb#gcy").get(), BPoint(1, 2));
		},
		{{4, 6, ".rb#."}, {5, 7, "gcy"}, {5, 8, "."}}},
	DrawingCase{"TransparentColourOfAnOpaqueBitmapIsClearInOverMode",
		[](Painter& p) {
			BBitmap bitmap(BRect(0, 0, 1, 0), B_RGB32);
			uint8 pixels[] = {B_TRANSPARENT_COLOR.blue, B_TRANSPARENT_COLOR.green,
				B_TRANSPARENT_COLOR.red, 0, 0, 0, 255, 0};
			bitmap.SetBits(pixels, sizeof(pixels), 0, B_RGB32);
			p.SetDrawingMode(B_OP_OVER);
			p.DrawBitmap(&bitmap, BPoint(0, 0));
		},
		{{0, 0, ".r"}}},
	DrawingCase{"BitmapScalesIntoTheDestination",
		[](Painter& p) { p.DrawBitmap(MakeBitmap(2, 2, "rb#g").get(), BRect(10, 10, 29, 29)); },
		{{9, 10, "."}, {12, 12, "r"}, {27, 12, "b"}, {12, 27, "#"}, {27, 27, "g"},
			{29, 29, "*."}}},
	DrawingCase{"PartOfABitmapGoesToTheDestination",
		[](Painter& p) {
			p.DrawBitmap(MakeBitmap(3, 3, "....rb.#g").get(), BRect(1, 1, 2, 2),
				BRect(20, 20, 21, 21));
		},
		{{20, 20, "rb"}, {20, 21, "#g."}}},
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
	DrawingCase{"TiledBitmapRepeatsFromTheTileOrigin",
		[](Painter& p) {
			p.SetOrigin(BPoint(10, 10));
			p.DrawTiledBitmap(MakeBitmap(2, 2, "rb#g").get(), BRect(0, 0, 9, 9), BPoint(1, 1));
		},
		{{9, 10, ".g"}, {11, 11, "rbr"}, {11, 12, "#"}, {19, 19, "r."}}},
	DrawingCase{"CopyBitsMovesOverlappingPixels",
		[](Painter& p) {
			p.SetHighColor(kRed);
			p.FillRect(BRect(0, 0, 9, 9));
			p.CopyBits(BRect(0, 0, 9, 9), BRect(5, 0, 14, 9));
		},
		{{0, 0, "r"}, {14, 9, "r"}, {15, 5, "."}}},
	DrawingCase{"CopyBitsFromBeyondTheSurfaceCopiesOnlyItsPixels",
		[](Painter& p) {
			p.SetHighColor(kRed);
			p.FillRect(BRect(0, 0, 3, 3));
			p.CopyBits(BRect(-1000000, -2, 3, 3), BRect(-1000000 + 20, 18, 23, 23));
			p.CopyBits(BRect(0, 0, 1e30f, 1e30f), BRect(40, 40, 1e30f, 1e30f));
		},
		{{19, 20, ".r"}, {23, 23, "r."}, {41, 41, "r"}}}),
	[](const testing::TestParamInfo<DrawingCase>& info) { return std::string(info.param.name); });

// ---- Drawing modes

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

	bool AnyInk(int x, int top, int bottom)
	{
		for (int y = top; y <= bottom; y++) {
			if (!IsWhite(x, y))
				return true;
		}
		return false;
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
	EXPECT_FALSE(AnyInk(gap, 25, 39));
	font.SetFace(B_STRIKEOUT_FACE);
	DrawBlack("o o", BPoint(10, 40), font);
	EXPECT_TRUE(AnyInk(gap, 25, 39));
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

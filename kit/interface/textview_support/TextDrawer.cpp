#include "TextDrawer.h"

#include <algorithm>
#include <string_view>

#include <Region.h>
#include <UTF8.h>
#include <View.h>

#include "FontMeasurer.h"
#include "StyledText.h"
#include "TextGeometry.h"

namespace BPrivate {

namespace {

// Long stretches without a tab are drawn in pieces, so that drawing can
// stop at the right edge of what is being updated.
const size_t kMaxPiece = 256;

size_t PieceEnd(std::string_view bytes, size_t from)
{
	size_t end = from + kMaxPiece;
	if (end >= bytes.size())
		return bytes.size();
	while (end > from + 1 && UTF8::IsContinuation(bytes[end]))
		end--;
	return end;
}

} // namespace

TextDrawer::TextDrawer(const StyledText& text, const TextGeometry& geometry,
	TextMeasurer& measurer)
	:
	fText(text),
	fGeometry(geometry),
	fMeasurer(measurer)
{
}

void TextDrawer::Draw(BView* view, BRect updateRect, const TextMarks& marks)
{
	view->PushState();
	_DrawHighlight(view, updateRect, marks);
	view->SetDrawingMode(B_OP_OVER);
	const TextLayout& layout = fText.Layout();
	int32 first = fGeometry.LineAt(updateRect.LeftTop());
	int32 last = fGeometry.LineAt(updateRect.LeftBottom());
	for (int32 line = first; line <= last && line < layout.CountLines(); line++)
		_DrawLine(view, line, updateRect);
	if (marks.caret >= 0) {
		view->SetDrawingMode(B_OP_COPY);
		view->SetHighColor(marks.caretColor);
		view->FillRect(fGeometry.CaretFrame(marks.caret));
	}
	view->PopState();
}

void TextDrawer::_DrawHighlight(BView* view, BRect updateRect, const TextMarks& marks)
{
	if (marks.selectionStart >= marks.selectionEnd)
		return;
	BRegion region;
	fGeometry.GetRangeRegion(marks.selectionStart, marks.selectionEnd, updateRect, &region);
	if (region.CountRects() == 0)
		return;
	view->SetDrawingMode(B_OP_COPY);
	view->SetHighColor(marks.highlight);
	view->FillRegion(&region);
}

// Each style run of the line in its font and colour; a tab moves the pen
// to the next stop, the line feed ends the line.
void TextDrawer::_DrawLine(BView* view, int32 line, BRect updateRect)
{
	const TextLayout& layout = fText.Layout();
	const StyleBuffer& styles = fText.Styles();
	const LineBreaker& breaker = layout.Breaker();
	int32 start = layout.OffsetAt(line);
	int32 end = layout.OffsetAt(line + 1);
	float left = fGeometry.LineLeft(line);
	float baseline = fGeometry.LineTop(line) + layout.Lines()[line].ascent;
	float x = 0;
	for (int32 position = start; position < end;) {
		int32 runIndex = styles.RunIndexAt(position);
		int32 runEnd = runIndex >= 0 ? styles.RunAt(runIndex).end : end;
		const TextStyle& style = styles.StyleAt(position);
		view->SetFont(&style.font);
		view->SetHighColor(style.color);
		std::string_view bytes = fText.Text().Range(position, std::min(runEnd, end), fScratch);
		size_t done = 0;
		while (done < bytes.size() && left + x <= updateRect.right) {
			size_t stop = std::min(bytes.find_first_of("\t\n", done), PieceEnd(bytes, done));
			if (stop > done) {
				x += _DrawPiece(view, bytes.substr(done, stop - done), style.font, left + x,
					baseline);
			}
			done = stop;
			if (done < bytes.size() && (bytes[done] == '\t' || bytes[done] == '\n')) {
				if (bytes[done] == '\t')
					x = breaker.NextTabStop(x);
				done++;
			}
		}
		if (left + x > updateRect.right)
			break;
		position = std::min(runEnd, end);
	}
}

float TextDrawer::_DrawPiece(BView* view, std::string_view bytes, const BFont& font, float x,
	float baseline)
{
	int32 length = static_cast<int32>(bytes.size());
	float width = fMeasurer.StringWidth(bytes.data(), length, font);
	std::string_view drawable = FontMeasurer::Drawable(bytes, fDrawScratch);
	view->DrawString(drawable.data(), length, BPoint(x, baseline));
	return width;
}

} // namespace BPrivate

#ifndef _VELMORA_TEXT_MODEL_TESTING_H
#define _VELMORA_TEXT_MODEL_TESTING_H

#include <string>
#include <vector>

#include <textview_support/StyledText.h>

#include "FakeMeasurer.h"

inline BFont MakeFont(float size, uint16 face = B_REGULAR_FACE)
{
	BFont font;
	font.SetSize(size);
	if (face != font.Face())
		font.SetFace(face);
	return font;
}

inline const rgb_color kBlack = make_color(0, 0, 0);
inline const rgb_color kRed = make_color(200, 0, 0);

// The text of each line, to compare layouts at a glance.
inline std::vector<std::string> LineTexts(const BPrivate::StyledText& model)
{
	std::vector<std::string> lines;
	const BPrivate::TextLayout& layout = model.Layout();
	for (int32 i = 0; i < layout.CountLines(); i++)
		lines.push_back(model.Text().Copy(layout.OffsetAt(i), layout.OffsetAt(i + 1)));
	return lines;
}

inline std::vector<BPrivate::LineRecord> AllRecords(const BPrivate::LineBuffer& lines)
{
	std::vector<BPrivate::LineRecord> records;
	for (int32 i = 0; i <= lines.NumLines(); i++)
		records.push_back(lines[i]);
	return records;
}

// Whether every run and line starts on a character boundary.
inline bool StartsOnBoundaries(const BPrivate::StyledText& model)
{
	const BPrivate::TextGapBuffer& text = model.Text();
	for (int32 i = 0; i < model.Styles().CountRuns(); i++) {
		int32 start = model.Styles().RunAt(i).start;
		if (text.CharBoundary(start) != start)
			return false;
	}
	for (int32 i = 0; i < model.Layout().CountLines(); i++) {
		int32 start = model.Layout().OffsetAt(i);
		if (text.CharBoundary(start) != start)
			return false;
	}
	return true;
}

#endif

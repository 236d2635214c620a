#include <textview_support/LineBuffer.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "TextModelTesting.h"

using BPrivate::LineBuffer;
using BPrivate::LineRecord;

namespace {

LineRecord Line(int32 offset, float top, float height = 10)
{
	return LineRecord{offset, top, height, height * 0.75f, 50, 0};
}

// Lines of ten pixels every ten bytes, and the end mark.
std::vector<LineRecord> EvenLines(int32 count)
{
	std::vector<LineRecord> lines;
	for (int32 i = 0; i < count; i++)
		lines.push_back(Line(i * 10, i * 10.0f));
	lines.push_back(Line(count * 10, count * 10.0f, 0));
	return lines;
}

} // namespace

// Deferred shifts must read back as if every shift had been written through
// at once, however edits at different places interleave.
TEST(LineBufferTest, DeferredShiftsReadLikeImmediateOnes)
{
	std::mt19937 random(11);
	LineBuffer buffer;
	std::vector<LineRecord> model = EvenLines(200);
	buffer.Replace(0, buffer.NumLines() + 1, model);
	for (int step = 0; step < 4000; step++) {
		int32 index = random() % model.size();
		switch (random() % 4) {
			case 0: {
				int32 delta = static_cast<int32>(random() % 7) - 3;
				buffer.BumpOffset(delta, index);
				for (size_t i = index; i < model.size(); i++)
					model[i].offset += delta;
				break;
			}
			case 1: {
				float delta = static_cast<float>(random() % 5) - 2;
				buffer.BumpOrigin(delta, index);
				for (size_t i = index; i < model.size(); i++)
					model[i].top += delta;
				break;
			}
			case 2: {
				// Replace a few lines (never the end mark) by others.
				int32 to = std::min<int32>(index + random() % 3, model.size() - 1);
				std::vector<LineRecord> lines;
				for (int32 i = random() % 4; i > 0; i--)
					lines.push_back(Line(random() % 1000, random() % 1000));
				buffer.Replace(index, to, lines);
				model.erase(model.begin() + index, model.begin() + to);
				model.insert(model.begin() + index, lines.begin(), lines.end());
				break;
			}
			case 3:
				if (model.size() < 150) {
					int32 count = model.size();
					model = EvenLines(200);
					buffer.Replace(0, count, model);
				}
				break;
		}
		ASSERT_EQ(buffer.NumLines() + 1, static_cast<int32>(model.size()));
		int32 probe = random() % model.size();
		ASSERT_EQ(buffer[probe], model[probe]) << "step " << step;
	}
	EXPECT_EQ(AllRecords(buffer), model);
}

TEST(LineBufferTest, RemovedSpanTakesTheLinesStartingInItOnly)
{
	LineBuffer buffer;
	buffer.Replace(0, 2, EvenLines(6));
	// Lines start at 0, 10, ... 50; the end mark is at 60.
	EXPECT_EQ(buffer.RemoveStartsIn(1, 15, 40), 3);
	EXPECT_EQ(buffer[2].offset, 50);
	EXPECT_EQ(buffer.RemoveStartsIn(0, 0, 10), 1);
	EXPECT_EQ(buffer[1].offset, 50);
	EXPECT_EQ(buffer.RemoveStartsIn(2, 0, 45), 0);
}

// Random typing, deletions and formatting commands on pages of the corpus:
// after each, undo gives back the element list, the view's text and the
// page's HTML exactly as they were before it, and a second undo gives back
// what the step made.

#include "FormattingChecks.h"

#include <random>

#include "CorpusFiles.h"
#include "TagDictionary.h"

using namespace FormattingChecks;
using ModelTesting::ModelPage;

namespace {

constexpr unsigned kSeed = 2020;
constexpr int kStepsPerPage = 90;
constexpr size_t kPages = 8;
constexpr int32 kLongestRange = 60;

struct State {
	std::string html;
	std::string text;
	std::vector<Mark> marks;

	bool operator==(const State&) const = default;
};

// The HTML first: writing it tidies the formatting, as every save does.
State StateOf(ModelPage& page)
{
	page.GenerateHTML();
	const BMallocIO* buffer = page.HTMLBuffer();
	State state;
	state.html.assign(static_cast<const char*>(buffer->Buffer()), buffer->BufferLength());
	BAutolock lock(page.Engine());
	state.text = page.Engine()->View()->Text();
	state.marks = Marks(page.Engine());
	return state;
}

std::string Where(const State& expected, const State& actual)
{
	if (expected.marks != actual.marks)
		return "elements differ " + Difference(expected.marks, actual.marks);
	const std::string& a = expected.text != actual.text ? expected.text : expected.html;
	const std::string& b = expected.text != actual.text ? actual.text : actual.html;
	size_t at = 0;
	while (at < a.size() && at < b.size() && a[at] == b[at])
		at++;
	size_t from = at > 60 ? at - 60 : 0;
	return std::string(expected.text != actual.text ? "text" : "HTML") + " differs at "
		+ std::to_string(at) + ":\n  " + a.substr(from, 140) + "\n  " + b.substr(from, 140);
}

bool InOffsetOrder(const std::vector<Mark>& marks)
{
	for (size_t i = 1; i < marks.size(); i++) {
		if (marks[i].offset < marks[i - 1].offset)
			return false;
	}
	return true;
}

class UndoProperty : public testing::TestWithParam<std::string> {
protected:
	void SetUp() override { ModelTesting::Settings(); }

	void Settle(ModelPage& page)
	{
		ModelTesting::Settle(page.Engine()->Looper());
		ModelTesting::Settle(page.Window());
	}

	std::string Step(ModelPage& page, std::mt19937& random)
	{
		Visual_Engine* engine = page.Engine();
		Visual_Text* view = engine->View();
		int32 length = view->TextLength();
		int32 start = static_cast<int32>(random() % (length + 1));
		int32 end = std::min(length, start + 1 + static_cast<int32>(random() % kLongestRange));
		switch (random() % 3) {
			case 0: {
				std::string word = std::string(1 + random() % 6, 'a' + random() % 26) + " ";
				BAutolock lock(engine);
				view->Insert(start, word.c_str(), static_cast<int32>(word.size()));
				return "typing at " + std::to_string(start);
			}
			case 1: {
				BAutolock lock(engine);
				view->Delete(start, end);
				return "deleting [" + std::to_string(start) + ", " + std::to_string(end) + ")";
			}
			default: {
				const _tagdict* tags[] = {tag_b, tag_i, tag_tt, tag_u, tag_h2, tag_p, nullptr,
					tag_blockquote};
				const _tagdict* tag = tags[random() % std::size(tags)];
				{
					BAutolock lock(engine);
					view->Select(start, end);
				}
				engine->Insert(tag, nullptr, INSERT_PLAIN);
				return std::string(tag != nullptr ? tag->name : "normal") + " over ["
					+ std::to_string(start) + ", " + std::to_string(end) + ")";
			}
		}
	}
};

} // namespace

TEST_P(UndoProperty, UndoGivesBackThePageBeforeEachStepAndASecondUndoThePageAfterIt)
{
	ModelPage page;
	page.Read(CorpusFiles::ReadInput(GetParam()));
	std::mt19937 random(kSeed + static_cast<unsigned>(std::hash<std::string>()(GetParam())));
	for (int step = 0; step < kStepsPerPage; step++) {
		State before = StateOf(page);
		std::string what = Step(page, random);
		Settle(page);
		State after = StateOf(page);
		std::string trace = what + " at step " + std::to_string(step);
		if (after == before)
			continue;
		ASSERT_TRUE(InOffsetOrder(after.marks)) << trace << ": " << Describe(after.marks);
		ASSERT_EQ(page.Engine()->View()->UndoLastStep(), UNDO_DONE) << trace;
		Settle(page);
		State undone = StateOf(page);
		ASSERT_TRUE(undone == before) << "undo of " << trace << ": " << Where(before, undone);
		ASSERT_EQ(page.Engine()->View()->UndoLastStep(), UNDO_DONE) << trace;
		Settle(page);
		State redone = StateOf(page);
		ASSERT_TRUE(redone == after) << "redo of " << trace << ": " << Where(after, redone);
	}
}

INSTANTIATE_TEST_SUITE_P(CorpusPages, UndoProperty,
	testing::ValuesIn(CorpusFiles::SpreadOrdinaryPages(kPages, 30000)),
	[](const testing::TestParamInfo<std::string>& info) {
		return CorpusFiles::TestName(info.param);
	});

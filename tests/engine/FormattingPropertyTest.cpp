// Random formatting commands over random ranges of the corpus's pages:
// after every one, every pair nests, the formatted range holds one member
// of the style's group, the page's text is the same, and the HTML written
// reads back into the same elements at the same offsets.

#include "FormattingChecks.h"

#include <random>
#include <set>

#include "Anchor.h"
#include "CorpusFiles.h"
#include "EndLine.h"
#include "NodeTree.h"
#include "TextChange.h"
#include "UnsupportedTag.h"

using namespace FormattingChecks;
using ModelTesting::ModelPage;

namespace {

constexpr unsigned kSeed = 1515;
constexpr int kStepsPerPage = 100;
constexpr size_t kPages = 40;
constexpr long kLongestRange = 200;

// The most members of the group open at once over a non-blank character
// of [from, to); a heading is the paragraph's and does not count.
int MostOpenInGroup(Visual_Engine* engine, style_group group, long from, long to)
{
	BAutolock lock(engine);
	const Element_List& list = *engine->ElementList();
	const char* text = engine->View()->Text();
	int open = 0;
	int most = 0;
	for (unsigned long i = 1; i <= list.LastIndex(); i++) {
		Element_List_Item item = list[i];
		long next = i < list.LastIndex() ? list[i + 1].offset : engine->View()->TextLength();
		PairRole role = PairRole::Of(item.element);
		if (StyleGroups::GroupOf(item.element) == group && !TextChange::IsHeadingType(role.tag))
			open += role.open ? 1 : -1;
		long start = item.offset + PairRole::OwnedLength(item);
		for (long o = std::max(start, from); o < std::min(next, to); o++) {
			if (text[o] != ' ')
				most = std::max(most, open);
		}
	}
	return most;
}

struct Command {
	const char* name;
	const _tagdict* tag;
	tag_mask mask;		// MASK_TAG, or with no tag the groups a removal takes off
	bool wrap;
};

std::vector<Command> Commands()
{
	std::vector<Command> commands;
	for (const _tagdict* tag : {tag_b, tag_i, tag_u, tag_strike, tag_tt, tag_big, tag_small,
			tag_sub, tag_sup, tag_em, tag_strong, tag_dfn, tag_code, tag_samp, tag_kbd, tag_var,
			tag_cite, tag_h1, tag_h2, tag_h3, tag_h4, tag_h5, tag_h6, tag_p, tag_a})
		commands.push_back({tag->name, tag, MASK_TAG, false});
	commands.push_back({"normal text", nullptr, MASK_TAG, false});
	for (const _tagdict* tag : {tag_blockquote, tag_center, tag_ul, tag_ol, tag_dl})
		commands.push_back({tag->name, tag, MASK_TAG, true});
	for (int mask = MASK_ALL; mask <= MASK_FONT; mask++)
		commands.push_back({"removal", nullptr, static_cast<tag_mask>(mask), false});
	return commands;
}

bool IsWrapping(const _tagdict* tag)
{
	for (const char* name : {"ul", "ol", "li", "dl", "dt", "dd", "blockquote", "center"}) {
		if (tag == LookUpTag(name))
			return true;
	}
	return false;
}

// What a command must not take from the page: the markup it does not
// render, line breaks, rules, link targets, paragraphs and headings, but
// for what the command is about.
std::multiset<std::string> Kept(Visual_Engine* engine, const Command& command)
{
	bool everything = command.mask == MASK_ALL || (command.tag == nullptr && !command.wrap
		&& command.mask == MASK_TAG);
	bool paragraphs = command.tag == tag_p || TextChange::IsHeadingType(command.tag)
		|| everything || command.mask == MASK_BASIC;
	bool links = command.tag == tag_a || everything || command.mask == MASK_ANCHOR;
	std::multiset<std::string> kept;
	std::set<std::string> targets;
	BAutolock lock(engine);
	const Element_List& list = *engine->ElementList();
	for (unsigned long i = 1; i <= list.LastIndex(); i++) {
		Visual_Element* element = list[i].element;
		if (auto* other = dynamic_cast<UnsupportedTag*>(element)) {
			if (!command.wrap || !IsWrapping(other->HTMLType()))
				kept.insert(other->Text() != nullptr ? other->Text() : "");
		} else if (auto* lineEnd = dynamic_cast<EndLine*>(element)) {
			if (lineEnd->Type() == tag_br || !paragraphs)
				kept.insert(lineEnd->Type()->name);
		} else if (auto* link = dynamic_cast<Anchor*>(element)) {
			if (!links && link->OpenTag())
				targets.insert(std::string(link->LinkTo()) + "#" + link->Name());
		} else if (auto* run = dynamic_cast<TextChange*>(element)) {
			if (!paragraphs && TextChange::IsHeadingType(run->Type()))
				kept.insert(run->Type()->name);
		} else {
			kept.insert("rule");
		}
	}
	kept.insert(targets.begin(), targets.end());
	return kept;
}

void RunCommand(ModelPage& page, const Command& command, long start, long end)
{
	Visual_Engine* engine = page.Engine();
	if (command.wrap) {
		engine->WrapParagraphs(start, end, command.tag);
	} else if (command.tag == nullptr && command.mask != MASK_TAG) {
		engine->UntagArea(&start, &end, command.mask, nullptr);
	} else {
		_node* node = page.NewNode();
		node->tag = command.tag;
		node->type = StartTag;
		engine->Format(start, end, node, nullptr);
	}
}

class FormattingProperty : public testing::TestWithParam<std::string> {
protected:
	void SetUp() override { ModelTesting::Settings(); }
};

} // namespace

TEST_P(FormattingProperty, CommandsKeepPairsNestedTheTextAndTheReadingBack)
{
	ModelPage page;
	page.Read(CorpusFiles::ReadInput(GetParam()));
	Visual_Engine* engine = page.Engine();
	std::string text;
	if (ReadBack(Saved(page), &text) != Marks(engine) || !Crossing(engine).empty()
			|| text != PageText(engine))
		GTEST_SKIP() << "the page does not read back as it is written";
	std::mt19937 random(kSeed + static_cast<unsigned>(std::hash<std::string>()(GetParam())));
	std::vector<Command> commands = Commands();
	std::string pageText = PageText(engine);
	for (int step = 0; step < kStepsPerPage; step++) {
		long length = engine->View()->TextLength();
		if (length < 2)
			GTEST_SKIP() << "the page has no text to format";
		const Command& command = commands[random() % commands.size()];
		long start = static_cast<long>(random() % length);
		long longest = std::min(length - start, kLongestRange);
		long end = start + 1 + static_cast<long>(random() % longest);
		std::string before = Describe(Marks(engine));
		std::multiset<std::string> kept = Kept(engine, command);
		RunCommand(page, command, start, end);
		std::string trace = std::string(command.name) + " " + std::to_string(command.mask)
			+ " over [" + std::to_string(start) + ", " + std::to_string(end) + ") at step "
			+ std::to_string(step) + "\nbefore: " + before;
		std::vector<Mark> marks = Marks(engine);
		ASSERT_EQ(Crossing(engine), "") << trace << "\nafter: " << Describe(marks);
		ASSERT_EQ(PageText(engine), pageText) << trace;
		ASSERT_TRUE(Kept(engine, command) == kept) << "something was lost: " << trace;
		style_group group = StyleGroups::GroupOf(command.tag);
		if (group != GROUP_NONE && !TextChange::IsHeadingType(command.tag)) {
			ASSERT_LE(MostOpenInGroup(engine, group, start, end), 1) << trace;
		}
		std::vector<Mark> readBack = ReadBack(Saved(page), &text);
		ASSERT_EQ(text, pageText) << trace;
		ASSERT_EQ(Difference(readBack, marks), "") << trace;
	}
}

INSTANTIATE_TEST_SUITE_P(CorpusPages, FormattingProperty,
	testing::ValuesIn(CorpusFiles::SpreadOrdinaryPages(kPages, 40000)),
	[](const testing::TestParamInfo<std::string>& info) {
		return CorpusFiles::TestName(info.param);
	});

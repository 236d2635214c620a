// A big page is shown before all of it is built: the rest is built a part
// at a time, and the window draws, styles and answers queries between the
// parts, while the element list holds starts whose ends are not in yet.
// Whatever the parts, the page must end as the page built at once.

#include <typeinfo>

#include <TextView.h>
#include <WindowTesting.h>

#include "CorpusFiles.h"
#include "ModelTesting.h"
#include "Visual_Element.h"

using ModelTesting::ModelPage;

namespace {

struct BuiltPage {
	std::string elements;
	std::string text;
	std::string look;
	std::string html;
};

// The text's styles, one line where the look changes.
std::string LookOf(const Visual_Text* view)
{
	text_run_array* runs = view->RunArray(0, view->TextLength());
	std::string look;
	std::string last;
	for (int32 i = 0; runs != nullptr && i < runs->count; i++) {
		const text_run& run = runs->runs[i];
		std::string style = std::to_string(run.font.Size()) + " " + std::to_string(run.font.Face())
			+ " " + std::to_string(run.color.red) + "," + std::to_string(run.color.green) + ","
			+ std::to_string(run.color.blue);
		if (style != last)
			look += std::to_string(run.offset) + ": " + style + "\n";
		last = style;
	}
	BTextView::FreeRunArray(runs);
	return look;
}

BuiltPage Describe(ModelPage& page)
{
	BuiltPage built;
	{
		BAutolock lock(page.Engine());
		const Element_List* list = page.Engine()->ElementList();
		for (unsigned long i = 0; i <= list->LastIndex(); i++) {
			Element_List_Item item = (*list)[i];
			built.elements += std::string(item.element != nullptr
				? typeid(*item.element).name() : "none") + "@" + std::to_string(item.offset)
				+ "[" + std::to_string(item.spaceFrom) + "," + std::to_string(item.spaceTo)
				+ "]\n";
		}
		built.text = page.Engine()->View()->Text();
		built.look = LookOf(page.Engine()->View());
	}
	built.html = std::string(page.GeneratedHTML().View());
	return built;
}

// What a user does with the part shown: the window draws its end, where
// the open starts are, and a click there asks for the formatting.
void UseThePartShown(ModelPage& page)
{
	{
		BAutolock lock(page.Engine());
		Visual_Text* view = page.Engine()->View();
		int32 end = view->TextLength();
		view->ScrollToOffset(end);
		view->OffsetAt(view->PointAt(end));
		page.Engine()->EnvironmentAt(end);
	}
	BPrivate::WaitForWindowIdle(page.Window());
}

class SlicedBuild : public testing::TestWithParam<std::string> {};

} // namespace

TEST_P(SlicedBuild, APageBuiltAFewNodesAtATimeAndDrawnBetweenEndsAsThePageBuiltAtOnce)
{
	std::string html = CorpusFiles::ReadInput(GetParam());
	ModelPage whole;
	whole.Read(html);
	BuiltPage expected = Describe(whole);

	// The biggest pages take parts a little bigger, so that the corpus is
	// built in a few thousand parts in all.
	const int32 nodes = std::max<int32>(5, static_cast<int32>(html.size() / 4000));
	ModelPage sliced;
	sliced.Read(html, nodes);
	int parts = 1;
	while (sliced.MyTidy()->IsBuilding()) {
		UseThePartShown(sliced);
		sliced.MyTidy()->BuildMore(nodes, B_INFINITE_TIMEOUT);
		parts++;
	}
	BuiltPage built = Describe(sliced);
	EXPECT_EQ(built.text, expected.text) << parts << " parts";
	EXPECT_EQ(built.elements, expected.elements) << parts << " parts";
	EXPECT_EQ(built.look, expected.look) << parts << " parts";
	EXPECT_EQ(built.html, expected.html) << parts << " parts";
}

// A page that needs its whole self (its HTML written) is built to its end
// first, however little of it was built.
TEST(SlicedBuildUse, WritingAPageBuiltInPartWritesTheWholePage)
{
	std::string body;
	for (int i = 0; i < 200; i++)
		body += "<p>paragraph <b>" + std::to_string(i) + "</b></p>\n";
	std::string html = "<html><head><title>t</title></head><body>" + body + "</body></html>";
	ModelPage whole;
	whole.Read(html);
	ModelPage sliced;
	sliced.Read(html, 10);
	ASSERT_TRUE(sliced.MyTidy()->IsBuilding());
	EXPECT_EQ(sliced.GeneratedHTML().View(), whole.GeneratedHTML().View());
	EXPECT_FALSE(sliced.MyTidy()->IsBuilding());
}

// The engine's looper gets the recovery copy's tick every second: a page
// being built has nothing to recover yet, and the tick must not build the
// rest in one go (holding the window all that time). A command does.
TEST(SlicedBuildUse, TheRecoveryTickLeavesTheRestToBeBuiltInPartsACommandBuildsIt)
{
	std::string body;
	for (int i = 0; i < 200; i++)
		body += "<p>paragraph " + std::to_string(i) + "</p>\n";
	ModelPage page;
	page.Read("<html><body>" + body + "</body></html>", 10);
	BMessenger looper(page.Engine()->Looper());
	BMessage reply;
	looper.SendMessage('rcpy', &reply);
	EXPECT_TRUE(page.MyTidy()->IsBuilding());
	looper.SendMessage('prew', &reply);
	EXPECT_FALSE(page.MyTidy()->IsBuilding());
}

INSTANTIATE_TEST_SUITE_P(CorpusPages, SlicedBuild,
	testing::ValuesIn(CorpusFiles::Inputs()),
	[](const testing::TestParamInfo<std::string>& info) {
		return CorpusFiles::TestName(info.param);
	});

// The engine: elements made from nodes and archives, deleted together with
// the characters they own, and the formatting at an offset.

#include "ModelTesting.h"

#include <atomic>
#include <functional>
#include <thread>

#include "Anchor.h"
#include "ErrorAlert.h"
#include "GarbageCollector_.h"
#include "NodeTree.h"
#include "TagDictionary.h"
#include "TextChange.h"
#include "Tidy.h"
#include "UnsupportedTag.h"
#include "WImage.h"

using ModelTesting::ModelTest;

namespace {

class EngineTest : public ModelTest {
protected:
	_node* NewNode(const _tagdict* tag, uint32 type = StartTag)
	{
		_node* node = fPage->MyTidy()->NewNode();
		node->tag = tag;
		node->type = type;
		return node;
	}

	long InsertAt(long offset, _node* node, insert_mode mode = INSERT_BUILD)
	{
		BAutolock lock(Engine());
		return Engine()->InsertAt(offset, node, mode, nullptr);
	}

	Page_Element* Instantiate(const BMessage& archive, long offset)
	{
		BAutolock lock(Engine());
		return Engine()->Instantiate(&archive, offset);
	}

	template <class Element>
	Element* Last()
	{
		return At<Element>(List()->LastIndex());
	}

	BMessage ArchiveOf(const Visual_Element* element)
	{
		BMessage archive;
		element->Archive(&archive);
		return archive;
	}
};

} // namespace

TEST_F(EngineTest, ATextNodeBeyondTheTextIsAppendedANodeInFrontOfItOrNoneMakesNothing)
{
	Open("<html><body>abc<b>def</b></body></html>");
	// The page keeps no text for its tree's nodes once it is built: a text
	// node made afterwards brings its own.
	EXPECT_TRUE(fPage->Lexer()->lexbuf.empty());
	fPage->Lexer()->lexbuf = "def";
	_node* text = NewNode(nullptr, TextNode);
	text->end = 3;
	EXPECT_EQ(InsertAt(100, text), 3);
	EXPECT_EQ(VisualText(), "abcdefdef");
	EXPECT_EQ(InsertAt(-1, NewNode(tag_b)), 0);
	EXPECT_EQ(InsertAt(0, nullptr), 0);
}

TEST_F(EngineTest, OnlyUserEditsMarkTheVisualSideChanged)
{
	Open("<html><body>abc</body></html>");
	{
		// As a reading builds.
		Visual_Engine::Building building(*Engine());
		InsertAt(1, NewNode(tag_br), INSERT_BUILD);
	}
	EXPECT_EQ(fPage->CountChanges(), 0);
	InsertAt(1, NewNode(tag_br), INSERT_EDIT);
	EXPECT_GT(fPage->CountChanges(), 0);
}

TEST_F(EngineTest, ArchivesOfEveryClassComeBackAsTheyWere)
{
	Open("<html><body>a<a href=\"x.html\" name=\"n\" target=\"_top\">b</a>"
		"<font face=\"DejaVu Serif\" size=4 color=\"#102030\">c</font><hr noshade>"
		"<!-- d --><p align=center>e</p></body></html>");
	std::string before = Body();
	std::vector<BMessage> archives;
	for (unsigned long i = 1; i <= List()->LastIndex(); i++) {
		archives.push_back(ArchiveOf((*List())[i].element));
		archives.back().AddInt32("relative_offset", 0);
	}
	std::vector<long> offsets;
	for (unsigned long i = 1; i <= List()->LastIndex(); i++)
		offsets.push_back((*List())[i].offset);
	// Restored as the page is built: in list order, each in front of the
	// text it goes with.
	BAutolock lock(Engine());
	List()->Empty();
	View()->SetInsertMode(INSERT_BUILD);
	for (size_t i = 0; i < archives.size(); i++)
		ASSERT_NE(Instantiate(archives[i], offsets[i]), nullptr) << i;
	View()->SetInsertMode(INSERT_EDIT);
	EXPECT_EQ(Body(), before);
}

TEST_F(EngineTest, ArchivesComeBackAtTheirRelativeOffsetThoseOfUnknownClassesMakeNothing)
{
	Open("<html><body>0123456789abcdefghij</body></html>");
	InsertAt(2, NewNode(tag_b));
	BMessage archive = ArchiveOf(Last<TextChange>());
	archive.AddInt32("relative_offset", 3);
	Page_Element* copy = Instantiate(archive, 10);
	ASSERT_NE(copy, nullptr);
	EXPECT_EQ(copy->ThisOffset(), 13);
	EXPECT_EQ(dynamic_cast<TextChange*>(copy)->Type(), tag_b);
	unsigned long count = List()->LastIndex();
	archive.ReplaceString("class", "Textchange");
	EXPECT_EQ(Instantiate(archive, 1), nullptr);
	archive.ReplaceString("class", "TextChange");
	archive.RemoveName("_type");
	EXPECT_EQ(Instantiate(archive, 1), nullptr);
	EXPECT_EQ(List()->LastIndex(), count);
}

TEST_F(EngineTest, ATagClosingAtTheOffsetIsStillOpenWhenUnclosedIsAskedNegativeOffsetsAskForTheStart)
{
	Open("<html><body>a<b>b</b>c</body></html>");
	BAutolock lock(Engine());
	EXPECT_TRUE(*Engine()->EnvironmentAt(-5) == *Engine()->EnvironmentAt(0));
	EXPECT_FALSE(Engine()->EnvironmentAt(2)->IsBold());
	EXPECT_TRUE(Engine()->EnvironmentAtUnclosed(2)->IsBold());
	EXPECT_TRUE(Engine()->EnvironmentAt(1)->IsBold());
}

// The formatting along a long page is remembered from walk to walk; what
// changes before a place changes the formatting found there: a change of
// the list's order, or an element changed in place and refreshed.
TEST_F(EngineTest, FormattingFarIntoAPageFollowsChangesBeforeIt)
{
	struct Row {
		const char* change;
		std::function<void(Anchor* link)> make;
	};
	const Row rows[] = {
		{"the link's opening goes", [this](Anchor* link) { Engine()->Delete(link); }},
		{"the link loses its target", [this](Anchor* link) {
			link->SetLinkTo("");
			View()->Refresh(link);
		}},
	};
	std::string bold;
	for (int i = 0; i < 400; i++)
		bold += "<b>b</b> ";
	for (const Row& row : rows) {
		Open("<html><body><a href=\"x\">" + bold + "</a></body></html>");
		long late = View()->TextLength() - 4;
		{
			BAutolock lock(Engine());
			ASSERT_TRUE(Engine()->EnvironmentAt(late)->IsUnderlined()) << row.change;
			row.make(At<Anchor>(1));
		}
		Settle();
		BAutolock lock(Engine());
		EXPECT_FALSE(Engine()->EnvironmentAt(late)->IsUnderlined()) << row.change;
	}
}

TEST_F(EngineTest, InsertingAFileTagChoosesByItsExtension)
{
	Open("<html><body>abc</body></html>");
	std::vector<std::string> alerts;
	static std::vector<std::string>* sAlerts;
	sAlerts = &alerts;
	error_alert_handler old = SetErrorAlertHandler([](const char* t) { sAlerts->push_back(t); });
	{
		BAutolock lock(Engine());
		View()->Select(1, 1);
	}
	entry_ref image(0, 0, "photo.JPEG");
	Engine()->Insert(tag_b, &image, INSERT_PLAIN);
	EXPECT_EQ(Last<WImage>()->HTMLType(), tag_img);
	unsigned long count = List()->LastIndex();
	entry_ref notes(0, 0, "notes.txt");
	Engine()->Insert(tag_br, &notes, INSERT_PLAIN);
	EXPECT_EQ(List()->LastIndex(), count) << "no tag, nothing inserted";
	entry_ref readme(0, 0, "README");
	Engine()->Insert(tag_br, &readme, INSERT_PLAIN);
	SetErrorAlertHandler(old);
	ASSERT_EQ(alerts.size(), 2u);
	EXPECT_EQ(alerts[0], "Could not open image file: photo.JPEG")
		<< "a picture the user inserts that cannot be read is told of at once";
	EXPECT_EQ(alerts[1], "Incorrect file");
	EXPECT_TRUE(Last<WImage>()->IsPlaceholder()) << "the picture shows as a frame";
	EXPECT_EQ(VisualText(), "a\n     bc") << "the line break goes in anyway, and the frame's room";

	Open("<html><body><b>abc</b></body></html>");
	{
		BAutolock lock(Engine());
		View()->Select(0, 3);
	}
	Engine()->Insert(nullptr, &notes, INSERT_PLAIN);
	EXPECT_EQ(Body(), "<B>abc</B>") << "a file that is no image takes no style off";
}

TEST_F(EngineTest, EmptyingLeavesNoElementNoTextAndNoGarbage)
{
	Open("<html><body><h1>a</h1><b>b</b><hr><p>c<br>d</p></body></html>");
	Engine()->Empty();
	EXPECT_EQ(List()->LastIndex(), 0u);
	EXPECT_EQ(VisualText(), "");
	EXPECT_EQ(fPage->GarbageCollector()->CountRegistered(), 1) << "only the sentinel lives";
}

TEST_F(EngineTest, ABuildingScopeRestoresTheInsertModeItFoundAndLetsTheEngineGo)
{
	Open("<html><body>abc</body></html>");
	{
		BAutolock lock(Engine());
		View()->SetInsertMode(INSERT_BUILD);
	}
	{
		Visual_Engine::Building outer(*Engine());
		EXPECT_TRUE(View()->IsRefreshBlocked());
		{
			Visual_Engine::Building inner(*Engine());
		}
		EXPECT_TRUE(Engine()->IsLocked()) << "the inner scope leaves the lock to the outer one";
		EXPECT_EQ(View()->InsertMode(), INSERT_BUILD);
	}
	EXPECT_EQ(View()->InsertMode(), INSERT_BUILD) << "a build inside a build stays one";
	EXPECT_FALSE(View()->IsRefreshBlocked());
	EXPECT_FALSE(Engine()->IsLocked());
}

TEST(ParserBridgeLock, AHolderOfTheThreadThatHoldsTheBridgeLeavesTheReleaseToTheOuterOne)
{
	ModelTesting::ModelPage page;
	Tidy* bridge = page.MyTidy();
	std::atomic<bool> taken{false};
	std::thread other;
	{
		Tidy::Holder outer(*bridge);
		{
			Tidy::Holder inner(*bridge);
		}
		other = std::thread([&] {
			Tidy::Holder elsewhere(*bridge);
			taken = true;
		});
		snooze(50000);
		EXPECT_FALSE(taken) << "released by the inner holder";
	}
	other.join();
	EXPECT_TRUE(taken);
}

// Nothing typed may vanish: whatever keys, clicks and selections do to a
// real page, the HTML written from it, read back, shows the text the view
// shows. Text that went inside an element's room would be skipped when the
// HTML is written.

#include <algorithm>
#include <cctype>
#include <random>
#include <string>

#include <WindowTesting.h>

#include "CorpusFiles.h"
#include "PageTesting.h"

using PageTesting::PageTest;

namespace {

// The text a reader sees: white space (the blanks of element rooms too)
// collapsed, the non-breaking space kept apart from it. A character that
// went into a room is seen in the view, but not written.
std::string Shown(Visual_Engine* engine)
{
	BAutolock lock(engine);
	Visual_Text* view = engine->View();
	std::string shown;
	bool blank = true;
	for (int32 offset = 0; offset < view->TextLength(); offset++) {
		char c = static_cast<char>(view->ByteAt(offset));
		if (std::isspace(static_cast<unsigned char>(c))) {
			if (!blank)
				shown += ' ';
			blank = true;
			continue;
		}
		shown += c == '\x0F' ? '~' : c;
		blank = false;
	}
	while (!shown.empty() && shown.back() == ' ')
		shown.pop_back();
	return shown;
}

struct Key {
	const char* bytes;
	uint32 modifiers;
};

const Key kKeys[] = {
	{"q", 0}, {"Z", 0}, {"q", 0}, {"Z", 0}, {"q", 0}, {" ", 0}, {" ", B_SHIFT_KEY}, {"\n", 0}, {"\n", B_SHIFT_KEY},
	{"\x08", 0}, {"\x7F", 0}, {"\t", 0}, {"\x1C", 0}, {"\x1D", 0}, {"\x1E", 0}, {"\x1F", 0},
	{"\x1C", B_SHIFT_KEY}, {"\x1D", B_SHIFT_KEY}, {"\x01", 0}, {"\x04", 0},
	{"\x05", B_SHIFT_KEY}, {"\x05", B_COMMAND_KEY | B_CONTROL_KEY},
};

class TypingKeepsText : public PageTest {
protected:
	// Reads html as a page is read and tells what it shows.
	std::string ShownAfterReading(const std::string& html)
	{
		fReader.Read(html);
		return Shown(fReader.Engine());
	}

	std::string ShownOfGenerated() { return ShownAfterReading(Generated()); }

	// One random action of a user: a key, a click, or a selection.
	std::string Act(std::mt19937& random)
	{
		int32 length = 0;
		{
			BAutolock lock(VisualWindow());
			length = View()->TextLength();
		}
		std::uniform_int_distribution<int32> offsets(0, std::max(length, 1));
		switch (random() % 4) {
			case 0: {
				int32 a = random() % 2 == 0 ? InsideARoom(random) : offsets(random);
				int32 b = random() % 2 == 0 ? a : offsets(random);
				BAutolock lock(VisualWindow());
				View()->Select(std::min(a, b), std::max(a, b));
				return "select " + std::to_string(a) + ".." + std::to_string(b);
			}
			case 1: {
				int32 offset = std::min(offsets(random), length);
				BPoint point;
				{
					BAutolock lock(VisualWindow());
					View()->ScrollToOffset(offset);
					point = VisualWindow()->ConvertFromScreen(
						View()->ConvertToScreen(View()->PointAt(offset) + BPoint(1, 3)));
				}
				BPrivate::PostClick(VisualWindow(), point);
				return "click at " + std::to_string(offset);
			}
			default: {
				const Key& key = kKeys[random() % std::size(kKeys)];
				BPrivate::PostKey(VisualWindow(), key.bytes, key.modifiers);
				return "key " + std::to_string(static_cast<unsigned char>(key.bytes[0]))
					+ " modifiers " + std::to_string(key.modifiers);
			}
		}
	}

	// Where an element's room is most easily broken into: past its first
	// character. Any offset when the page has no room.
	int32 InsideARoom(std::mt19937& random)
	{
		BAutolock lock(VisualWindow());
		std::vector<int32> inside;
		for (unsigned long i = 1; i <= List()->LastIndex(); i++) {
			Element_List_Item item = (*List())[i];
			for (int32 offset = item.offset + 1; offset < item.offset + item.spaceTo; offset++)
				inside.push_back(offset);
		}
		if (inside.empty())
			return static_cast<int32>(random() % (View()->TextLength() + 1));
		return inside[random() % inside.size()];
	}

	ModelTesting::ModelPage fReader;
};

// Short pages of prose: tables, forms, lists and frames are put in order
// by the HTML checker when read, which moves or drops what may not stand
// in them (a paragraph in a menu's option), whoever wrote it.
std::vector<std::string> ProsePages()
{
	std::vector<std::string> pages;
	for (const std::string& input : CorpusFiles::Inputs()) {
		std::string html = CorpusFiles::ReadInput(input);
		std::string lower = html;
		std::transform(lower.begin(), lower.end(), lower.begin(),
			[](unsigned char c) { return static_cast<char>(std::tolower(c)); });
		bool prose = html.size() > 600 && html.size() < 6000 && lower.find("<table") == std::string::npos
			&& lower.find("<form") == std::string::npos && lower.find("<frame") == std::string::npos
			&& lower.find("<pre") == std::string::npos && lower.find("<ul") == std::string::npos
			&& lower.find("<select") == std::string::npos;
		if (prose && input.find("xml-cases") == std::string::npos)
			pages.push_back(input);
	}
	return pages;
}

} // namespace

TEST_F(TypingKeepsText, RandomEditsOfCorpusPagesKeepEveryCharacterInTheHTML)
{
	std::mt19937 random(1411);
	int32 pagesTried = 0;
	for (const std::string& input : ProsePages()) {
		if (pagesTried == 4)
			break;
		Open(CorpusFiles::ReadInput(input));
		if (Shown(Engine()).size() < 40 || ShownOfGenerated() != Shown(Engine())) {
			TearDown();
			continue;
		}
		pagesTried++;
		SCOPED_TRACE(input);
		std::vector<std::string> done;
		for (int step = 0; step < 40; step++) {
			done.push_back(Act(random));
			BPrivate::WaitForWindowIdle(VisualWindow());
			Settle();
			std::string shown = Shown(Engine());
			ASSERT_EQ(ShownOfGenerated(), shown) << "after " << done.size() << " steps, last "
				<< done.back();
		}
		TearDown();
	}
	EXPECT_EQ(pagesTried, 4) << "pages of prose in the corpus";
}

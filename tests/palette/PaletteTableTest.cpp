// The palette's tag list: every category in order, collapsed, with tags
// whose data writes the names they show, and a tag of each kind (pairs
// without attributes, with a value menu and with a presence attribute, a
// single tag) as the user sees it. The rows are written here from
// the HTML 4 tags the palette offers, not from the program's table.

#include <memory>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <Autolock.h>
#include <OutlineListView.h>

#include "ControlTesting.h"
#include "HTMLPaletteWindow.h"
#include "WTagAttrListItem.h"

namespace {

const std::vector<std::string> kCategories = {"Document elements", "General elements",
	"Information elements", "Font elements", "Block elements", "Headings", "Frame elements",
	"List elements", "Applets", "Table elements", "Form elements", "Image map elements"};

// "Label | TAG | pair or single | attributes", in their categories.
const std::vector<std::pair<std::string, std::string>> kSomeTags = {
	{"Font elements", "Bold | B | pair | none"},
	{"Font elements", "Font | FONT | pair | face, size (1, 2, 3, 4, 5, 6, 7, +1, +2, +3, +4, "
		"+5, +6, -1, -2, -3, -4, -5, -6), color"},
	{"Headings", "Horizontal rule | HR | single | width, align (LEFT, RIGHT, CENTER), size, "
		"noshade (presence)"},
	{"Document elements", "Script | SCRIPT | pair | type, src, defer (presence)"},
};

std::string StringOf(const BMessage* data, const char* name, int32 index = 0)
{
	const char* value = nullptr;
	return data->FindString(name, index, &value) == B_OK ? value : "(none)";
}

// An attribute row as the expected rows write it; the names it writes and
// the default of a typed value are checked on the way.
std::string AttributeRow(const WTagAttrListItem* attribute)
{
	const BMessage* data = attribute->Data();
	std::string name = StringOf(data, "_attribute");
	EXPECT_EQ(attribute->Text(), name);
	EXPECT_EQ(StringOf(data, "html"), name);
	if (data->HasBool("presentmode")) {
		EXPECT_EQ(StringOf(data, "field", 0) + "/" + StringOf(data, "field", 1), "Absent/Present");
		return name + " (presence)";
	}
	if (data->HasString("text")) {
		EXPECT_EQ(StringOf(data, "text"), "") << name;
		return name;
	}
	std::string values;
	const char* value = nullptr;
	for (int32 i = 0; data->FindString("field", i, &value) == B_OK; i++)
		values += (i > 0 ? ", " : "") + std::string(value);
	return name + " (" + values + ")";
}

std::string TagRow(const WTagAttrListItem* tag)
{
	const BMessage* data = tag->Data();
	std::string name = StringOf(data, "_tag");
	EXPECT_EQ(StringOf(data, "html"), name);
	bool pair = data->HasString("html2");
	if (pair) {
		EXPECT_EQ(StringOf(data, "html2"), name);
	}
	std::string attributes;
	for (const std::unique_ptr<WTagAttrListItem>& attribute : tag->Attributes())
		attributes += (attributes.empty() ? "" : ", ") + AttributeRow(attribute.get());
	return std::string(tag->Text()) + " | " + name + " | " + (pair ? "pair" : "single") + " | "
		+ (attributes.empty() ? "none" : attributes);
}

class PaletteTable : public ControlTests::ControlTest {};

} // namespace

TEST_F(PaletteTable, TheTagListHoldsEveryCategoryInOrderWithItsTags)
{
	HTMLPaletteWindow* palette = new HTMLPaletteWindow(fWindow);
	std::vector<std::string> categories;
	std::set<std::pair<std::string, std::string>> rows;
	{
		BAutolock lock(palette);
		auto* list = dynamic_cast<BOutlineListView*>(palette->FindView("tag_List"));
		ASSERT_NE(list, nullptr);
		for (int32 i = 0; i < list->FullListCountItems(); i++) {
			BListItem* row = list->FullListItemAt(i);
			auto* tag = dynamic_cast<WTagAttrListItem*>(row);
			if (tag == nullptr) {
				auto* heading = dynamic_cast<BStringItem*>(row);
				ASSERT_NE(heading, nullptr);
				EXPECT_EQ(row->OutlineLevel(), 0u);
				EXPECT_FALSE(row->IsExpanded()) << heading->Text() << " starts collapsed";
				categories.push_back(heading->Text());
				continue;
			}
			ASSERT_FALSE(categories.empty()) << "a tag above the first category";
			EXPECT_EQ(row->OutlineLevel(), 1u);
			rows.emplace(categories.back(), TagRow(tag));
		}
	}
	palette->Lock();
	palette->Quit();

	EXPECT_EQ(categories, kCategories);
	EXPECT_EQ(rows.size(), 83u) << "the HTML 4 tags, each once";
	for (const auto& row : kSomeTags)
		EXPECT_EQ(rows.count(row), 1u) << row.second;
}

TEST(PaletteEntries, AnEntryNeedsALabelAndATagName)
{
	EXPECT_EQ(WTagAttrListItem::CreateTag(nullptr, "B"), nullptr);
	EXPECT_EQ(WTagAttrListItem::CreatePairTag("Bold", ""), nullptr);
	EXPECT_EQ(WTagAttrListItem::CreateTextAttribute(""), nullptr);
	EXPECT_EQ(WTagAttrListItem::CreatePresentAttribute(nullptr), nullptr);
	std::unique_ptr<WTagAttrListItem> named
		= WTagAttrListItem::CreateFieldAttribute("Align", {"LEFT"}, "align", "ALIGN");
	ASSERT_NE(named, nullptr);
	EXPECT_EQ(StringOf(named->Data(), "_attribute") + StringOf(named->Data(), "html"),
		"alignALIGN");
}

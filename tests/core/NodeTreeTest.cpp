#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "NodeTree.h"

namespace {

_node* Element(const _tagdict* tag, uint32 type = StartTag)
{
	_node* node = NewNode();
	node->type = type;
	node->tag = tag;
	node->element = CopyNodeString(tag != nullptr ? tag->name : "?");
	return node;
}

_node* Child(_node* parent, _node* child)
{
	NodeTree::AppendChild(parent, child);
	return child;
}

char* Owned(const char* text)
{
	return strdup(text);
}

// A text for each visit: the element's name, "/" before it on a closing
// visit, "#text" and "#comment" for the others, "#root" for the root.
std::string Walk(_node* root)
{
	std::string visits;
	bool closing = false;
	bool descend = true;
	for (_node* node = root->content; node != nullptr;
			node = NodeTree::LogicalNextNode(node, closing, descend)) {
		if (!visits.empty())
			visits += ' ';
		if (closing)
			visits += '/';
		if (node->type == RootNode)
			visits += "#root";
		else if (node->type == TextNode)
			visits += "#text";
		else if (node->type == CommentTag)
			visits += "#comment";
		else
			visits += node->element;
	}
	return visits;
}

class AttributeReading : public testing::Test {
protected:
	void SetUp() override
	{
		fBody = Element(tag_body);
		NodeTree::AddAttribute(fBody, "BGCOLOR", "ff0000", '"');
		NodeTree::AddAttribute(fBody, "onLoad", "init()", '\'');
		NodeTree::AddAttribute(fBody, "nowrap", std::nullopt, 0);
		NodeTree::AddAttribute(fBody, "Text", "#00FF00", 0);
		NodeTree::AddAttribute(fBody, "data-x", "1", '"');
		NodeTree::AddAttribute(fBody, "bgcolor", "blue", '"');
	}

	void TearDown() override { FreeNode(fBody); }

	_node* fBody = nullptr;
};

} // namespace

TEST_F(AttributeReading, TheFirstOfTheKindReplacesTheOutStringAndNothingLeavesItAsItWas)
{
	char* value = Owned("old");
	NodeTree::ReadAttribute(&value, fBody, attr_bgcolor);
	EXPECT_STREQ(value, "ff0000");
	NodeTree::ReadAttribute(&value, fBody, attr_text);
	EXPECT_STREQ(value, "#00FF00");
	NodeTree::ReadAttribute(&value, fBody, attr_href);
	NodeTree::ReadAttribute(&value, nullptr, attr_bgcolor);
	NodeTree::ReadAttribute(&value, fBody, nullptr);
	NodeTree::ReadAttribute(nullptr, fBody, attr_bgcolor);
	EXPECT_STREQ(value, "#00FF00") << "a missing attribute or argument";
	free(value);
	value = nullptr;
	NodeTree::ReadAttribute(&value, fBody, LookUpAttribute("nowrap"));
	EXPECT_STREQ(value, "") << "an attribute without a value";
	free(value);
}

TEST_F(AttributeReading, UnsupportedAttributesKeepOrderNamesAndValuesAsWritten)
{
	char* kept = Owned("old");
	NodeTree::ReadUnsupportedAttributes(&kept, fBody, attr_text, attr_bgcolor, attr_link,
		attr_background);
	EXPECT_STREQ(kept, " onLoad=\"init()\" nowrap data-x=\"1\"");
	// Unknown attributes are never excluded by an empty slot.
	NodeTree::ReadUnsupportedAttributes(&kept, fBody);
	EXPECT_STREQ(kept, " BGCOLOR=\"ff0000\" onLoad=\"init()\" nowrap Text=\"#00FF00\" data-x=\"1\""
		" bgcolor=\"blue\"");
	_node* rule = Element(tag_hr);
	NodeTree::AddAttribute(rule, "width", "50%", '"');
	NodeTree::ReadUnsupportedAttributes(&kept, rule, attr_width);
	EXPECT_EQ(kept, nullptr) << "nothing left";
	NodeTree::ReadUnsupportedAttributes(&kept, nullptr);
	EXPECT_EQ(kept, nullptr);
	FreeNode(rule);
}

// A value written in single quotes may hold a double quote; written back
// between double quotes it would end the value early.
TEST(AttributeValues, DoubleQuotesAreStoredAsReferencesSoTheyCanBeRequoted)
{
	_node* image = Element(tag_img, StartEndTag);
	_attval* title = NodeTree::AddAttribute(image, "title", "say \"hi\"", '\'');
	EXPECT_STREQ(title->value, "say &quot;hi&quot;");
	EXPECT_EQ(title->dict, LookUpAttribute("title"));
	char* kept = nullptr;
	NodeTree::ReadUnsupportedAttributes(&kept, image);
	EXPECT_STREQ(kept, " title=\"say &quot;hi&quot;\"");
	free(kept);
	FreeNode(image);
}

TEST(NodeValidity, OnlyNodesLinkedIntoATreeAreValid)
{
	_node* lone = NewNode();
	EXPECT_EQ(lone->type, TextNode);
	EXPECT_FALSE(NodeTree::IsValidNode(lone));
	EXPECT_FALSE(NodeTree::IsValidNode(nullptr));

	_node* paragraph = Element(tag_p);
	EXPECT_FALSE(NodeTree::IsValidNode(paragraph));
	Child(paragraph, lone);
	EXPECT_TRUE(NodeTree::IsValidNode(lone));
	EXPECT_TRUE(NodeTree::IsValidNode(paragraph));
	FreeNode(paragraph);
}

TEST(DocumentOrderWalk, ElementsWithContentCloseEvenWhenTheyAreNotPaired)
{
	_node* root = NewNode();
	root->type = RootNode;
	_node* odd = Child(root, Element(nullptr));
	Child(odd, NewNode());
	EXPECT_EQ(Walk(root), "? #text /? /#root");
	FreeNode(root);
}

TEST(FreeingNodes, ATreeDeeperThanAnyStackIsFreedWithoutRecursion)
{
	_node* top = Element(tag_b);
	_node* deepest = top;
	for (int i = 0; i < 1000000; i++)
		deepest = Child(deepest, Element(tag_b));
	Child(deepest, NewNode());
	FreeNode(top);
}

TEST(FreeingNodes, SiblingsAfterTheNodeStay)
{
	_node* list = Element(tag_ul);
	_node* first = Child(list, Element(tag_li));
	Child(first, NewNode());
	_node* second = Child(list, Element(tag_li));
	FreeNode(first);
	// The caller unlinks; the sibling and the parent are untouched.
	list->content = second;
	second->prev = nullptr;
	EXPECT_STREQ(second->element, "li");
	EXPECT_STREQ(list->element, "ul");
	FreeNode(list);
}

#include "KList.h"
#include "KStack.h"

#include <gtest/gtest.h>

namespace {

// Counts its own destructions, to show that containers do not delete.
struct Counted {
	explicit Counted(int* deaths) : deaths(deaths) {}
	~Counted() { (*deaths)++; }
	int* deaths;
};

} // namespace

TEST(KStackTest, PopAndTopFollowTheLastPushAndGiveNullWhenEmpty)
{
	int a = 1, b = 2;
	KStack<int> stack;
	EXPECT_EQ(stack.TopIndex(), -1);
	EXPECT_EQ(stack.Top(), nullptr);
	EXPECT_EQ(stack.Pop(), nullptr);

	stack.Push(&a);
	stack.Push(&b);
	EXPECT_EQ(stack.TopIndex(), 1);
	EXPECT_EQ(stack.Top(), &b);
	EXPECT_EQ(stack.Pop(), &b);
	EXPECT_EQ(stack.Top(), &a);
	EXPECT_EQ(stack.ItemAt(0), &a);
	EXPECT_EQ(stack.Pop(), &a);
	EXPECT_TRUE(stack.IsEmpty());
	EXPECT_EQ(stack.Pop(), nullptr);
}

TEST(KStackTest, EmptyingAndDestructionDeleteNothing)
{
	int deaths = 0;
	Counted first(&deaths), second(&deaths);
	{
		KStack<Counted> stack;
		stack.Push(&first);
		stack.Push(&second);
		stack.Empty();
		EXPECT_EQ(stack.TopIndex(), -1);
		stack.Push(&first);
	}
	EXPECT_EQ(deaths, 0);
}

TEST(KListTest, TypedAccessAndOutOfRangeIndices)
{
	int deaths = 0;
	Counted a(&deaths), b(&deaths), c(&deaths);
	{
		KList<Counted> list;
		EXPECT_TRUE(list.AddItem(&a));
		EXPECT_TRUE(list.AddItem(&c));
		EXPECT_TRUE(list.AddItem(&b, 1));
		EXPECT_FALSE(list.AddItem(&b, 9));
		EXPECT_EQ(list.ItemAt(1), &b);
		EXPECT_EQ(list.ItemAt(3), nullptr);
		EXPECT_EQ(list.IndexOf(&c), 2);
		EXPECT_EQ(list.RemoveItem(0), &a);
		EXPECT_TRUE(list.RemoveItem(&c));
		EXPECT_EQ(list.LastItem(), &b);
		list.MakeEmpty();
		EXPECT_TRUE(list.IsEmpty());
		list.AddItem(&a);
	}
	EXPECT_EQ(deaths, 0);
}

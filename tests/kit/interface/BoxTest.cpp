#include "ControlTesting.h"

#include <Box.h>

using namespace ControlTests;

namespace {

using BoxTest = ControlTest;

TEST_F(BoxTest, DrawsItsLabel)
{
	BBox* box = Add(new BBox(BRect(10, 10, 209, 109), "colors_Box"));
	Locked([&] { box->SetLabel("Colors"); });
	Show();
	EXPECT_TRUE(AnyPixelIn(box, BRect(10, 0, 60, 15), IsInk));
}

} // namespace

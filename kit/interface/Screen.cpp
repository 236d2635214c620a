#include <Screen.h>

#include <DisplayServer.h>

const screen_id B_MAIN_SCREEN_ID = {0};

BScreen::BScreen(screen_id id)
	: fValid(id.id == B_MAIN_SCREEN_ID.id)
{
}

BScreen::BScreen(BWindow*)
	: fValid(true)
{
}

BRect BScreen::Frame() const
{
	int32 width = 0;
	int32 height = 0;
	BPrivate::DisplayServer::Default()->GetScreenSize(&width, &height);
	return BRect(0, 0, width - 1, height - 1);
}

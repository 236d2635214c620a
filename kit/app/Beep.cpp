#include <Beep.h>

#include <DisplayServer.h>

status_t beep()
{
	BPrivate::DisplayServer::Default()->Beep();
	return B_OK;
}

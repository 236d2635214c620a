#include <InterfaceDefs.h>

#include <DisplayServer.h>

uint32 modifiers()
{
	return BPrivate::DisplayServer::Default()->Modifiers();
}

#include "ParsedPage.h"

ParsedPage::ParsedPage()
{
}

ParsedPage::~ParsedPage()
{
	FreeNode(fDocument);
}

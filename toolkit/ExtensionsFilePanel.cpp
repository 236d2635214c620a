#include "ExtensionsFilePanel.h"

ExtensionsFilePanel::ExtensionsFilePanel(file_panel_mode mode, BMessenger* target,
	std::vector<std::string> extensions, BMessage* message, const entry_ref* directory,
	bool allowMultipleSelection)
	: BFilePanel(mode, target, directory, 0, allowMultipleSelection, message),
	  fFilter(std::move(extensions))
{
	SetRefFilter(&fFilter);
}

ExtensionsFilePanel::~ExtensionsFilePanel()
{
	// The window must not list with a filter that is going.
	SetRefFilter(nullptr);
}

const std::vector<std::string>& ExtensionsFilePanel::Extensions() const
{
	return fFilter.Extensions();
}

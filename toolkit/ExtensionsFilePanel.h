#ifndef VELMORA_EXTENSIONS_FILE_PANEL_H
#define VELMORA_EXTENSIONS_FILE_PANEL_H

#include <string>
#include <vector>

#include <FilePanel.h>

#include "ExtensionFilter.h"

// A file panel that lists folders and only the files whose name ends in
// one of the given extensions ("html" takes "index.html" and "INDEX.HTML").
class ExtensionsFilePanel : public BFilePanel {
public:
	ExtensionsFilePanel(file_panel_mode mode, BMessenger* target,
		std::vector<std::string> extensions, BMessage* message = nullptr,
		const entry_ref* directory = nullptr, bool allowMultipleSelection = false);
	~ExtensionsFilePanel() override;

	const std::vector<std::string>& Extensions() const;

private:
	ExtensionFilter fFilter;
};

#endif

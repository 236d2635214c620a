#include "ExtensionsFilePanel.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <Entry.h>

#include "ControlTesting.h"
#include "TempDirectory.h"
#include "filepanel_support/DirectoryListing.h"

namespace {

// A site folder: pages in either case, images, a text file, a hidden page,
// a folder and a link to a page.
class ExtensionsFilePanelTest : public testing::Test {
protected:
	void SetUp() override
	{
		for (const char* name : {"index.html", "ABOUT.HTM", "logo.gif", "photo.JPEG", "notes.txt",
				".draft.html", "html"})
			fFolder.Write(name, "x");
		mkdir((fFolder / "images.html").c_str(), 0755);
		symlink((fFolder / "index.html").c_str(), (fFolder / "home.html").c_str());
		BEntry(fFolder.Path().c_str()).GetRef(&fFolderRef);
	}

	// What the panel lists of the folder.
	std::string Listed(BFilePanel& panel)
	{
		std::vector<BPrivate::ListedEntry> entries;
		BPrivate::DirectoryListing::Read(fFolder.Path(), panel.RefFilter(), &entries);
		std::string names;
		for (const BPrivate::ListedEntry& entry : entries)
			names += (names.empty() ? "" : " ") + entry.name;
		return names;
	}

	TempDirectory fFolder;
	entry_ref fFolderRef;
};

TEST_F(ExtensionsFilePanelTest, FilesOfTheExtensionsAreListedWhateverTheirCaseAndADotBeforeOne)
{
	ExtensionsFilePanel pages(B_OPEN_PANEL, nullptr, {"htm", "html"}, nullptr, &fFolderRef);
	EXPECT_EQ(Listed(pages), "images.html ABOUT.HTM home.html index.html");
	ExtensionsFilePanel images(B_OPEN_PANEL, nullptr, {"jpeg", ".jpg", "gif"}, nullptr,
		&fFolderRef);
	EXPECT_EQ(Listed(images), "images.html logo.gif photo.JPEG");
	EXPECT_EQ(images.Extensions(), (std::vector<std::string>{"jpeg", "jpg", "gif"}));
}

} // namespace

#include "ResourceArchive.h"

#include <memory>

#include <Bitmap.h>
#include <File.h>
#include <Message.h>
#include <Resources.h>

#include "Artwork.h"
#include "PictureFiles.h"
#include "StatusIcons.h"
#include "ToolBarIcons.h"

namespace ResourceArchive {

const char* const kName = "ButtonBarButtons";

std::vector<PictureRecipe> Pictures()
{
	std::vector<PictureRecipe> pictures = ToolBarIcons::Recipes();
	pictures.push_back(Artwork::LogoRecipe());
	for (const PictureRecipe& recipe : StatusIcons::Recipes())
		pictures.push_back(recipe);
	return pictures;
}

status_t BuildMessage(BMessage* archive)
{
	if (archive == nullptr)
		return B_BAD_VALUE;
	for (const PictureRecipe& recipe : Pictures()) {
		std::unique_ptr<BBitmap> bitmap = recipe.Render();
		if (bitmap == nullptr)
			return B_NO_MEMORY;
		BMessage bitmapArchive;
		status_t status = bitmap->Archive(&bitmapArchive);
		BMessage entry;
		if (status == B_OK)
			status = entry.AddMessage("bitmap", &bitmapArchive);
		if (status == B_OK)
			status = archive->AddMessage(recipe.name, &entry);
		if (status != B_OK)
			return status;
	}
	return B_OK;
}

status_t Flatten(std::string* bytes)
{
	if (bytes == nullptr)
		return B_BAD_VALUE;
	BMessage archive;
	status_t status = BuildMessage(&archive);
	if (status != B_OK)
		return status;
	ssize_t size = archive.FlattenedSize();
	if (size <= 0)
		return B_ERROR;
	bytes->assign(size, '\0');
	return archive.Flatten(bytes->data(), size);
}

status_t Write(const std::string& path)
{
	std::string flattened;
	status_t status = Flatten(&flattened);
	if (status != B_OK)
		return status;
	return PictureFiles::ReplaceWith(path, [&flattened](BFile& file) {
		BResources resources(&file, true);
		status_t result = resources.InitCheck();
		if (result == B_OK)
			result = resources.AddResource(kType, kID, flattened.data(), flattened.size(), kName);
		if (result == B_OK)
			result = resources.Sync();
		return result;
	});
}

} // namespace ResourceArchive

// Draws the program's pictures and writes the files they ship in: the
// resource archive beside the program, the About and test pictures of the
// documentation folder, the desktop icon, and for review a contact sheet
// and loose PNGs.

#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include <Bitmap.h>
#include <Errors.h>

#include "Artwork.h"
#include "Canvas.h"
#include "ContactSheet.h"
#include "GifWriter.h"
#include "PictureFiles.h"
#include "PictureFonts.h"
#include "ResourceArchive.h"

namespace {

const int kJpegQuality = 90;

struct Options {
	std::string archive;
	std::string images;
	std::string icon;
	std::string version;
	std::string sheet;
	std::string pngs;
};

void PrintUsage()
{
	fprintf(stderr,
		"usage: make_resources [--archive FILE] [--images FOLDER --version VERSION]\n"
		"                      [--icon FILE] [--sheet FILE] [--pngs FOLDER]\n"
		"  --archive FILE    the resource archive (\"ButtonBarButtons\")\n"
		"  --images FOLDER   About.gif (showing VERSION) and Test.jpg\n"
		"  --icon FILE       the 128 by 128 application icon, a PNG\n"
		"  --sheet FILE      a PNG of every picture, for review\n"
		"  --pngs FOLDER     every picture of the archive as NAME.png\n");
}

bool ParseOptions(int argc, char** argv, Options* options)
{
	for (int i = 1; i < argc; i++) {
		std::string* target = nullptr;
		if (strcmp(argv[i], "--archive") == 0)
			target = &options->archive;
		else if (strcmp(argv[i], "--images") == 0)
			target = &options->images;
		else if (strcmp(argv[i], "--icon") == 0)
			target = &options->icon;
		else if (strcmp(argv[i], "--version") == 0)
			target = &options->version;
		else if (strcmp(argv[i], "--sheet") == 0)
			target = &options->sheet;
		else if (strcmp(argv[i], "--pngs") == 0)
			target = &options->pngs;
		if (target == nullptr || i + 1 >= argc || argv[i + 1][0] == '\0')
			return false;
		*target = argv[++i];
	}
	bool anything = !options->archive.empty() || !options->images.empty()
		|| !options->icon.empty() || !options->sheet.empty() || !options->pngs.empty();
	return anything && (options->images.empty() || !options->version.empty());
}

// Draws a picture of the given size and hands its bitmap and surface on.
status_t Render(int width, int height, const std::function<void(cairo_t*)>& draw,
	const std::function<status_t(const Canvas&, const BBitmap&)>& use)
{
	Canvas canvas(width, height);
	if (!canvas.IsValid())
		return B_NO_MEMORY;
	draw(canvas.Context());
	std::unique_ptr<BBitmap> bitmap = canvas.ToBitmap();
	if (bitmap == nullptr)
		return B_NO_MEMORY;
	return use(canvas, *bitmap);
}

status_t WritePNG(const std::string& path, int width, int height,
	const std::function<void(cairo_t*)>& draw)
{
	return Render(width, height, draw, [&path](const Canvas& canvas, const BBitmap&) {
		std::string bytes;
		status_t status = PictureFiles::EncodePNG(canvas.Surface(), &bytes);
		return status == B_OK ? PictureFiles::Replace(path, bytes) : status;
	});
}

status_t WriteImages(const std::string& folder, const std::string& version)
{
	status_t status = PictureFiles::MakeFolders(folder);
	if (status != B_OK)
		return status;
	status = Render(Artwork::kAboutWidth, Artwork::kAboutHeight,
		[&version](cairo_t* context) { Artwork::DrawAbout(context, version); },
		[&folder](const Canvas&, const BBitmap& bitmap) {
			std::string bytes;
			status_t result = GifWriter::Encode(bitmap, &bytes);
			return result == B_OK ? PictureFiles::Replace(folder + "/About.gif", bytes) : result;
		});
	if (status != B_OK)
		return status;
	return Render(Artwork::kTestWidth, Artwork::kTestHeight, Artwork::DrawTestPicture,
		[&folder](const Canvas&, const BBitmap& bitmap) {
			std::string bytes;
			status_t result = PictureFiles::EncodeJPEG(bitmap, kJpegQuality, &bytes);
			return result == B_OK ? PictureFiles::Replace(folder + "/Test.jpg", bytes) : result;
		});
}

status_t WriteLoosePNGs(const std::string& folder)
{
	status_t status = PictureFiles::MakeFolders(folder);
	for (const PictureRecipe& recipe : ResourceArchive::Pictures()) {
		if (status != B_OK)
			break;
		status = WritePNG(folder + "/" + recipe.name + ".png", recipe.width, recipe.height,
			recipe.draw);
	}
	return status;
}

bool Report(const char* what, const std::string& path, status_t status)
{
	if (status != B_OK)
		fprintf(stderr, "make_resources: could not write %s \"%s\": %s\n", what, path.c_str(),
			status_text(status));
	return status == B_OK;
}

} // namespace

int main(int argc, char** argv)
{
	Options options;
	if (!ParseOptions(argc, argv, &options)) {
		PrintUsage();
		return 2;
	}
	bool ok = true;
	if (!options.archive.empty())
		ok &= Report("the resource archive", options.archive,
			ResourceArchive::Write(options.archive));
	if (!options.images.empty())
		ok &= Report("the pictures in", options.images,
			WriteImages(options.images, options.version));
	if (!options.icon.empty())
		ok &= Report("the icon", options.icon,
			WritePNG(options.icon, Artwork::kIconSize, Artwork::kIconSize, Artwork::DrawIcon));
	if (!options.sheet.empty())
		ok &= Report("the contact sheet", options.sheet,
			ContactSheet::Write(options.sheet, options.version.empty() ? "0.0" : options.version));
	if (!options.pngs.empty())
		ok &= Report("the pictures in", options.pngs, WriteLoosePNGs(options.pngs));
	PictureFonts::Finish();
	return ok ? 0 : 1;
}

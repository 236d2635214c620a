#ifndef GALLERY_TOOL_BAR_PICTURES_H
#define GALLERY_TOOL_BAR_PICTURES_H

class BBitmap;

// Small 24 x 24 pictures for the gallery's tool bar buttons, drawn into
// pixels (the program's own come from its resources): a page, a folder, a
// disk, a bold "B" bar, an italic slant, a link and a magnifier.
enum GalleryPicture {
	kPicturePage,
	kPictureFolder,
	kPictureDisk,
	kPictureBold,
	kPictureItalic,
	kPictureLink,
	kPictureFind
};

BBitmap* MakeToolBarPicture(GalleryPicture picture);

#endif

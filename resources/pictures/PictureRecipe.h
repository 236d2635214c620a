#ifndef _VELMORA_PICTURE_RECIPE_H
#define _VELMORA_PICTURE_RECIPE_H

#include <memory>

#include <cairo.h>

class BBitmap;

// How one picture of the program is made: its name in the resource archive,
// its size, and the function that draws it on a transparent surface of that
// size.
struct PictureRecipe {
	const char* name;
	int width;
	int height;
	void (*draw)(cairo_t* context);

	// The drawn picture as a B_RGBA32 bitmap; null when it cannot be made.
	std::unique_ptr<BBitmap> Render() const;
};

#endif

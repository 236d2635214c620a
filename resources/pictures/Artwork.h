#ifndef _VELMORA_ARTWORK_H
#define _VELMORA_ARTWORK_H

#include <string>

#include <cairo.h>

#include "PictureRecipe.h"

// The program's larger pictures: the start-up logo of the splash window,
// the About picture, the application icon for the desktop and the picture
// with which the image readers are tested at start.
namespace Artwork {

const int kLogoWidth = 400;
const int kLogoHeight = 160;
const int kAboutWidth = 360;
const int kAboutHeight = 240;
const int kIconSize = 128;
const int kTestWidth = 160;
const int kTestHeight = 120;

// "StartUpLogo", as the resource archive holds it.
PictureRecipe LogoRecipe();

void DrawLogo(cairo_t* context);
// The version line reads "Version " and the given version.
void DrawAbout(cairo_t* context, const std::string& version);
void DrawIcon(cairo_t* context);
void DrawTestPicture(cairo_t* context);

} // namespace Artwork

#endif

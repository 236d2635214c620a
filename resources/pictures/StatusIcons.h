#ifndef _VELMORA_STATUS_ICONS_H
#define _VELMORA_STATUS_ICONS_H

#include <vector>

#include "PictureRecipe.h"

// The icons of the error list's three kinds of entry: error, warning and
// note, 16 by 16 on a transparent background.
namespace StatusIcons {

const int kSize = 16;

std::vector<PictureRecipe> Recipes();

void DrawError(cairo_t* context);
void DrawWarning(cairo_t* context);
void DrawNote(cairo_t* context);

} // namespace StatusIcons

#endif

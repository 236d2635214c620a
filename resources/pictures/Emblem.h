#ifndef _VELMORA_EMBLEM_H
#define _VELMORA_EMBLEM_H

#include <cairo.h>

// The program's mark: a page of colour-coded source behind the same page as
// it looks, the two views the editor keeps in step. Drawn into the square
// of the given size whose top left corner is at (x, y); it is designed on a
// 128-pixel square and scales from there.
namespace Emblem {

void Draw(cairo_t* context, double x, double y, double size);

} // namespace Emblem

#endif

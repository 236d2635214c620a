#ifndef _VELMORA_FORMATTING_ICONS_H
#define _VELMORA_FORMATTING_ICONS_H

#include <cairo.h>

// Tool-bar icons of the formatting and insertion commands, each drawn on a
// transparent 24 by 24 surface.
namespace FormattingIcons {

void DrawNormal(cairo_t* context);
void DrawBold(cairo_t* context);
void DrawItalics(cairo_t* context);
void DrawFixed(cairo_t* context);
void DrawLink(cairo_t* context);
void DrawEmailLink(cairo_t* context);
void DrawTarget(cairo_t* context);
void DrawImage(cairo_t* context);

} // namespace FormattingIcons

#endif

#ifndef _VELMORA_DOCUMENT_ICONS_H
#define _VELMORA_DOCUMENT_ICONS_H

#include <cairo.h>

// Tool-bar icons of the file and edit commands, each drawn on a transparent
// 24 by 24 surface.
namespace DocumentIcons {

void DrawNew(cairo_t* context);
void DrawOpen(cairo_t* context);
void DrawSave(cairo_t* context);
void DrawHTMLEditor(cairo_t* context);
void DrawPreview(cairo_t* context);
void DrawPageProperties(cairo_t* context);
void DrawFind(cairo_t* context);
void DrawCut(cairo_t* context);
void DrawCopy(cairo_t* context);
void DrawPaste(cairo_t* context);

} // namespace DocumentIcons

#endif

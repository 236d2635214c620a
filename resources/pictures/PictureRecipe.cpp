#include "PictureRecipe.h"

#include <Bitmap.h>

#include "Canvas.h"

std::unique_ptr<BBitmap> PictureRecipe::Render() const
{
	Canvas canvas(width, height);
	if (!canvas.IsValid())
		return nullptr;
	draw(canvas.Context());
	return canvas.ToBitmap();
}

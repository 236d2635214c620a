#include "ToolBarIcons.h"

#include "DocumentIcons.h"
#include "FormattingIcons.h"

namespace ToolBarIcons {

std::vector<PictureRecipe> Recipes()
{
	return {
		{"butNew", kSize, kSize, DocumentIcons::DrawNew},
		{"butOpen", kSize, kSize, DocumentIcons::DrawOpen},
		{"butSave", kSize, kSize, DocumentIcons::DrawSave},
		{"butHTMLEditor", kSize, kSize, DocumentIcons::DrawHTMLEditor},
		{"butPreview", kSize, kSize, DocumentIcons::DrawPreview},
		{"butPageProperties", kSize, kSize, DocumentIcons::DrawPageProperties},
		{"butNormal", kSize, kSize, FormattingIcons::DrawNormal},
		{"butBold", kSize, kSize, FormattingIcons::DrawBold},
		{"butItalics", kSize, kSize, FormattingIcons::DrawItalics},
		{"butFixed", kSize, kSize, FormattingIcons::DrawFixed},
		{"butLink", kSize, kSize, FormattingIcons::DrawLink},
		{"butEmailLink", kSize, kSize, FormattingIcons::DrawEmailLink},
		{"butTarget", kSize, kSize, FormattingIcons::DrawTarget},
		{"butImage", kSize, kSize, FormattingIcons::DrawImage},
		{"butFind", kSize, kSize, DocumentIcons::DrawFind},
		{"butCut", kSize, kSize, DocumentIcons::DrawCut},
		{"butCopy", kSize, kSize, DocumentIcons::DrawCopy},
		{"butPaste", kSize, kSize, DocumentIcons::DrawPaste},
	};
}

} // namespace ToolBarIcons

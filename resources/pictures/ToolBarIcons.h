#ifndef _VELMORA_TOOL_BAR_ICONS_H
#define _VELMORA_TOOL_BAR_ICONS_H

#include <vector>

#include "PictureRecipe.h"

// The buttons of the visual window's upper tool bar, in the bar's order,
// under the names the window looks them up by.
namespace ToolBarIcons {

const int kSize = 24;

std::vector<PictureRecipe> Recipes();

} // namespace ToolBarIcons

#endif

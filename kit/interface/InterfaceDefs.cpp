#include <InterfaceDefs.h>

#include <DisplayServer.h>

uint32 modifiers()
{
	return BPrivate::DisplayServer::Default()->Modifiers();
}

const float B_LIGHTEN_MAX_TINT = 0.0f;
const float B_LIGHTEN_2_TINT = 0.385f;
const float B_LIGHTEN_1_TINT = 0.590f;
const float B_NO_TINT = 1.0f;
const float B_DARKEN_1_TINT = 1.147f;
const float B_DARKEN_2_TINT = 1.295f;
const float B_DARKEN_3_TINT = 1.407f;
const float B_DARKEN_4_TINT = 1.555f;
const float B_DARKEN_MAX_TINT = 2.0f;
const float B_DISABLED_LABEL_TINT = 1.6f;
const float B_HIGHLIGHT_BACKGROUND_TINT = 1.2f;
const float B_DISABLED_MARK_TINT = 1.35f;

rgb_color ui_color(color_which which)
{
	switch (which) {
		case B_PANEL_BACKGROUND_COLOR:
		case B_MENU_BACKGROUND_COLOR:
		case B_CONTROL_BACKGROUND_COLOR:
			return make_color(216, 216, 216);
		case B_WINDOW_TAB_COLOR:
			return make_color(255, 203, 0);
		case B_KEYBOARD_NAVIGATION_COLOR:
		case B_NAVIGATION_PULSE_COLOR:
		case B_CONTROL_HIGHLIGHT_COLOR:
			return make_color(0, 0, 229);
		case B_DESKTOP_COLOR:
			return make_color(51, 102, 152);
		case B_MENU_SELECTION_BACKGROUND_COLOR:
			return make_color(168, 168, 168);
		case B_MENU_SELECTED_BORDER_COLOR:
		case B_CONTROL_BORDER_COLOR:
		case B_SHADOW_COLOR:
			return make_color(0, 0, 0);
		case B_DOCUMENT_BACKGROUND_COLOR:
		case B_LIST_BACKGROUND_COLOR:
		case B_SHINE_COLOR:
			return make_color(255, 255, 255);
		case B_LIST_SELECTED_BACKGROUND_COLOR:
			return make_color(190, 190, 190);
		case B_TOOLTIP_BACKGROUND_COLOR:
			return make_color(255, 255, 200);
		case B_SCROLL_BAR_THUMB_COLOR:
			return make_color(216, 216, 216);
		case B_SUCCESS_COLOR:
			return make_color(0, 160, 0);
		case B_FAILURE_COLOR:
			return make_color(200, 0, 0);
		case B_MENU_ITEM_TEXT_COLOR:
		case B_MENU_SELECTED_ITEM_TEXT_COLOR:
		case B_PANEL_TEXT_COLOR:
		case B_DOCUMENT_TEXT_COLOR:
		case B_CONTROL_TEXT_COLOR:
		case B_TOOLTIP_TEXT_COLOR:
		case B_LIST_ITEM_TEXT_COLOR:
		case B_LIST_SELECTED_ITEM_TEXT_COLOR:
			return make_color(0, 0, 0);
	}
	return make_color(216, 216, 216);
}

rgb_color tint_color(rgb_color color, float tint)
{
	auto apply = [tint](uint8 value) -> uint8 {
		float result = tint < 1.0f ? value + (255 - value) * (1.0f - tint) : value * (2.0f - tint);
		if (result < 0)
			return 0;
		return result > 255 ? 255 : static_cast<uint8>(result + 0.5f);
	};
	return make_color(apply(color.red), apply(color.green), apply(color.blue), color.alpha);
}

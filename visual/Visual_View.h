#ifndef VELMORA_VISUAL_VIEW_H
#define VELMORA_VISUAL_VIEW_H

#include "Visual_Text.h"

// The engine's text as the visual window shows it to the user: it takes
// the keyboard focus and draws what styled text cannot show, the rules.
class Visual_View : public Visual_Text {
public:
	Visual_View(BRect frame, Visual_Engine* engine);

	void AttachedToWindow() override;
	// The text, then the rules.
	void Draw(BRect updateRect) override;

private:
	void DrawRules(BRect updateRect);
	void DrawRule(int32 offset);
};

#endif

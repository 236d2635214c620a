#ifndef _VELMORA_ALERT_PANEL_H
#define _VELMORA_ALERT_PANEL_H

#include <Alert.h>
#include <View.h>

namespace BPrivate {

// The face of an alert window: the darker stripe down its left side with
// the icon of the alert's kind across it. The text and the buttons are its
// children.
class AlertPanel : public BView {
public:
	AlertPanel(BRect frame, alert_type type);

	void Draw(BRect updateRect) override;

	// Where the text starts, right of the stripe and icon when there is one.
	float TextLeft() const;
	// The height the icon needs from the top.
	float IconBottom() const;

	static const float kMargin;

private:
	alert_type fType;
};

} // namespace BPrivate

#endif

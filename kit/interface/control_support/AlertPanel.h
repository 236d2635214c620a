#ifndef _VELMORA_ALERT_PANEL_H
#define _VELMORA_ALERT_PANEL_H

#include <string>
#include <vector>

#include <Alert.h>
#include <View.h>

namespace BPrivate {

// The face of an alert window: the darker stripe down its left side with
// the icon of the alert's kind across it, and the alert's text wrapped to
// the room right of the icon. The buttons are its children.
class AlertPanel : public BView {
public:
	AlertPanel(BRect frame, alert_type type, const std::string& text);

	void Draw(BRect updateRect) override;

	// Wraps the text for a panel width; returns the height the text needs.
	float WrapTo(float panelWidth);
	// Where the text starts, right of the stripe and icon when there is one.
	float TextLeft() const;
	// The height the icon needs from the top.
	float IconBottom() const;
	const std::vector<std::string>& Lines() const { return fLines; }

	static const float kMargin;

private:
	alert_type fType;
	std::string fText;
	std::vector<std::string> fLines;
};

} // namespace BPrivate

#endif

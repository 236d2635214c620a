#ifndef _VELMORA_PANEL_BUTTON_H
#define _VELMORA_PANEL_BUTTON_H

#include <string>

#include <Invoker.h>
#include <View.h>

namespace BPrivate {

// The file panel's push button: it looks pressed while the mouse holds it
// and sends its message (to the window) when released over it, or at once
// on Space or Enter while it has the focus. The default button wears a
// dark ring.
class PanelButton : public BView, public BInvoker {
public:
	PanelButton(BRect frame, const char* name, const char* label, BMessage* message,
		uint32 resizingMode);

	void AttachedToWindow() override;
	void Draw(BRect updateRect) override;
	void MouseDown(BPoint where) override;
	void MouseUp(BPoint where) override;
	void MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage) override;
	void KeyDown(const char* bytes, int32 numBytes) override;
	void MakeFocus(bool focus = true) override;
	void GetPreferredSize(float* width, float* height) override;

	void SetLabel(const char* label);
	const char* Label() const;
	void SetEnabled(bool enabled);
	bool IsEnabled() const;
	void MakeDefault(bool isDefault);

private:
	void _SetPressed(bool pressed);

	std::string fLabel;
	bool fEnabled = true;
	bool fDefault = false;
	bool fPressed = false;
	bool fTracking = false;
};

} // namespace BPrivate

#endif

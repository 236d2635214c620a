#ifndef KIT_DEMO_ECHO_VIEW_H
#define KIT_DEMO_ECHO_VIEW_H

#include <string>

#include <View.h>

// Takes the keyboard focus and shows what is typed; every change is also
// written to standard output as "echo: <text>", and Escape ends the demo.
class EchoView : public BView {
public:
	explicit EchoView(BRect frame);

	void AttachedToWindow() override;
	void Draw(BRect updateRect) override;
	void KeyDown(const char* bytes, int32 numBytes) override;
	void MouseDown(BPoint where) override;

private:
	void _Echo();

	std::string fText;
};

#endif

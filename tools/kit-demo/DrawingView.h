#ifndef KIT_DEMO_DRAWING_VIEW_H
#define KIT_DEMO_DRAWING_VIEW_H

#include <memory>

#include <Bitmap.h>
#include <View.h>

// Text, lines, shapes and a bitmap: one of each kind of drawing.
class DrawingView : public BView {
public:
	explicit DrawingView(BRect frame);

	void Draw(BRect updateRect) override;

private:
	std::unique_ptr<BBitmap> fPicture;
};

#endif

#ifndef VELMORA_ABOUT_VIEW_H
#define VELMORA_ABOUT_VIEW_H

#include <memory>
#include <string>

#include <View.h>

class BBitmap;
class Config_;

// The program's About picture with an "OK" button that closes its window.
// Making it also tests, once per start, that GIF and JPEG pictures can be
// decoded. The GIF test is guarded by the settings' translator-test flag:
// it is saved as set before the decoding and as clear after it, so a
// decoder that crashes the program leaves it set for the next start, which
// reports it instead of testing again.
class About_View : public BView {
public:
	// Where the view shows: in the About window, which takes the picture's
	// size, or on a panel of another window (the preferences), where the
	// picture is fitted into the view and the decoders are not tested again.
	enum Placement { kOwnWindow, kPanel };

	explicit About_View(BRect frame, Placement placement = kOwnWindow);
	~About_View() override;

	void AttachedToWindow() override;

	// The About picture; null when it could not be read.
	const BBitmap* Picture() const { return picture.get(); }

private:
	void TestGIFTranslator(Config_* settings, const std::string& folder);
	void TestJPEGTranslator(const std::string& folder);

	void FitPictureIntoView();

	Placement placement;
	std::unique_ptr<BBitmap> picture;
};

#endif

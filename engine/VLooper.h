#ifndef VELMORA_VLOOPER_H
#define VELMORA_VLOOPER_H

#include <Looper.h>

class EnginePage;
class Visual_Engine;

// The engine's own message loop: commands that change the page, reloads
// and refreshes of the visual view run here one after another, off the
// window's thread. A page read with pictures that could not be read posts
// 'pict' with their "count" behind its refresh: the user is told once,
// over the page shown. A big page shown before all of it is built posts
// 'goon' for each further part; any other message builds the rest first.
// While the page is processing (loading, parsing,
// rebuilding) or going away, every message is dropped.
class VLooper : public BLooper {
public:
	// Starts the loop at once.
	explicit VLooper(Visual_Engine* engine);

	void MessageReceived(BMessage* message) override;

private:
	bool InsertTagCommand(uint32 what);
	void InsertSpecialCharacter(const BMessage* message);
	void PassToFocusedView(const char* bytes, int32 length);
	static void TellUnreadImages(int32 count);

	Visual_Engine* engine;	// not owned: the engine owns the looper
	EnginePage* page;		// not owned: the engine's page
};

#endif

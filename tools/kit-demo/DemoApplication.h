#ifndef KIT_DEMO_DEMO_APPLICATION_H
#define KIT_DEMO_DEMO_APPLICATION_H

#include <memory>
#include <string>

#include <Application.h>
#include <MessageRunner.h>

class BWindow;

// Opens the drawing window and the typing window. With a dump folder it
// writes both windows to "drawing.png" and "keys.png" there when it quits;
// with a time limit it quits by itself after that many seconds.
class DemoApplication : public BApplication {
public:
	DemoApplication(std::string dumpFolder, int32 quitAfterSeconds);

	void ReadyToRun() override;
	bool QuitRequested() override;

private:
	void _Dump(BWindow* window, const char* name);

	std::string fDumpFolder;
	int32 fQuitAfter;
	std::unique_ptr<BMessageRunner> fTimeLimit;
	BWindow* fDrawingWindow = nullptr;  // owned by its own thread
	BWindow* fKeysWindow = nullptr;     // likewise
};

#endif

#ifndef GALLERY_APPLICATION_H
#define GALLERY_APPLICATION_H

#include <memory>
#include <string>

#include <Application.h>
#include <MessageRunner.h>

class BWindow;

// Opens the gallery window; when asked, writes it (and a sample alert) to
// PNG files and quits, or quits after a time.
class GalleryApplication : public BApplication {
public:
	struct Options {
		std::string dumpPath;
		std::string alertDumpPath;
		int32 quitAfterSeconds = 0;
	};

	explicit GalleryApplication(Options options);

	void ReadyToRun() override;
	bool QuitRequested() override;

	bool Failed() const { return fFailed; }

private:
	void _DumpGallery();
	void _DumpAlert();

	Options fOptions;
	BWindow* fWindow = nullptr;  // runs its own thread
	std::unique_ptr<BMessageRunner> fTimeLimit;
	bool fFailed = false;
};

#endif

// gallery: every control in one window.
//   gallery [--dump FILE] [--dump-alert FILE] [--quit-after SECONDS] [--headless]
// With --dump the window is written to FILE once drawn and the program
// ends; --dump-alert writes a warning alert the same way.

#include <cstdlib>
#include <cstring>
#include <string>

#include "GalleryApplication.h"

int main(int argc, char** argv)
{
	GalleryApplication::Options options;
	for (int i = 1; i < argc; i++) {
		if (strcmp(argv[i], "--dump") == 0 && i + 1 < argc)
			options.dumpPath = argv[++i];
		else if (strcmp(argv[i], "--dump-alert") == 0 && i + 1 < argc)
			options.alertDumpPath = argv[++i];
		else if (strcmp(argv[i], "--quit-after") == 0 && i + 1 < argc)
			options.quitAfterSeconds = atoi(argv[++i]);
	}
	GalleryApplication application(options);
	application.Run();
	return application.Failed() ? 1 : 0;
}

// kit-demo: two windows drawn by the kit, for looking at the real display.
//   kit-demo [--dump-dir FOLDER] [--quit-after SECONDS] [--headless]

#include <cstdlib>
#include <cstring>
#include <string>

#include "DemoApplication.h"

int main(int argc, char** argv)
{
	std::string dumpFolder;
	int32 quitAfter = 0;
	for (int i = 1; i < argc; i++) {
		if (strcmp(argv[i], "--dump-dir") == 0 && i + 1 < argc)
			dumpFolder = argv[++i];
		else if (strcmp(argv[i], "--quit-after") == 0 && i + 1 < argc)
			quitAfter = atoi(argv[++i]);
	}
	DemoApplication application(dumpFolder, quitAfter);
	application.Run();
	return 0;
}

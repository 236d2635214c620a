#ifndef VELMORA_REFRESH_WALK_H
#define VELMORA_REFRESH_WALK_H

#include <functional>

#include <SupportDefs.h>

class Visual_Element;
class Visual_Text;

// The restyling walk of a refresh: from start, every element applies its
// formatting at its offset, and the text up to the next element takes the
// resulting font and colour. Run under the engine lock.
class RefreshWalk {
public:
	// progress is told the share done, in whole percent, each time it
	// grows; stopRequested is asked after every step.
	RefreshWalk(Visual_Text* view, std::function<void(int32 percent)> progress,
		std::function<bool()> stopRequested);

	// False when a stop request ended it; the text is then left as it was.
	bool Run(int32 start, int32 finish);

private:
	bool RoomCollapses(const Visual_Element* element, int32 offset) const;

	Visual_Text* fView;	// not owned
	std::function<void(int32)> fProgress;
	std::function<bool()> fStopRequested;
};

#endif

#include "VLooper.h"

#include <string>

#include <Entry.h>
#include <Message.h>
#include <View.h>
#include <Window.h>

#include "EnginePage.h"
#include "ErrorAlert.h"
#include "NodeTree.h"
#include "StringHelpers.h"
#include "Visual_Engine.h"
#include "Visual_Text.h"

namespace {

constexpr int32 kPriority = 10;
constexpr int32 kPortCapacity = 100;

struct TagCommand {
	uint32 what;
	const _tagdict* const* tag;
	insertflag flag;
};

const TagCommand kTagCommands[] = {
	{'bold', &tag_b, INSERT_PLAIN}, {'ital', &tag_i, INSERT_PLAIN},
	{'ulin', &tag_u, INSERT_PLAIN}, {'strk', &tag_strike, INSERT_PLAIN},
	{'tt  ', &tag_tt, INSERT_PLAIN}, {'big ', &tag_big, INSERT_PLAIN},
	{'smal', &tag_small, INSERT_PLAIN}, {'sub ', &tag_sub, INSERT_PLAIN},
	{'sup ', &tag_sup, INSERT_PLAIN}, {'em  ', &tag_em, INSERT_PLAIN},
	{'stng', &tag_strong, INSERT_PLAIN}, {'dfn ', &tag_dfn, INSERT_PLAIN},
	{'code', &tag_code, INSERT_PLAIN}, {'samp', &tag_samp, INSERT_PLAIN},
	{'kbd ', &tag_kbd, INSERT_PLAIN}, {'var ', &tag_var, INSERT_PLAIN},
	{'cite', &tag_cite, INSERT_PLAIN},
	{'h1  ', &tag_h1, INSERT_PLAIN}, {'h2  ', &tag_h2, INSERT_PLAIN},
	{'h3  ', &tag_h3, INSERT_PLAIN}, {'h4  ', &tag_h4, INSERT_PLAIN},
	{'h5  ', &tag_h5, INSERT_PLAIN}, {'h6  ', &tag_h6, INSERT_PLAIN},
	{'p   ', &tag_p, INSERT_PLAIN}, {'br  ', &tag_br, INSERT_PLAIN},
	{'hrln', &tag_hr, INSERT_PLAIN}, {'blqt', &tag_blockquote, INSERT_PLAIN},
	{'cntr', &tag_center, INSERT_PLAIN}, {'inul', &tag_ul, INSERT_PLAIN},
	{'inol', &tag_ol, INSERT_PLAIN}, {'indl', &tag_dl, INSERT_PLAIN},
	{'ianc', &tag_a, INSERT_PLAIN}, {'inst', &tag_a, INSERT_LINK_TARGET},
	{'ieml', &tag_a, INSERT_MAIL_LINK},
};

} // namespace

VLooper::VLooper(Visual_Engine* engine)
	:
	BLooper("Visual_Engine", kPriority, kPortCapacity),
	engine(engine),
	page(engine->MyPage())
{
	Run();
}

void VLooper::MessageReceived(BMessage* message)
{
	// The count of unread pictures is a finished reading's last word, not
	// a command: a refresh running meanwhile must not swallow it.
	if (message->what == 'pict') {
		int32 count = 0;
		message->FindInt32("count", &count);
		TellUnreadImages(count);
		return;
	}
	if (message->what == 'goon') {
		if (page != nullptr)
			page->BuildNextPart();
		return;
	}
	if (page == nullptr || page->IsProcessing() || page->IsStopProcessing()) {
		BLooper::MessageReceived(message);
		return;
	}
	// Every command works on the whole page; reading the page again gives
	// up building the one read before. The recovery copy's tick comes every
	// second: a page being built has no edits (an edit builds the rest
	// first), and a copy that must be written generates the page's HTML,
	// which builds the rest itself.
	uint32 what = message->what;
	if (what != 'reld' && what != 'updt' && what != 'upde' && what != 'rcpy')
		page->FinishBuild();
	if (InsertTagCommand(message->what))
		return;
	switch (message->what) {
		case 'itxt':
			engine->Insert(nullptr, nullptr, INSERT_PLAIN);
			break;
		case '_RRC': {
			entry_ref ref;
			message->FindRef("refs", &ref);
			engine->Insert(nullptr, &ref, INSERT_PLAIN);
			break;
		}
		case 'ispc':
			InsertSpecialCharacter(message);
			break;
		case 'nbsp':
			PassToFocusedView("\x0F", 1);
			break;
		case 'prew':
			page->Preview();
			break;
		case 'reld':
			page->Load();
			break;
		case 'rcpy':
			page->UpdateRecoveryCopy();
			break;
		case 'updt':
			page->UpdateFromHTML(false, nullptr);
			page->VisualChanged();
			break;
		case 'upde':
			page->UpdateFromHTML(true, page->ExternalExchangeFile());
			page->VisualChanged();
			break;
		case 'rfrs': {
			int32 start = 0;
			int32 finish = 0;
			message->FindInt32("start", &start);
			message->FindInt32("finish", &finish);
			engine->View()->_Refresh(start, finish);
			break;
		}
		default:
			BLooper::MessageReceived(message);
	}
}

bool VLooper::InsertTagCommand(uint32 what)
{
	for (const TagCommand& command : kTagCommands) {
		if (command.what == what) {
			engine->Insert(*command.tag, nullptr, command.flag);
			return true;
		}
	}
	return false;
}

void VLooper::InsertSpecialCharacter(const BMessage* message)
{
	int32 code = 0;
	if (message->FindInt32("code", &code) != B_OK)
		return;
	char bytes[4];
	int32 length = MakeUTF8Char(code, bytes);
	if (length > 0)
		PassToFocusedView(bytes, length);
}

// As if the user typed it into the view that has the focus.
void VLooper::PassToFocusedView(const char* bytes, int32 length)
{
	BWindow* window = engine->Window();
	if (window == nullptr || !window->Lock())
		return;
	BView* focus = window->CurrentFocus();
	if (focus != nullptr)
		focus->KeyDown(bytes, length);
	window->Unlock();
}

// The error list names each picture; one alert says how many there are,
// however many a page holds.
void VLooper::TellUnreadImages(int32 count)
{
	if (count == 1) {
		ErrorAlert("1 picture of this page could not be read; the error list names it.");
	} else if (count > 1) {
		std::string text = std::to_string(count)
			+ " pictures of this page could not be read; the error list names them.";
		ErrorAlert(text.c_str());
	}
}

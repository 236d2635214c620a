#include "EnginePage.h"

#include <algorithm>
#include <mutex>

#include <Autolock.h>
#include <OS.h>
#include <Window.h>

#include "Config_.h"
#include "Element_List.h"
#include "NodeText.h"
#include "page_support/PageText.h"
#include "Visual_Engine.h"
#include "writer_support/CharacterWriting.h"

namespace {

constexpr bigtime_t kBusyPause = 5000;

const char kDocType[] = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">";

} // namespace

// A page only built in part is never written as the whole page.
void EnginePage::GenerateHTML()
{
	FinishBuild();
	ClearHTMLBuffer();
	Visual_Engine* engine = Engine();
	long position = 0;
	const char* author = Config() != nullptr && Config()->UserName() != nullptr
		? Config()->UserName() : "";
	auto line = [this, &position](const std::string& text, bool before = false) {
		position += InsertHTML(text.c_str(), before, true, position, nullptr);
	};
	if (!IsDocumentTypeOmitted())
		line(DocumentType().empty() ? std::string(kDocType) : "<" + DocumentType() + ">");
	line("<HTML" + HTMLAttributes() + ">");
	line("<HEAD>");
	line("<TITLE>" + CharacterWriting::Escaped(Title() != nullptr ? Title() : "",
		Encoding().DeclaresSingleByteOverUtf8()) + "</TITLE>");
	// The user's name is text like the title: a quote in it would end the
	// attribute and break the page.
	line("<META NAME=\"Author\" CONTENT=\"" + CharacterWriting::Escaped(author, false) + "\">");
	line("<META NAME=\"Generator\" CONTENT=\"Korvane Velmora\">");
	if (engine != nullptr)
		position = engine->InsertHTMLHead(position);
	line("</HEAD>");
	if (!IsFramesetDocument())
		line(BodyTag());
	if (BaseFontNode() != nullptr)
		line("<BASEFONT " + NodeText::OtherAttributes(BaseFontNode()) + ">");
	if (engine != nullptr)
		position = engine->HTML(position);
	if (!IsFramesetDocument())
		line("</BODY>", true);
	line("</HTML>", IsFramesetDocument());
}

// The HTML window holds the page with LF line ends, so the text is handed
// over in that form, made in place: a big page's HTML is held once.
PageModel::HTMLBytes EnginePage::TakeBufferText()
{
	HTMLBytes bytes = TakeHTMLBuffer();
	if (bytes.block != nullptr)
		bytes.length = PageText::NormalizeLineEndsInPlace(bytes.block.get(), bytes.length);
	return bytes;
}

PageModel::HTMLBytes EnginePage::GeneratedHTML()
{
	std::lock_guard<std::mutex> buffer(HTMLBufferLock());
	BAutolock lock(Engine());
	GenerateHTML();
	return TakeBufferText();
}

// The engine lock is taken first and the buffer's lock only tried: an
// update of the HTML window holds the buffer's lock while it waits for the
// engine, so waiting here for the buffer could wait for ever.
bool EnginePage::GenerateHTMLCopy(std::string& html, bigtime_t timeout)
{
	Visual_Engine* engine = Engine();
	if (engine == nullptr || engine->Window() == nullptr)
		return false;
	bigtime_t now = system_time();
	bigtime_t deadline = timeout >= B_INFINITE_TIMEOUT - now ? B_INFINITE_TIMEOUT : now + timeout;
	auto remaining = [deadline] {
		return deadline == B_INFINITE_TIMEOUT ? B_INFINITE_TIMEOUT
			: std::max<bigtime_t>(deadline - system_time(), 0);
	};
	while (engine->Window()->LockWithTimeout(remaining()) == B_OK) {
		std::unique_lock<std::mutex> buffer(HTMLBufferLock(), std::try_to_lock);
		if (buffer.owns_lock()) {
			generatingCopy = true;
			GenerateHTML();
			generatingCopy = false;
			html = TakeBufferText().View();
			engine->Unlock();
			return true;
		}
		engine->Unlock();
		if (system_time() >= deadline)
			break;
		snooze(kBusyPause);
	}
	return false;
}

void EnginePage::RecordHTMLSpan(Visual_Element* element, long start, long finish)
{
	if (generatingCopy)
		return;
	if (Engine() != nullptr)
		Engine()->ElementList()->SetHTMLStartFinish(element, start, finish);
}

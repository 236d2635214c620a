#include "EnginePage.h"

#include "Config_.h"
#include "Element_List.h"
#include "NodeText.h"
#include "Visual_Engine.h"
#include "writer_support/CharacterWriting.h"

namespace {

const char kDocType[] = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">";

} // namespace

void EnginePage::GenerateHTML()
{
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
	line("<HTML>");
	line("<HEAD>");
	line("<TITLE>" + CharacterWriting::Escaped(Title() != nullptr ? Title() : "",
		Encoding().DeclaresSingleByteOverUtf8()) + "</TITLE>");
	line(std::string("<META NAME=\"Author\" CONTENT=\"") + author + "\">");
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

void EnginePage::RecordHTMLSpan(Visual_Element* element, long start, long finish)
{
	if (Engine() != nullptr)
		Engine()->ElementList()->SetHTMLStartFinish(element, start, finish);
}

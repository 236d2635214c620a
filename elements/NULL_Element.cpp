#include "NULL_Element.h"

#include "Environment.h"
#include "EnginePage.h"

namespace {

constexpr W_font_type kNormalFontType = 1;

} // namespace

NULL_Element::NULL_Element(Visual_Engine* engine, Element_List* list)
	:
	Visual_Element(0, engine, list)
{
}

void NULL_Element::GetEnvironment(Environment* environment) const
{
	if (environment == nullptr)
		return;
	Visual_Element::GetEnvironment(environment);
	EnginePage* page = MyPage();
	if (page == nullptr)
		return;
	environment->PushFont(page->BaseFont());
	environment->PushFontType(kNormalFontType);
	if (BFont* font = environment->Font())
		font->SetFace(B_REGULAR_FACE);
	environment->PushColor(page->TextColor());
}

void NULL_Element::Archive(BMessage*) const
{
}

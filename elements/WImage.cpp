#include "WImage.h"

#include <strings.h>

#include <cmath>
#include <cstdlib>

#include <Autolock.h>
#include <Bitmap.h>
#include <MenuItem.h>
#include <Message.h>
#include <Path.h>
#include <PopUpMenu.h>
#include <Region.h>
#include <Window.h>
#include <TranslationUtils.h>

#include "Anchor.h"
#include "AttributeDictionary.h"
#include "Element_List.h"
#include "EnginePage.h"
#include "ErrorAlert.h"
#include "ImageTools.h"
#include "NodeText.h"
#include "NodeTree.h"
#include "Visual_Engine.h"
#include "Visual_Text.h"

namespace {

// The alignments of the ALIGN keywords; any other value is kept as read.
constexpr long kAlignTop = 3;
constexpr long kAlignAbsCenter = 4;
constexpr long kAlignMiddle = 5;
constexpr long kAlignBottom = 6;
constexpr long kAlignAsRead = 7;
// The frame of a picture not shown that gives no size.
constexpr float kPlaceholderSize = 24;
const rgb_color kFrameColor = {152, 152, 152, 255};
const rgb_color kLabelColor = {96, 96, 96, 255};

const char* AlignText(long alignment)
{
	switch (alignment) {
		case kAlignTop:
			return "TOP";
		case kAlignAbsCenter:
			return "ABSCENTER";
		case kAlignMiddle:
			return "MIDDLE";
		case kAlignBottom:
			return "BOTTOM";
		default:
			return nullptr;
	}
}

// A WIDTH or HEIGHT that counts pixels; 0 for a percentage or anything else.
float PixelCount(const std::optional<std::string>& value)
{
	if (!value || value->empty())
		return 0;
	char* end = nullptr;
	long count = strtol(value->c_str(), &end, 10);
	return *end == '\0' && count > 0 && count <= 10000 ? static_cast<float>(count) : 0;
}

std::string Attribute(const std::string& name, const std::optional<std::string>& value)
{
	return value ? " " + name + "=\"" + NodeText::QuotedValue(*value) + "\"" : std::string();
}

// A path for a line of the error list: a SRC may hold line ends and tabs.
std::string OnOneLine(std::string text)
{
	for (char& c : text) {
		if (static_cast<unsigned char>(c) < ' ')
			c = ' ';
	}
	return text;
}

void RestoreOptional(const BMessage* archive, const char* name,
	std::optional<std::string>& field)
{
	const char* value = nullptr;
	if (archive->FindString(name, &value) == B_OK && value != nullptr)
		field = value;
}

void ArchiveOptional(BMessage* archive, const char* name,
	const std::optional<std::string>& field)
{
	if (field)
		archive->AddString(name, field->c_str());
}

} // namespace

WImage::WImage(long position, _node* node, insert_mode mode, const entry_ref* file,
	Visual_Engine* engine, Element_List* list, bool* loaded, long& inserted,
	const BMessage* archive)
	:
	BView(BRect(0, 0, 0, 0), "", B_FOLLOW_NONE, B_WILL_DRAW | B_SUBPIXEL_PRECISE),
	Page_Element(node, position, engine, list),
	border("0")
{
	// The text view draws its background under the picture, which is
	// blended over it: a picture's transparent parts show the page.
	SetViewColor(B_TRANSPARENT_COLOR);
	SetVAlignment(kAlignAsRead);
	if (NodeText::IsArchiveOf(archive, "WImage"))
		RestoreAttributes(archive);
	else
		ReadAttributes(node);
	bool read = engine != nullptr && Load(file, mode);
	if (loaded != nullptr)
		*loaded = read;
	long start = 0;
	long end = 0;
	if (read || placeholder) {
		BPoint size = ShownSize();
		ResizeTo(size.x - 1, size.y - 1);
		inserted += engine->CreateSpace(position, this, position, &start, &end, size.x, size.y,
			0);
	}
	if (engine == nullptr)
		return;
	if (mode == INSERT_BUILD)
		engine->AddAfter(position, this);
	else
		engine->AddBefore(position, this);
	if (end > 0 && list != nullptr)
		list->SetSpaceFromToRelOffset(this, start, end);
}

// The view leaves the text view first, so that no drawing of the text view
// reaches an element half gone; then its room goes.
WImage::~WImage()
{
	if (Parent() != nullptr)
		RemoveSelf();
	Visual_Engine* engine = TakesItsTextAlong() ? Engine() : nullptr;
	if (engine != nullptr) {
		BAutolock lock(engine);
		engine->DeleteSpace(this);
	}
	if (ElementList() != nullptr)
		ElementList()->Remove(this);
}

long WImage::AlignmentOf(const char* value)
{
	if (value == nullptr)
		return kAlignAsRead;
	size_t length = strlen(value);
	const std::pair<const char*, long> keywords[] = {{"TOP", kAlignTop},
		{"ABSCENTER", kAlignAbsCenter}, {"CENTER", kAlignMiddle}, {"MIDDLE", kAlignMiddle},
		{"BOTTOM", kAlignBottom}};
	for (const auto& [keyword, alignment] : keywords) {
		if (length <= strlen(keyword) && strncasecmp(value, keyword, length) == 0)
			return alignment;
	}
	return kAlignAsRead;
}

// ALIGN stays among the other attributes unless it is one of the values the
// element writes itself: LEFT, RIGHT, TEXTTOP and the like are the page's.
void WImage::ReadAttributes(const _node* node)
{
	src = NodeText::Attribute(node, attr_src);
	alt = NodeText::Attribute(node, attr_alt);
	width = NodeText::Attribute(node, attr_width);
	height = NodeText::Attribute(node, attr_height);
	if (std::optional<std::string> value = NodeText::Attribute(node, attr_border))
		border = *value;
	std::optional<std::string> align = NodeText::Attribute(node, attr_align);
	SetVAlignment(align ? AlignmentOf(align->c_str()) : kAlignAsRead);
	bool alignKept = align && VAlignment() != kAlignAsRead;
	char* others = nullptr;
	NodeTree::ReadUnsupportedAttributes(&others, node, attr_src, attr_alt, attr_width,
		attr_height, attr_border, alignKept ? attr_align : nullptr);
	unsupportedAttributes = others != nullptr ? others : "";
	free(others);
	attributesAsRead = NodeText::OtherAttributes(node);
}

void WImage::RestoreAttributes(const BMessage* archive)
{
	RestoreOptional(archive, "src", src);
	RestoreOptional(archive, "alt", alt);
	RestoreOptional(archive, "width", width);
	RestoreOptional(archive, "height", height);
	NodeText::RestoreString(archive, "border", border);
	int32 alignment = kAlignAsRead;
	archive->FindInt32("align", &alignment);
	SetVAlignment(alignment);
	NodeText::RestoreString(archive, "unsupported", unsupportedAttributes);
	NodeText::RestoreString(archive, "asread", attributesAsRead);
}

// A picture that cannot be read is listed with the page's errors; while a
// page is read they are counted, so that the user hears of them once. One
// the user inserts is reported at once.
bool WImage::Load(const entry_ref* file, insert_mode mode)
{
	EnginePage* page = MyPage();
	std::string path;
	if (file != nullptr) {
		BPath filePath(file);
		path = filePath.InitCheck() == B_OK ? filePath.Path() : file->name;
	} else if (src && ImageTools::IsWebAddress(src->c_str())) {
		placeholder = true;
		return false;
	} else if (src) {
		ImageTools::AbsoluteImagePath(path, src->c_str(),
			page != nullptr ? page->FilePath() : nullptr);
	}
	bitmap.reset(path.empty() ? nullptr : BTranslationUtils::GetBitmap(path.c_str()));
	if (bitmap == nullptr) {
		std::string shown = path.empty() ? (src ? *src : std::string()) : path;
		std::string text = std::string(BTranslationUtils::LastError() == B_NO_TRANSLATOR
				|| BTranslationUtils::LastError() == B_ILLEGAL_DATA
			? "Incorrect image file: " : "Could not open image file: ") + OnOneLine(shown);
		if (page != nullptr)
			page->HTMLError(this, text.c_str(), VUDAV_ERROR);
		// Shown as a frame, so that the user sees where it stands and can
		// still delete it or type beside it.
		placeholder = true;
		Engine()->CountUnreadImage();
		if (mode != INSERT_BUILD)
			ErrorAlert(text.c_str());
		return false;
	}
	if (file != nullptr && (!src || src->empty()))
		src = ImageTools::RelativeImagePath(path.c_str(),
			page != nullptr ? page->FilePath() : nullptr);
	FillMissingAttributes(path);
	return true;
}

void WImage::FillMissingAttributes(const std::string& picturePath)
{
	if (!alt) {
		size_t slash = picturePath.rfind('/');
		alt = slash == std::string::npos ? picturePath : picturePath.substr(slash + 1);
	}
	BRect bounds = bitmap->Bounds();
	if (!width)
		width = std::to_string(std::lround(bounds.Width() + 1));
	if (!height)
		height = std::to_string(std::lround(bounds.Height() + 1));
}

BPoint WImage::ShownSize() const
{
	BRect bounds = bitmap != nullptr ? bitmap->Bounds()
		: BRect(0, 0, kPlaceholderSize - 1, kPlaceholderSize - 1);
	float shownWidth = PixelCount(width);
	float shownHeight = PixelCount(height);
	return BPoint(shownWidth > 0 ? shownWidth : bounds.Width() + 1,
		shownHeight > 0 ? shownHeight : bounds.Height() + 1);
}

long WImage::InsertHTML(long position)
{
	EnginePage* page = MyPage();
	if (page == nullptr)
		return 0;
	std::string text;
	if (!IsLoaded()) {
		text = "<IMG" + attributesAsRead + ">";
	} else {
		text = "<IMG SRC=\"" + NodeText::QuotedValue(src ? *src : std::string()) + "\"";
		text += Attribute("ALT", alt) + Attribute("WIDTH", width) + Attribute("HEIGHT", height);
		if (const char* align = AlignText(VAlignment()))
			text += std::string(" ALIGN=\"") + align + "\"";
		text += Attribute("BORDER", border) + unsupportedAttributes + ">";
	}
	return page->InsertHTML(text.c_str(), false, false, position, this);
}

const _tagdict* WImage::HTMLType() const
{
	return MyNode() != nullptr ? MyNode()->tag : nullptr;
}

void WImage::Archive(BMessage* archive) const
{
	if (archive == nullptr)
		return;
	ArchiveTag(archive, "WImage", HTMLType(), nullptr, &unsupportedAttributes);
	ArchiveOptional(archive, "src", src);
	ArchiveOptional(archive, "alt", alt);
	ArchiveOptional(archive, "width", width);
	ArchiveOptional(archive, "height", height);
	archive->AddString("border", border.c_str());
	archive->AddInt32("align", static_cast<int32>(VAlignment()));
	NodeText::ArchiveString(archive, "asread", attributesAsRead);
}

BRect WImage::WFrame() const
{
	WImage* self = const_cast<WImage*>(this);
	if (!self->LockLooper())
		return BRect(0, 0, 0, 0);
	BRect frame = Frame();
	self->UnlockLooper();
	return frame;
}

BRect WImage::WBounds() const
{
	WImage* self = const_cast<WImage*>(this);
	if (!self->LockLooper())
		return BRect(0, 0, 0, 0);
	BRect bounds = Bounds();
	self->UnlockLooper();
	return bounds;
}

BView* WImage::View() const
{
	return IsLoaded() || placeholder ? const_cast<WImage*>(this) : nullptr;
}

void WImage::Draw(BRect)
{
	if (placeholder) {
		DrawFrame();
		return;
	}
	if (bitmap == nullptr)
		return;
	SetDrawingMode(B_OP_ALPHA);
	DrawBitmap(bitmap.get(), bitmap->Bounds(), Bounds());
}

// A picture that is not shown: its frame, and inside it the ALT text,
// which says what the picture is, as far as it fits.
void WImage::DrawFrame()
{
	BRect bounds = Bounds();
	SetHighColor(kFrameColor);
	StrokeRect(bounds);
	const char* label = alt ? alt->c_str() : "";
	font_height metrics;
	GetFontHeight(&metrics);
	float lineHeight = metrics.ascent + metrics.descent;
	if (*label == '\0' || bounds.Height() < lineHeight + 4 || bounds.Width() < 12)
		return;
	BRect inside = bounds.InsetByCopy(2, 2);
	BRegion clip(inside);
	ConstrainClippingRegion(&clip);
	SetHighColor(kLabelColor);
	DrawString(label, BPoint(inside.left + 1, inside.top + metrics.ascent));
	ConstrainClippingRegion(nullptr);
}

void WImage::SetAlt(const char* text)
{
	alt = text != nullptr ? std::optional<std::string>(text) : std::nullopt;
}

void WImage::MouseDown(BPoint where)
{
	BWindow* window = Window();
	BMessage* message = window != nullptr ? window->CurrentMessage() : nullptr;
	int32 buttons = 0;
	if (message != nullptr)
		message->FindInt32("buttons", &buttons);
	// Any other click is one on the text the picture stands in: the caret
	// goes beside the picture, as it would beside a character.
	if ((buttons & B_SECONDARY_MOUSE_BUTTON) == 0) {
		if (BView* text = Parent())
			text->MouseDown(ConvertToParent(where));
		return;
	}
	// A frame for a picture that is not shown writes its tag as read: it
	// has no settings to change.
	if (!IsLoaded())
		return;
	const Anchor* link = Engine()->CurrentAnchor(ThisOffset());
	BPopUpMenu menu("image", false, false);
	BMenuItem* settings = new BMenuItem("Image settings ...", new BMessage('    '));
	menu.AddItem(settings);
	if (link != nullptr)
		menu.AddItem(new BMenuItem("HyperText link/target settings ...", new BMessage('    ')));
	BPoint screen = ConvertToScreen(where);
	BRect clickToOpen(screen.x - 4, screen.y - 4, screen.x + 10, screen.y + 10);
	BMenuItem* chosen = menu.Go(screen, false, false, clickToOpen);
	if (chosen == nullptr)
		return;
	BMessage open('tset');
	if (chosen == settings)
		open.AddPointer("image", this);
	else
		open.AddPointer("element", link);
	window->PostMessage(&open);
}

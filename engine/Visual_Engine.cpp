#include "Visual_Engine.h"

#include <algorithm>
#include <cassert>
#include <climits>
#include <cstring>

#include <strings.h>
#include <string>

#include <Autolock.h>
#include <Bitmap.h>
#include <Entry.h>
#include <File.h>
#include <Message.h>
#include <ScrollBar.h>
#include <ScrollView.h>
#include <TranslationUtils.h>
#include <Window.h>

#include "Anchor.h"
#include "EndLine.h"
#include "EnginePage.h"
#include "NodeTree.h"
#include "ErrorAlert.h"
#include "GarbageCollector_.h"
#include "HorizontalLine.h"
#include "TextChange.h"
#include "UnsupportedTag.h"
#include "VLooper.h"
#include "ViewPlacement.h"
#include "Visual_Text.h"
#include "WImage.h"
#include "engine_support/CodeClearing.h"
#include "engine_support/FormattingCheckpoints.h"
#include "engine_support/PairPartners.h"
#include "engine_support/PairWalk.h"
#include "engine_support/Paragraphs.h"
#include "engine_support/ShownViews.h"
#include "engine_support/SpaceSizes.h"
#include "engine_support/StyleRewrite.h"

namespace {

constexpr float kParagraphHeight = 26;

// The tags a text run stands for when they come from a parsed page.
bool IsTextRunTag(const _tagdict* tag)
{
	const _tagdict* const runs[] = {tag_h1, tag_h2, tag_h3, tag_h4, tag_h5, tag_h6, tag_b,
		tag_i, tag_tt, tag_big, tag_small, tag_u, tag_sub, tag_sup, tag_strike, tag_s, tag_em,
		tag_strong, tag_dfn, tag_code, tag_samp, tag_kbd, tag_var, tag_cite, tag_font};
	return tag != nullptr && std::find(std::begin(runs), std::end(runs), tag) != std::end(runs);
}

// Elements whose content is preformatted text.
bool IsPreformatted(const _tagdict* tag)
{
	return tag != nullptr && (tag == tag_pre || tag == tag_xmp || tag == tag_listing
		|| tag == tag_plaintext);
}

bool IsOpening(const HTML_Element* element)
{
	const UnsupportedTag* tag = dynamic_cast<const UnsupportedTag*>(element);
	return tag != nullptr ? tag->OpenTag() : element->OpenTag();
}

// The tags whose command formats the selection.
bool IsFormattingTag(const _tagdict* tag)
{
	return tag == nullptr || tag == tag_a || tag == tag_p
		|| (TextChange::SupportsTag(tag) && tag != tag_font && tag != tag_center
			&& tag != tag_blockquote);
}

// The tags whose command wraps the selected paragraphs.
bool IsWrappingTag(const _tagdict* tag)
{
	return tag != nullptr && (tag == tag_blockquote || tag == tag_center || tag == tag_ul
		|| tag == tag_ol || tag == tag_dl);
}

} // namespace

Visual_Engine::Visual_Engine(BRect frame, BWindow* window, EnginePage* page)
	:
	page(page),
	window(window),
	looper(nullptr)
{
	BRect viewFrame = frame;
	viewFrame.right -= B_V_SCROLL_BAR_WIDTH;
	view = page->MakeView(viewFrame, this);
	scrollView = std::make_unique<BScrollView>("Main scroll view", view.get(),
		B_FOLLOW_ALL_SIDES, 0, false, true, B_FANCY_BORDER);
	elementList = std::make_unique<Element_List>(this, window);
	formatting = std::make_unique<FormattingCheckpoints>(elementList.get());
	shownViews = std::make_unique<ShownViews>(*view, *elementList);
	elementList->WatchOrder([this](unsigned long firstChanged) {
		formatting->ForgetFrom(firstChanged);
	});
	looper = new VLooper(this);
	if (BScrollBar* bar = scrollView->ScrollBar(B_VERTICAL))
		bar->SetRange(0, 0);
}

// The elements go before the text they stand in, the text before the
// scroll view that holds it.
Visual_Engine::~Visual_Engine()
{
	StopLooper();
	BAutolock lock(window);
	view->BlockRefresh();
	SetBackgroundBitmap(nullptr);
	elementList->Discard();
	while (BView* child = view->ChildAt(0)) {
		view->RemoveChild(child);
		delete child;
	}
	scrollView->RemoveChild(view.get());
	scrollView->RemoveSelf();
	elementList.reset();
	view.reset();
	scrollView.reset();
	if (page != nullptr && page->GarbageCollector() != nullptr)
		page->GarbageCollector()->Empty();
}

Visual_Engine::Building::Building(Visual_Engine& engine)
	:
	fEngine(engine),
	fLocked(engine.Lock()),
	fMode(engine.View()->InsertMode())
{
	engine.View()->BlockRefresh();
	engine.View()->SetInsertMode(INSERT_BUILD);
}

Visual_Engine::Building::~Building()
{
	fEngine.View()->SetInsertMode(fMode);
	fEngine.View()->UnblockRefresh();
	if (fLocked)
		fEngine.Unlock();
}

void Visual_Engine::StopLooper()
{
	if (looper == nullptr)
		return;
	looper->Lock();
	looper->Quit();
	looper = nullptr;
}

status_t Visual_Engine::PostMessage(uint32 what)
{
	return looper != nullptr ? looper->PostMessage(what) : B_NO_INIT;
}

status_t Visual_Engine::PostMessage(BMessage* message)
{
	return looper != nullptr ? looper->PostMessage(message) : B_NO_INIT;
}

long Visual_Engine::ContainsElement(long from, long to) const
{
	return elementList->ContainsElement(from, to);
}

long Visual_Engine::InNullCharactersAt(long offset) const
{
	return elementList->InNullCharactersAt(offset);
}

void Visual_Engine::Remove(Visual_Element* element)
{
	elementList->Remove(element);
}

long Visual_Engine::AddAfter(long offset, Visual_Element* element)
{
	return elementList->AddAfter(offset, element);
}

long Visual_Engine::AddBefore(long offset, Visual_Element* element)
{
	return elementList->AddBefore(offset, element);
}

long Visual_Engine::TextHTML(long from, long to) const
{
	return view->TextHTML(static_cast<int32>(from), static_cast<int32>(to));
}

long Visual_Engine::ReadText(const char* text)
{
	return view->ReadText(text);
}

void Visual_Engine::InsertText(const char* text, long length, long offset)
{
	BAutolock lock(this);
	if (lock.IsLocked())
		view->Insert(static_cast<int32>(offset), text, static_cast<int32>(length));
}

void Visual_Engine::Refresh()
{
	view->Refresh(static_cast<const Visual_Element*>(nullptr));
}

bool Visual_Engine::Lock()
{
	return window != nullptr && window->Lock();
}

void Visual_Engine::Unlock()
{
	assert(IsLocked());
	window->Unlock();
}

bool Visual_Engine::IsLocked() const
{
	return window != nullptr && window->IsLocked();
}

// #pragma mark - Elements

long Visual_Engine::Delete(Visual_Element* element)
{
	if (element == nullptr || elementList->IndexOf(element) < 1)
		return 0;
	BAutolock lock(this);
	int32 before = view->TextLength();
	RemoveViewOf(element);
	elementList->Delete(element);
	return before - view->TextLength();
}

void Visual_Engine::Delete(const std::vector<Visual_Element*>& elements)
{
	if (elements.empty())
		return;
	BAutolock lock(this);
	for (Visual_Element* element : elements) {
		if (elementList->IndexOf(element) >= 1)
			RemoveViewOf(element);
	}
	elementList->Delete(elements);
}

void Visual_Engine::RemoveViewOf(Visual_Element* element)
{
	BView* elementView = element->View();
	if (elementView == nullptr)
		return;
	if (elementView->IsFocus())
		view->MakeFocus(true);
	elementView->Hide();
	view->RemoveChild(elementView);
}

long Visual_Engine::MoveBefore(long offset, Visual_Element* element)
{
	return MoveElement(offset, element, false);
}

long Visual_Engine::MoveAfter(long offset, Visual_Element* element)
{
	return MoveElement(offset, element, true);
}

// Moves an element to offset with its paragraph or its space: both are
// taken out of the text at the old place and made again at the new one.
// After the element, the new place is past the space already at offset.
long Visual_Engine::MoveElement(long offset, Visual_Element* element, bool after)
{
	if (element == nullptr)
		return -1;
	BAutolock lock(this);
	long index = elementList->IndexOf(element);
	if (index < 1)
		return -1;
	bool paragraph = element->HasParagraph();
	std::unique_ptr<BFont> font;
	if (element->SpaceFont() != nullptr)
		font = std::make_unique<BFont>(*element->SpaceFont());
	Element_List_Item item = (*elementList)[index];
	bool hasSpace = item.spaceTo > 0 && !paragraph;
	if (after)
		offset += elementList->SpaceLengthAt(offset);
	if (paragraph)
		DeleteParagraph(element);
	if (hasSpace)
		DeleteSpace(element);
	long from = item.spaceFrom;
	long to = item.spaceTo;
	if (paragraph)
		InsertParagraph(element, offset, &from, &to);
	if (hasSpace && font != nullptr)
		CreateSpace(from, to, font.get(), element, offset);
	if (after)
		elementList->MoveAfter(offset, element);
	else
		elementList->MoveBefore(offset, element);
	shownViews->Reordered();
	if (item.spaceTo > 0)
		elementList->SetSpaceFromToRelOffset(element, from, to);
	// The edits of the text placed the views behind them while the element
	// still stood at its old place in the list: its own view follows it
	// now.
	if (element->View() != nullptr) {
		long moved = elementList->OffsetOf(element);
		Place(moved, moved + 1);
	}
	return item.spaceTo - item.spaceFrom;
}

Page_Element* Visual_Engine::CloneAt(long offset, Page_Element* element, long* length,
	insert_mode)
{
	if (offset < 0 || element == nullptr)
		return nullptr;
	page->VisualChanged();
	int32 before = view->TextLength();
	BMessage archive;
	element->Archive(&archive);
	archive.AddInt32("relative_offset", 0);
	Page_Element* clone = Instantiate(&archive, offset);
	if (length != nullptr)
		*length = view->TextLength() - before;
	return clone;
}

// The elements in index order, the empty entries packed at the end.
void Visual_Engine::SortMinIndexFirst(Page_Element** array, long count)
{
	if (array == nullptr || count <= 0)
		return;
	Page_Element** end = std::stable_partition(array, array + count,
		[](Page_Element* element) { return element != nullptr; });
	std::sort(array, end, [](Page_Element* a, Page_Element* b) {
		return a->ThisIndex() < b->ThisIndex();
	});
}

void Visual_Engine::SortMaxIndexFirst(Page_Element** array, long count)
{
	if (array == nullptr || count <= 0)
		return;
	Page_Element** end = std::stable_partition(array, array + count,
		[](Page_Element* element) { return element != nullptr; });
	std::sort(array, end, [](Page_Element* a, Page_Element* b) {
		return a->ThisIndex() > b->ThisIndex();
	});
}

// #pragma mark - Paragraphs

long Visual_Engine::InsertParagraph(Visual_Element* element, long offset, long* from, long* to)
{
	BAutolock lock(this);
	if (offset < 0 || element == nullptr || !lock.IsLocked())
		return 0;
	offset = std::min<long>(offset, view->TextLength());
	view->BInsertText("\n", 1, static_cast<int32>(offset), nullptr);
	long length = CreateSpace(offset + 1, element, offset, from, to, 0, kParagraphHeight, 0);
	element->SetParagraph(true);
	return length + 1;
}

long Visual_Engine::DeleteParagraph(Visual_Element* element)
{
	if (element == nullptr || !element->HasParagraph())
		return 0;
	long index = elementList->IndexOf(element);
	if (index < 0)
		return 0;
	BAutolock lock(this);
	Element_List_Item item = (*elementList)[index];
	if (item.offset < 0 || !lock.IsLocked())
		return 0;
	view->BDeleteText(item.offset, item.offset + 1);
	elementList->SetSpaceFromToRelOffset(element, item.spaceFrom - 1, item.spaceTo - 1);
	long deleted = DeleteSpace(element);
	element->SetParagraph(false);
	return deleted + 1;
}

// #pragma mark - Formatting state

std::unique_ptr<Environment> Visual_Engine::WalkEnvironment(long offset, bool unclosed) const
{
	elementList->Lock();
	std::unique_ptr<Environment> environment = formatting->EnvironmentAt(offset, unclosed);
	elementList->Unlock();
	return environment;
}

void Visual_Engine::FormattingChanged(long offset)
{
	elementList->Lock();
	formatting->Forget(offset);
	elementList->Unlock();
}

std::unique_ptr<Environment> Visual_Engine::EnvironmentAt(long offset) const
{
	return WalkEnvironment(offset, false);
}

std::unique_ptr<Environment> Visual_Engine::EnvironmentAtUnclosed(long offset) const
{
	return WalkEnvironment(offset, true);
}

const List* Visual_Engine::CurrentList(long offset) const
{
	return EnvironmentAt(offset)->CurrentList();
}

const Anchor* Visual_Engine::CurrentAnchor(long offset) const
{
	return EnvironmentAt(offset)->CurrentAnchor();
}

bool Visual_Engine::SameEffect(const _tagdict* tag, const structTagEffects* effects) const
{
	if (tag == nullptr || effects == nullptr)
		return false;
	structTagEffects own;
	HTML_Element::TagEffectsOf(tag, &own);
	return effects->Covers(own);
}

structTagEffects Visual_Engine::TagEffectsAt(unsigned long fromIndex,
	unsigned long toIndex) const
{
	structTagEffects result;
	unsigned long last = std::min(toIndex, elementList->LastIndex());
	for (unsigned long index = fromIndex; index <= last; index++) {
		const HTML_Element* html = dynamic_cast<const HTML_Element*>(
			(*elementList)[index].element);
		if (html == nullptr)
			continue;
		structTagEffects effects;
		html->TagEffects(&effects);
		result.Toggle(effects);
	}
	return result;
}

structTagEffects Visual_Engine::TagEffectsAt(long from, long to) const
{
	if (from < 0 || to <= from)
		return structTagEffects();
	unsigned long first = elementList->NextOrAtIndex(from);
	if (first >= 1 && (*elementList)[first].offset < from)
		first++;
	unsigned long last = elementList->PreviousIndex(to);
	if (first > last)
		return structTagEffects();
	return TagEffectsAt(first, last);
}

// #pragma mark - Commands

// The selection is formatted, its paragraphs wrapped, or a line break,
// rule or image goes in where it ends. A new link opens its settings at
// once, in the visual window.
void Visual_Engine::Insert(const _tagdict* tag, const entry_ref* file, insertflag flag)
{
	// A file that is no image formats nothing: dropped on a selection, it
	// would take its styles off.
	if (file != nullptr) {
		const char* name = file->name != nullptr ? file->name : "";
		const char* dot = strrchr(name, '.');
		if (dot == nullptr)
			ErrorAlert("Incorrect file");
		else if (!IsImageName(name))
			return;
		else
			tag = tag_img;
	}
	int32 start = 0;
	int32 end = 0;
	{
		BAutolock lock(this);
		view->GetSelection(&start, &end);
		view->Select(end, end);
	}
	if (IsFormattingTag(tag)) {
		Page_Element* created = nullptr;
		long formatted = 0;
		{
			// One step of the user's undo for the whole command, which
			// gives back the run as it was.
			BAutolock lock(this);
			view->BeginUndoGroup(start, end);
			formatted = Format(start, end, NewTagNode(tag, StartTag), &created);
			view->Select(static_cast<int32>(formatted), static_cast<int32>(formatted));
			view->EndUndoGroup();
		}
		end = static_cast<int32>(formatted);
		if (Anchor* anchor = dynamic_cast<Anchor*>(created)) {
			BMessage settings('tset');
			settings.AddPointer("element", anchor);
			settings.AddInt32("flag", flag);
			window->PostMessage(&settings);
		}
		// A heading or paragraph takes the whole paragraphs it touches: the
		// text from the first one on looks different.
		if (tag == tag_p || TextChange::IsHeadingType(tag)) {
			BAutolock lock(this);
			if (created != nullptr)
				start = std::min(start, static_cast<int32>(created->ThisOffset()));
			end = view->TextLength();
		}
	} else if (IsWrappingTag(tag)) {
		BAutolock lock(this);
		view->BeginUndoGroup(start, end);
		WrapParagraphs(start, end, tag);
		view->EndUndoGroup();
	} else if (tag == tag_img || tag == tag_br || tag == tag_hr) {
		end = start + static_cast<int32>(InsertAt(start, NewTagNode(tag, StartTag), INSERT_EDIT,
			file));
	}
	view->Refresh(start, end);
}

bool Visual_Engine::IsImageName(const char* name)
{
	const char* dot = name != nullptr ? strrchr(name, '.') : nullptr;
	if (dot == nullptr)
		return false;
	for (const char* image : {"gif", "jpg", "jpeg", "png"}) {
		if (strcasecmp(dot + 1, image) == 0)
			return true;
	}
	return false;
}

void Visual_Engine::Empty()
{
	view->SuppressUndo(true);
	{
		BAutolock lock(this);
		elementList->Discard();
		page->SetBaseFont(nullptr);
		view->BDeleteText(0, view->TextLength());
		view->ClearUndo();
	}
	view->SuppressUndo(false);
	Refresh();
}

void Visual_Engine::Test()
{
	BAutolock lock(this);
	for (unsigned long index = 0; index <= elementList->LastIndex(); index++) {
		Element_List_Item item = (*elementList)[index];
		if (item.spaceTo > 0)
			view->Highlight(item.offset + item.spaceFrom, item.offset + item.spaceTo);
	}
}

// #pragma mark - Instantiation and HTML output

// The elements enter the list and put their characters into the text
// themselves; here only the class is chosen.
long Visual_Engine::InsertAt(long offset, _node* node, insert_mode mode, const entry_ref* file)
{
	if (offset < 0 || node == nullptr)
		return 0;
	BAutolock lock(this);
	if (mode != INSERT_BUILD)
		page->VisualChanged();
	long length = 0;
	Element_List* list = elementList.get();
	const _tagdict* tag = node->tag;
	if (IsTextRunTag(tag)) {
		Make<TextChange>(offset, node, mode, this, list, length);
	} else if (tag != nullptr && tag == tag_a) {
		Make<Anchor>(offset, node, mode, this, list);
	} else if (tag != nullptr && (tag == tag_br || tag == tag_p)) {
		Make<EndLine>(offset, node, mode, this, list, length);
	} else if (tag != nullptr && tag == tag_hr) {
		Make<HorizontalLine>(offset, node, mode, this, list, length);
	} else if (tag != nullptr && tag == tag_img) {
		ShowImage(Make<WImage>(offset, node, mode, file, this, list, nullptr, length));
	} else if (tag == nullptr && node->type == TextNode) {
		const _lexer* lexer = page->Lexer();
		if (lexer == nullptr || node->end <= node->start || node->end > lexer->lexbuf.size())
			return 0;
		offset = std::min<long>(offset, view->TextLength());
		length = node->end - node->start;
		view->Insert(static_cast<int32>(offset), lexer->lexbuf.data() + node->start,
			static_cast<int32>(length));
	} else {
		Make<UnsupportedTag>(offset, node, mode, this, list);
	}
	// An element the user put in (a line break, a picture, a tag of the
	// palette) is no step the record can take back: its offsets would no
	// longer fit.
	if (mode != INSERT_BUILD && !view->IsUndoSuppressed())
		view->ClearUndo();
	return length;
}

namespace {

const char* const kElementClasses[] = {
	"WImage", "TextChange", "EndLine", "HorizontalLine", "Anchor", "UnsupportedTag"};

// What an element's archive says it is: its class, tag and node type.
struct ArchivedKind {
	const char* className = nullptr;
	const _tagdict* tag = nullptr;
	int32 type = 0;
};

// False for an archive no element of the engine is made from.
bool ReadKind(const BMessage* archive, ArchivedKind* kind)
{
	if (archive == nullptr || archive->FindString("class", &kind->className) != B_OK
			|| archive->FindInt32("_type", &kind->type) != B_OK)
		return false;
	bool known = false;
	for (const char* name : kElementClasses)
		known = known || strcmp(name, kind->className) == 0;
	return known && Page_Element::TagOfArchive(archive,
		strcmp(kind->className, "UnsupportedTag") == 0, &kind->tag);
}

} // namespace

bool Visual_Engine::IsInstantiable(const BMessage* archive)
{
	ArchivedKind kind;
	return ReadKind(archive, &kind);
}

Page_Element* Visual_Engine::Instantiate(const BMessage* archive, long offset)
{
	ArchivedKind kind;
	if (!ReadKind(archive, &kind))
		return nullptr;
	int32 relative = 0;
	archive->FindInt32("relative_offset", &relative);
	offset += relative;
	if (offset < 0)
		return nullptr;
	_node* node = NewTagNode(kind.tag, static_cast<uint32>(kind.type));
	BAutolock lock(this);
	Page_Element* element = MakeOfClass(kind.className, node, offset, archive);
	bool head = false;
	if (element != nullptr && archive->FindBool("_head", &head) == B_OK)
		element->SetHeadMark(head);
	return element;
}

Page_Element* Visual_Engine::MakeOfClass(const char* className, _node* node, long offset,
	const BMessage* archive)
{
	long length = 0;
	Element_List* list = elementList.get();
	std::string name(className);
	if (name == "WImage") {
		WImage* image = Make<WImage>(offset, node, INSERT_BUILD, nullptr, this, list, nullptr,
			length, archive);
		ShowImage(image);
		return image;
	}
	if (name == "TextChange")
		return Make<TextChange>(offset, node, INSERT_BUILD, this, list, length, archive);
	if (name == "EndLine")
		return Make<EndLine>(offset, node, INSERT_BUILD, this, list, length, archive);
	if (name == "HorizontalLine")
		return Make<HorizontalLine>(offset, node, INSERT_BUILD, this, list, length, archive);
	if (name == "Anchor")
		return Make<Anchor>(offset, node, INSERT_BUILD, this, list, archive);
	if (name == "UnsupportedTag")
		return Make<UnsupportedTag>(offset, node, INSERT_BUILD, this, list, archive);
	page->FreeNode(node);
	return nullptr;
}

// A picture that was read goes over its room in the text, which draws its
// background under it for the picture's transparent parts.
void Visual_Engine::ShowImage(WImage* image)
{
	if (image == nullptr || image->View() == nullptr)
		return;
	if ((view->Flags() & B_DRAW_ON_CHILDREN) == 0)
		view->SetFlags(view->Flags() | B_DRAW_ON_CHILDREN);
	// While refreshing waits (a page being built) nothing is placed: the
	// picture stays hidden until it is, rather than being drawn over the
	// text's top left whenever the window shows the build's progress.
	if (view->IsRefreshBlocked())
		image->Hide();
	view->AddChild(image);
	long offset = image->ThisOffset();
	Place(offset, offset + 1);
}

// Writing the page tidies its formatting, which is no edit of the user's:
// the undo record stays, unless the tidying moved characters under it.
void Visual_Engine::ClearCodeKeepingUndo()
{
	bool suppressed = view->IsUndoSuppressed();
	int32 length = view->TextLength();
	view->SuppressUndo(true);
	ClearCode(0, length, nullptr, nullptr);
	view->SuppressUndo(suppressed);
	if (view->TextLength() != length)
		view->ClearUndo();
}

// Head-marked elements and those whose tag belongs in the head are written
// by InsertHTMLHead(); the rest, with the text between them, here.
long Visual_Engine::HTML(long position)
{
	BAutolock lock(this);
	ClearCodeKeepingUndo();
	long length = view->TextLength();
	unsigned long last = elementList->LastIndex();
	unsigned long index = 0;
	long offset = 0;
	while (offset <= length) {
		for (; index <= last && (*elementList)[index].offset == offset; index++) {
			HTML_Element* html = dynamic_cast<HTML_Element*>((*elementList)[index].element);
			if (html == nullptr || html->HeadMark())
				continue;
			const _tagdict* tag = html->HTMLType();
			if (tag != nullptr && (tag->model & CM_HEAD) != 0)
				continue;
			bool preformatted = IsPreformatted(tag);
			if (preformatted && !IsOpening(html))
				page->EndPreformatted();
			position += html->InsertHTML(position);
			if (preformatted && IsOpening(html))
				page->BeginPreformatted();
		}
		long next = index <= last ? (*elementList)[index].offset : length + 1;
		if (next <= offset)
			next = length + 1;
		position += TextHTML(offset, std::min(next, length));
		offset = next;
	}
	return position;
}

long Visual_Engine::InsertHTMLHead(long position) const
{
	unsigned long last = elementList->LastIndex();
	for (unsigned long index = 0; index <= last && last > 0; index++) {
		HTML_Element* html = dynamic_cast<HTML_Element*>((*elementList)[index].element);
		if (html == nullptr)
			continue;
		const _tagdict* tag = html->HTMLType();
		if (html->HeadMark() || (tag != nullptr && (tag->model & CM_HEAD) != 0))
			position += html->InsertHTML(position);
	}
	return position;
}

// #pragma mark - Spaces and placement

long Visual_Engine::CreateSpace(long at, Visual_Element* element, long elementOffset,
	long* from, long* to, float width, float height, float)
{
	if (at < 0 || element == nullptr || width < 0 || height < 0)
		return 0;
	auto font = std::make_unique<BFont>();
	font->SetSize(SpaceSizes::FontSizeForHeight(height));
	long length = SpaceSizes::CharactersForWidth(*font, width);
	BAutolock lock(this);
	if (!lock.IsLocked())
		return 0;
	at = std::min<long>(at, view->TextLength());
	std::string spaces(static_cast<size_t>(length), ' ');
	view->BInsertText(spaces.c_str(), static_cast<int32>(length), static_cast<int32>(at),
		nullptr);
	if (from != nullptr)
		*from = at - elementOffset;
	if (to != nullptr)
		*to = at - elementOffset + length;
	SizeSpace(at, at + length, font.get());
	element->SetSpaceFont(std::move(font));
	return length;
}

long Visual_Engine::CreateSpace(long from, long to, const BFont* font, Visual_Element* element,
	long at)
{
	if (element == nullptr || font == nullptr || from < 0 || to <= from)
		return 0;
	long length = to - from;
	BAutolock lock(this);
	if (!lock.IsLocked())
		return 0;
	long start = std::min<long>(at + from, view->TextLength());
	std::string spaces(static_cast<size_t>(length), ' ');
	view->BInsertText(spaces.c_str(), static_cast<int32>(length), static_cast<int32>(start),
		nullptr);
	element->SetSpaceFont(std::make_unique<BFont>(*font));
	long end = std::min<long>(at + to, view->TextLength());
	SizeSpace(start, end, font);
	return length;
}

// The views behind a space follow its change of size as they followed its
// characters coming in.
void Visual_Engine::SizeSpace(long start, long end, const BFont* font)
{
	uint32 generation = view->LayoutGeneration();
	view->SetFontAndColor(static_cast<int32>(start), static_cast<int32>(end), font, B_FONT_ALL);
	PlaceAfterEdit(start, end, generation);
}

bool Visual_Engine::IsPlainSpace(long offset) const
{
	return offset >= 0 && offset < view->TextLength() && view->ByteAt(offset) == ' '
		&& elementList->InNullCharactersAt(offset) <= 0;
}

// Taking an element out must not leave two plain spaces in a row.
long Visual_Engine::DeleteSpace(Visual_Element* element)
{
	long index = elementList->IndexOf(element);
	if (element == nullptr || index < 1)
		return 0;
	Element_List_Item item = (*elementList)[index];
	if (item.spaceTo < 1)
		return 0;
	BAutolock lock(this);
	long offset = item.offset;
	long count = item.spaceTo - item.spaceFrom;
	elementList->SetSpaceFromToRelOffset(element, 0, -1);
	view->BDeleteText(offset + item.spaceFrom, offset + item.spaceTo);
	if (IsPlainSpace(offset - 1) && IsPlainSpace(offset)) {
		view->BDeleteText(offset, offset + 1);
		count++;
	}
	element->SetSpaceFont(nullptr);
	return count;
}

void Visual_Engine::Place(long from, long to)
{
	PlaceViews(from, to, nullptr);
}

void Visual_Engine::PlaceAfterEdit(long editStart, long editEnd, uint32 generation)
{
	// Nothing is placed while refreshing waits (the build of a page): the
	// line asked for below would wrap the text after every insertion, and
	// the views are placed once refreshing resumes.
	if (view->IsRefreshBlocked() || view->CountChildren() == 0)
		return;
	int32 keptFrom = 0;
	float keptShift = 0;
	bool kept = view->LinesKeptSince(generation, &keptFrom, &keptShift);
	PlacedEdit edit{editEnd, generation, kept ? keptFrom : LONG_MAX, kept ? keptShift : 0};
	// The text is wrapped again from the line before the edit's, whose end
	// may depend on the edited text: the views on it may move as well.
	int32 lineBefore = std::max<int32>(view->LineAt(editStart) - 1, 0);
	PlaceViews(view->OffsetAt(lineBefore), 0, &edit);
}

void Visual_Engine::PlaceViews(long from, long to, const PlacedEdit* edit)
{
	if (view->IsRefreshBlocked() || view->CountChildren() == 0)
		return;
	if (to < 1)
		to = view->TextLength();
	if (from > 0)
		from--;
	if (from > elementList->LastOffset())
		return;
	unsigned long first = elementList->NextOrAtIndex(from);
	unsigned long last = elementList->PreviousOrAtIndex(to);
	// The text view's lines are read under its window's lock, which its
	// children share: a query may wrap lines that wait to be wrapped.
	if (!view->LockLooper())
		return;
	const std::vector<ShownViews::Shown>& shown = shownViews->Between(first, last);
	uint32 generation = view->LayoutGeneration();
	float scrollTop = view->Bounds().top;
	bool toTheLast = !shown.empty() && shown.back().position + 1 == shownViews->Count();
	for (const ShownViews::Shown& each : shown) {
		Element_List_Item item = (*elementList)[each.index];
		if (edit != nullptr && OnUnmovedLine(item, *edit)
				&& shownViews->IsInPlaceFrom(each.position, edit->generation, scrollTop))
			break;
		// A view that placing stopped before stood in place all along; it
		// is placed as cheaply as the others.
		shownViews->UpdatePassedBy(each.position, item.element->Placement());
		if (item.element->View() != nullptr)
			PlaceView(item, edit);
	}
	if (toTheLast && view->LayoutGeneration() == generation)
		shownViews->InPlaceFrom(shown.front().position, generation, scrollTop);
	view->UnlockLooper();
}

// Whether an element's space lies on a line the edit neither wrapped again
// nor moved.
bool Visual_Engine::OnUnmovedLine(const Element_List_Item& item, const PlacedEdit& edit)
{
	return edit.keptShift == 0 && item.offset + item.spaceFrom >= edit.keptFrom;
}

// Whether a view stood where it was put just before the edit, on a line
// the edit did not wrap again, with the text scrolled as far: placing it
// again would put it as far below as the edit moved its line.
bool Visual_Engine::MovedWithItsLine(const ViewPlacement& placement, const PlacedEdit& edit,
	int32 start, const BView* elementView) const
{
	return placement.measured && placement.generation == edit.generation
		&& start >= edit.keptFrom && placement.scrollTop == view->Bounds().top
		&& placement.placedAt == elementView->Frame().LeftTop()
		&& placement.bounds == elementView->Bounds();
}

// Whether the measures of a view's space still hold after the edit: they
// were taken just before it, the edit lies in front of the space's line
// (whose text up to the space is then the same text, moved), and the line
// starts as far to the left as it did.
bool Visual_Engine::StillMeasured(const ViewPlacement& placement, const PlacedEdit& edit,
	int32 start, int32 end, int32 lineStart, float lineLeft)
{
	return placement.measured && placement.generation == edit.generation
		&& lineStart >= edit.end && start - lineStart == placement.startInLine
		&& end - lineStart == placement.endInLine && lineLeft == placement.lineLeft;
}

// Centred over its space, its bottom at five sixths of the line height (or
// at the top of the line when it is taller than that). Under the text
// view's window lock.
void Visual_Engine::PlaceView(const Element_List_Item& item, const PlacedEdit* edit)
{
	BView* elementView = item.element->View();
	int32 start = item.offset + item.spaceFrom;
	int32 end = item.offset + item.spaceTo;
	ViewPlacement* placement = item.element->Placement();
	BRect bounds = elementView->Bounds();
	BPoint where;
	if (placement != nullptr && edit != nullptr
			&& MovedWithItsLine(*placement, *edit, start, elementView)) {
		where = placement->placedAt + BPoint(0, edit->keptShift);
	} else {
		// A space broken over two lines is centred on its part on the
		// second.
		int32 lineStart = view->OffsetAt(view->LineAt(end));
		start = std::max(start, lineStart);
		float left;
		float right;
		float lineHeight = 0;
		BPoint top = view->PointAt(lineStart, &lineHeight);
		if (placement != nullptr && edit != nullptr
				&& StillMeasured(*placement, *edit, start, end, lineStart, top.x)) {
			left = placement->left;
			right = placement->right;
		} else {
			left = view->PointAt(start).x;
			right = view->PointAt(end).x;
			if (placement != nullptr) {
				placement->measured = true;
				placement->startInLine = start - lineStart;
				placement->endInLine = end - lineStart;
				placement->lineLeft = top.x;
				placement->left = left;
				placement->right = right;
			}
		}
		float baseline = lineHeight * 0.8333333f;
		where.x = left + ((right - left) - bounds.right) * 0.5f;
		where.y = baseline - bounds.bottom > 0 ? top.y + (baseline - bounds.bottom) : top.y;
		where.y -= view->Bounds().top;
	}
	// Placing runs at every draw: a view already in place is left alone,
	// since moving it draws again.
	if (elementView->Frame().LeftTop() != where)
		elementView->MoveTo(where);
	if (elementView->IsHidden(elementView))
		elementView->Show();
	if (placement != nullptr) {
		placement->generation = view->LayoutGeneration();
		placement->placedAt = where;
		placement->bounds = bounds;
		placement->scrollTop = view->Bounds().top;
	}
}

void Visual_Engine::SetBackgroundBitmap(const char* path)
{
	if (path == nullptr) {
		BAutolock lock(this);
		view->ClearViewBitmap();
		view->Invalidate();
		return;
	}
	BFile file(path, B_READ_ONLY);
	if (file.InitCheck() != B_OK) {
		ErrorAlert("Could not open the file: ", path);
		return;
	}
	std::unique_ptr<BBitmap> bitmap(BTranslationUtils::GetBitmap(path));
	if (bitmap == nullptr) {
		ErrorAlert("Incorrect Image file: ", path);
		return;
	}
	BAutolock lock(this);
	view->SetViewBitmap(bitmap.get(), B_FOLLOW_TOP | B_FOLLOW_LEFT, B_TILE_BITMAP);
	view->Invalidate();
}

// #pragma mark - Formatting

void Visual_Engine::OpenTagsAt(long offset, OpenTags& tags) const
{
	tags = OpenTags();
	if (offset < 0)
		return;
	BAutolock lock(const_cast<Visual_Engine*>(this));
	unsigned long end = elementList->FirstIndexAbove(offset);
	for (const PairWalk::Open& pair : PairWalk::OpenBefore(*elementList, end)) {
		style_group group = StyleGroups::GroupOf(pair.element);
		if (group != GROUP_NONE)
			tags.slot[group] = pair.element;
		else if (pair.role.kind == PairRole::UNSUPPORTED)
			tags.others.push_back(pair.element);
	}
}

const Page_Element* Visual_Engine::OpenInGroup(const _tagdict* tag, const OpenTags& tags) const
{
	return tags[StyleGroups::GroupOf(tag)];
}

bool Visual_Engine::IsTagOpen(const _tagdict* tag, const OpenTags& tags,
	Page_Element** found) const
{
	Page_Element* open = nullptr;
	for (Page_Element* slot : tags.slot) {
		if (open == nullptr && slot != nullptr && slot->HTMLType() == tag)
			open = slot;
	}
	for (Page_Element* other : tags.others) {
		if (open == nullptr && other->HTMLType() == tag)
			open = other;
	}
	if (found != nullptr)
		*found = open;
	return open != nullptr;
}

long Visual_Engine::FindTagIndex(long offset, const _tagdict* tag, bool opening) const
{
	if (offset < 0 || tag == nullptr)
		return -1;
	BAutolock lock(const_cast<Visual_Engine*>(this));
	unsigned long last = elementList->LastIndex();
	auto matches = [&](unsigned long index) {
		PairRole role = PairRole::Of((*elementList)[index].element);
		return (role.kind == PairRole::TEXT_RUN || role.kind == PairRole::LINK)
			&& role.tag == tag && role.open == opening;
	};
	if (opening) {
		for (unsigned long i = elementList->FirstIndexAtOrAbove(offset); i-- > 1;) {
			if (matches(i))
				return static_cast<long>(i);
		}
		return -1;
	}
	for (unsigned long i = elementList->FirstIndexAbove(offset); i <= last; i++) {
		if (matches(i))
			return static_cast<long>(i);
	}
	return -1;
}

long Visual_Engine::FindOpeningTagIndex(long offset, const _tagdict* tag) const
{
	return FindTagIndex(offset, tag, true);
}

long Visual_Engine::FindClosingTagIndex(long offset, const _tagdict* tag) const
{
	return FindTagIndex(offset, tag, false);
}

long Visual_Engine::FindOpeningTagOffset(long offset, const _tagdict* tag) const
{
	long index = FindOpeningTagIndex(offset, tag);
	return index < 0 ? -1 : (*elementList)[index].offset;
}

long Visual_Engine::FindClosingTagOffset(long offset, const _tagdict* tag) const
{
	long index = FindClosingTagIndex(offset, tag);
	return index < 0 ? -1 : (*elementList)[index].offset;
}

// An empty range is given one blank to format; the elements at its place
// stay in front of it.
void Visual_Engine::InsertBlank(long offset)
{
	Building building(*this);
	offset = std::min<long>(offset, view->TextLength());
	view->BInsertText(" ", 1, static_cast<int32>(offset), nullptr);
}

// A range's ends on whole characters: outward, never into a character.
void Visual_Engine::WholeCharacters(long* start, long* end) const
{
	long length = view->TextLength();
	*start = std::clamp<long>(*start, 0, length);
	*end = std::clamp<long>(*end, *start, length);
	auto inside = [this](long offset) { return (view->ByteAt(offset) & 0xC0) == 0x80; };
	while (*start > 0 && *start < length && inside(*start))
		(*start)--;
	while (*end < length && inside(*end))
		(*end)++;
}

long Visual_Engine::Format(long start, long end, const _node* node, Page_Element** created)
{
	if (created != nullptr)
		*created = nullptr;
	if (node == nullptr || start < 0 || end < start)
		return end;
	const _tagdict* tag = node->tag;
	bool wholeParagraphs = TextChange::IsHeadingType(tag) || tag == tag_p;
	if (tag != nullptr && !wholeParagraphs && StyleGroups::GroupOf(tag) == GROUP_NONE)
		return end;
	Building building(*this);
	page->VisualChanged();
	WholeCharacters(&start, &end);
	if (tag == nullptr) {
		if (start == end) {
			InsertBlank(start);
			end++;
		}
		UntagArea(&start, &end, MASK_ALL, nullptr);
		return end;
	}
	if (wholeParagraphs) {
		Paragraphs paragraphs(*this);
		long growth = paragraphs.Format(start, end, tag);
		if (created != nullptr)
			*created = paragraphs.Made();
		return end + growth;
	}
	return FormatStyle(start, end, tag, created);
}

// The style opens at the range's start and CloseTag() ends it, taking
// the other members of its group off the range in the same rewrite (a
// heading stays: it is the paragraph's, not the characters'), so that a
// run the style joins goes on as one.
long Visual_Engine::FormatStyle(long start, long end, const _tagdict* tag,
	Page_Element** created)
{
	bool blank = start == end;
	if (blank) {
		InsertBlank(start);
		end++;
	}
	// The new pair gets its own closing tag, so that it takes none of a
	// pair it lies in.
	long length = view->TextLength();
	Page_Element* closing = InsertTagAt(end, tag, EndTag, INSERT_EDIT);
	Page_Element* opening = InsertTagAt(start, tag, StartTag, INSERT_EDIT);
	end += view->TextLength() - length;
	if (opening == nullptr)
		return end;
	style_group group = StyleGroups::GroupOf(tag);
	return end + ClosePair(opening, closing, end, created,
		[group, opening](const Page_Element& element) {
			return &element != opening && StyleGroups::GroupOf(&element) == group
				&& !TextChange::IsHeadingType(element.HTMLType());
		}, blank);
}

_node* Visual_Engine::NewTagNode(const _tagdict* tag, uint32 type)
{
	_node* node = page->NewNode();
	node->tag = tag;
	node->type = type;
	return node;
}

// An element made for a tag enters behind the ones at its offset; one
// that does not is looked for by its node.
Page_Element* Visual_Engine::InsertTagAt(long offset, const _tagdict* tag, uint32 type,
	insert_mode mode)
{
	_node* node = NewTagNode(tag, type);
	InsertAt(offset, node, mode, nullptr);
	if (Page_Element* element = elementList->LastAddedAt(node, offset))
		return element;
	return elementList->ElementForNode(node);
}

void Visual_Engine::RewriteStyles(long from, long to,
	const std::function<bool(const Page_Element&)>& picks)
{
	StyleRewrite rewrite(*this, from, to);
	if (picks)
		rewrite.Remove(from, to, picks);
	if (rewrite.Apply())
		ClearCode(rewrite.From(), rewrite.To() + 1, nullptr, nullptr);
}

void Visual_Engine::UntagArea(long* start, long* end, tag_mask mask, const _tagdict* tag)
{
	if (start == nullptr || end == nullptr || *start < 0 || *end <= *start)
		return;
	Building building(*this);
	WholeCharacters(start, end);
	bool headings = tag != nullptr ? TextChange::IsHeadingType(tag)
		: mask == MASK_ALL || mask == MASK_BASIC;
	if (headings)
		Paragraphs(*this).PlainHeadings(start, end);
	RewriteStyles(*start, *end, [mask, tag](const Page_Element& element) {
		if (tag != nullptr)
			return element.HTMLType() == tag;
		return StyleGroups::Selects(mask, StyleGroups::GroupOf(&element));
	});
}

// The pair's closing element: the next one of its kind, unless another
// pair of it starts first.
Page_Element* Visual_Engine::ClosingFor(Page_Element* opening) const
{
	PairRole role = PairRole::Of(opening);
	for (unsigned long i = opening->ThisIndex() + 1; i <= elementList->LastIndex(); i++) {
		PairRole next = PairRole::Of((*elementList)[i].element);
		if (next.SameKey(role))
			return next.open ? nullptr : dynamic_cast<Page_Element*>((*elementList)[i].element);
	}
	return nullptr;
}

long Visual_Engine::CloseTag(Page_Element* element, long end, Page_Element** result)
{
	if (result != nullptr)
		*result = nullptr;
	if (element == nullptr || end < 0 || elementList->IndexOf(element) < 1)
		return 0;
	Building building(*this);
	PairRole role = PairRole::Of(element);
	if (!role.IsPair())
		return 0;
	Page_Element* opening = role.open ? element : nullptr;
	Page_Element* closing = role.open ? ClosingFor(element) : element;
	if (!role.open)
		opening = PairPartners(*elementList).Of(element);
	if (opening == nullptr)
		return 0;
	return ClosePair(opening, closing, end, result, nullptr, false);
}

// Puts the pair's closing tag at end (a new one when there is none),
// writes the styles of the pair's stretch anew, so that it nests with
// every other pair and holds no block, and clears the code around it.
long Visual_Engine::ClosePair(Page_Element* opening, Page_Element* closing, long end,
	Page_Element** result, const std::function<bool(const Page_Element&)>& removes,
	bool keepBlanks)
{
	long length = view->TextLength();
	long start = opening->ThisOffset();
	end = std::min<long>(end, view->TextLength());
	if (closing != nullptr) {
		// A closing tag that is reused only moves outward: the pair never
		// shrinks.
		if (closing->ThisOffset() < end)
			MoveBefore(end, closing);
	} else {
		unsigned long before = elementList->FirstIndexAbove(end) - 1;
		Page_Element* standing = dynamic_cast<Page_Element*>((*elementList)[before].element);
		PairRole there = PairRole::Of(standing);
		if (standing != nullptr && before > opening->ThisIndex() && !there.open
				&& there.SameKey(PairRole::Of(opening))) {
			MoveBefore(end, standing);
			closing = standing;
		} else {
			long grown = view->TextLength();
			closing = InsertTagAt(end, opening->HTMLType(), EndTag, INSERT_EDIT);
			end += view->TextLength() - grown;
		}
	}
	StyleRewrite rewrite(*this, start, end, opening, closing);
	if (removes)
		rewrite.Remove(start, end, removes);
	if (keepBlanks)
		rewrite.KeepBlanks(opening);
	rewrite.Apply();
	opening = rewrite.Survivor(opening);
	ClearCode(rewrite.From(), rewrite.To() + 1, opening, &opening);
	if (result != nullptr)
		*result = opening;
	return view->TextLength() - length;
}

void Visual_Engine::ClearCode(long from, long to, Page_Element* tracked,
	Page_Element** trackedOut)
{
	Building building(*this);
	CodeClearing clearing(*this);
	clearing.Run(from, to, tracked != nullptr && trackedOut != nullptr ? tracked : nullptr);
	if (tracked != nullptr && trackedOut != nullptr && clearing.TrackedReplaced())
		*trackedOut = clearing.Tracked();
}

void Visual_Engine::WrapParagraphs(long start, long end, const _tagdict* tag)
{
	if (start < 0 || end < start || !IsWrappingTag(tag))
		return;
	Building building(*this);
	page->VisualChanged();
	WholeCharacters(&start, &end);
	Paragraphs(*this).Wrap(start, end, tag);
}

void Visual_Engine::PlaceBefore(Visual_Element* element, const Visual_Element* before)
{
	long index = before != nullptr ? elementList->IndexOf(before) : -1;
	if (index < 1)
		index = static_cast<long>(elementList->LastIndex()) + 1;
	long offset = element->ThisOffset();
	elementList->MoveAtIndex(element, static_cast<unsigned long>(index), offset);
	long owned = PairRole::OwnedLength(element->ElementListItem());
	for (unsigned long i = element->ThisIndex() + 1;
			i <= elementList->LastIndex() && (*elementList)[i].offset < offset + owned; i++)
		elementList->MoveAtIndex((*elementList)[i].element, i, offset + owned);
}

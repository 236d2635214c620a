#ifndef VELMORA_WIMAGE_H
#define VELMORA_WIMAGE_H

#include <memory>
#include <optional>
#include <string>

#include <View.h>

#include "InsertMode.h"
#include "Page_Element.h"
#include "ViewPlacement.h"

class BBitmap;
class BMessage;
struct entry_ref;

// A picture (IMG): a view over a run of blanks of the picture's size in the
// visual text, so that the text flows around it, and the IMG tag written
// back from the attributes it read.
//
// A picture that cannot be read (a missing or broken file) takes no room;
// one on the web is not fetched and shows as an empty frame of its WIDTH
// and HEIGHT. Both write their tag back with every attribute as read.
class WImage : public BView, public Page_Element {
public:
	// file is the picture when the caller knows it (a dropped or chosen
	// file); else the SRC is resolved against the page's file. loaded says
	// whether the picture could be read; inserted grows by the characters
	// put into the text.
	WImage(long position, _node* node, insert_mode mode, const entry_ref* file,
		Visual_Engine* engine, Element_List* list, bool* loaded, long& inserted,
		const BMessage* archive = nullptr);
	~WImage() override;

	// Visual_Element
	void Archive(BMessage* archive) const override;
	BRect WFrame() const override;
	BRect WBounds() const override;
	// Only a picture that was read is a view over its space.
	BView* View() const override;
	ViewPlacement* Placement() override { return &placement; }

	// HTML_Element
	long InsertHTML(long position) override;
	const _tagdict* HTMLType() const override;

	// BView: a picture is drawn when it is invalidated, never on a timer.
	void Draw(BRect update) override;
	// The secondary button opens the menu of a picture that was read: its
	// settings, and those of the link it stands in. Its window gets 'tset' with "image"
	// (this) or "element" (the link). Other clicks are the text view's.
	void MouseDown(BPoint where) override;

	bool IsLoaded() const { return bitmap != nullptr; }
	// A picture on the web or one that cannot be read, shown as a frame
	// of its size.
	bool IsPlaceholder() const { return placeholder; }
	// The SRC as written back; null without one.
	const char* Src() const { return src ? src->c_str() : nullptr; }
	// The ALT text; null without one.
	const char* Alt() const { return alt ? alt->c_str() : nullptr; }
	// Under the engine's lock.
	void SetAlt(const char* text);

	// The ALIGN values the element understands, and what any other value
	// counts as: it stays among the attributes written back as read.
	static long AlignmentOf(const char* value);

private:
	void ReadAttributes(const _node* node);
	void RestoreAttributes(const BMessage* archive);
	bool Load(const entry_ref* file, insert_mode mode);
	void FillMissingAttributes(const std::string& picturePath);
	void DrawFrame();
	// The size shown: WIDTH and HEIGHT where they are pixel counts, else
	// the picture's own (a small frame's for a picture on the web).
	BPoint ShownSize() const;

	std::unique_ptr<BBitmap> bitmap;	// null when the picture could not be read
	bool placeholder = false;
	std::optional<std::string> src;
	std::optional<std::string> alt;
	std::optional<std::string> width;
	std::optional<std::string> height;
	std::string border;
	std::string unsupportedAttributes;
	// Every attribute as read, written back while the picture is not shown.
	std::string attributesAsRead;
	ViewPlacement placement;
};

#endif

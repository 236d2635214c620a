#ifndef VELMORA_VISUAL_ELEMENT_H
#define VELMORA_VISUAL_ELEMENT_H

#include <memory>

#include <Font.h>
#include <Rect.h>

class BMessage;
class BView;
class Element_List;
class Environment;
class EnginePage;
class Visual_Engine;
struct Element_List_Item;
struct ViewPlacement;

// The placement side of an element: where it sits in the visual text and
// in the element list. The list keeps index and offset current; the
// element's space (blank characters standing for a picture, a rule or a
// paragraph) is recorded in its list item and set in its space font.
class Visual_Element {
public:
	Visual_Element(long position, Visual_Engine* engine, Element_List* list);
	virtual ~Visual_Element();
	// A big page has hundreds of thousands of elements: they are kept in
	// pools of their sizes (see SlotPool).
	static void* operator new(size_t size);
	static void operator delete(void* memory, size_t size);
	Visual_Element(const Visual_Element&) = delete;
	Visual_Element& operator=(const Visual_Element&) = delete;

	// Records the element's placeholder font and range in the environment.
	virtual void GetEnvironment(Environment* environment) const;
	virtual void Archive(BMessage* archive) const = 0;
	virtual BRect WFrame() const;
	virtual BRect WBounds() const;
	// The element itself when it is a view; null otherwise.
	virtual BView* View() const;
	// Where the engine last measured the view's space; null for an element
	// that is never a view.
	virtual ViewPlacement* Placement() { return nullptr; }

	// The element's place in the list; once it left the list, 0.
	unsigned long ThisIndex() const;
	long ThisOffset() const;
	// Offset plus the end of the element's space, under the list's lock.
	long ThisFinish() const;
	Element_List* ElementList() const { return elementList; }
	// Whether an element being deleted takes its characters out of the
	// text: not when the whole list is discarded, whose text goes at once.
	bool TakesItsTextAlong() const;
	Element_List_Item ElementListItem() const;
	Visual_Element* Next() const;
	Visual_Element* Previous() const;
	long VAlignment() const { return verticalAlignment; }
	void SetVAlignment(long alignment) { verticalAlignment = alignment; }

	Visual_Engine* Engine() const { return engine; }
	EnginePage* MyPage() const { return page; }
	// The font of the element's space characters; null without a space.
	const BFont* SpaceFont() const { return spaceFont.get(); }
	void SetSpaceFont(std::unique_ptr<BFont> font) { spaceFont = std::move(font); }
	// The element owns a paragraph break in the text.
	bool HasParagraph() const { return hasParagraph; }
	void SetParagraph(bool paragraph) { hasParagraph = paragraph; }

private:
	friend class Element_List;

	// The flags come last, where a derived class's own flag can share their
	// word: a big page has hundreds of thousands of elements.
	Visual_Engine* engine;		// not owned: the engine that made the element
	EnginePage* page;			// not owned: the engine's page
	std::unique_ptr<BFont> spaceFont;
	Element_List* elementList;	// not owned: the engine's
	long verticalAlignment;
	unsigned long index;
	long offset;	// the list's record says it while the element is listed
	bool hasParagraph;
	bool listed;				// kept by the list: the element has a record there
};

#endif

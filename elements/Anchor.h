#ifndef VELMORA_ANCHOR_H
#define VELMORA_ANCHOR_H

#include <string>

#include "InsertMode.h"
#include "Page_Element.h"

class BMessage;

// One end of a link or a named target (the A tag). An opening anchor
// colours the text up to its closing one with the page's link colour and
// underlines it when it links somewhere.
class Anchor : public Page_Element {
public:
	Anchor(long position, _node* node, insert_mode mode, Visual_Engine* engine,
		Element_List* list, const BMessage* archive = nullptr);
	~Anchor() override;

	long InsertHTML(long position) override;
	const _tagdict* HTMLType() const override;
	void TagEffects(structTagEffects* effects) const override;
	void GetEnvironment(Environment* environment) const override;
	void Archive(BMessage* archive) const override;

	bool OpenTag() const { return open; }
	// HREF; empty when none.
	const char* LinkTo() const { return link.c_str(); }
	// NAME; empty when none.
	const char* Name() const { return name.c_str(); }
	void SetLinkTo(const char* target);
	void SetName(const char* targetName);
	Anchor* FindOpeningClosing() const;
	bool HasText() const;

	static bool SupportsTag(const _tagdict* tag);
	static void TagEffectsOf(const _tagdict* tag, structTagEffects* effects);

private:
	bool open;				// first: it shares the word of the flags before it
	std::string link;
	std::string name;
	std::string unsupportedAttributes;
};

#endif

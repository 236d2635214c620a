#ifndef VELMORA_KFINDER_VIEW_H
#define VELMORA_KFINDER_VIEW_H

#include <View.h>

class BButton;
class BCheckBox;
class BTextControl;

// The contents of the find-and-replace window: the "Find:" and "Replace:"
// fields, the "Case sensitive", "Whole word" and "Wrap" check boxes, and
// the "Find", "Replace" and "Replace all" buttons. Attached to its window,
// it lays the controls out at their preferred sizes and sizes the window
// to hold them.
class KFinderView : public BView {
public:
	KFinderView();

	void AttachedToWindow() override;

	BTextControl* FindField() const { return findField; }
	BTextControl* ReplaceField() const { return replaceField; }
	BCheckBox* CaseCheckBox() const { return caseCheckBox; }
	BCheckBox* WholeWordCheckBox() const { return wholeWordCheckBox; }
	BCheckBox* WrapCheckBox() const { return wrapCheckBox; }

private:
	void LayOut();

	// All children of the view.
	BTextControl* findField;
	BTextControl* replaceField;
	BCheckBox* caseCheckBox;
	BCheckBox* wholeWordCheckBox;
	BCheckBox* wrapCheckBox;
	BButton* findButton;
	BButton* replaceButton;
	BButton* replaceAllButton;
};

#endif

#ifndef VELMORA_HTML_VIEW_H
#define VELMORA_HTML_VIEW_H

#include <TextView.h>

class HWindow;

// The page's HTML as text. Every change of the text, typed or made by the
// program, tells the window that the source changed.
class HTML_View : public BTextView {
public:
	HTML_View(BRect frame, HWindow* window);

protected:
	void InsertText(const char* text, int32 length, int32 offset,
		const text_run_array* runs) override;
	void DeleteText(int32 start, int32 finish) override;

private:
	HWindow* htmlWindow;	// not owned: the window the view lives in
};

#endif

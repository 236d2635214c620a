#ifndef _STATUS_BAR_H
#define _STATUS_BAR_H

#include <string>

#include <View.h>

// A progress bar with a line of text above it: on the left the label and
// after it the text, on the right the trailing text and after it the
// trailing label. The value runs from 0 to the maximum (100 unless set)
// and is kept inside that range.
//
// Besides the calls, the bar takes B_UPDATE_STATUS_BAR ("delta" float,
// "text" and "trailing_text" strings) and B_RESET_STATUS_BAR ("label",
// "trailing_label"), so other threads may post to it.
class BStatusBar : public BView {
public:
	BStatusBar(BRect frame, const char* name, const char* label = NULL,
		const char* trailingLabel = NULL);
	~BStatusBar() override;

	void AttachedToWindow() override;
	void Draw(BRect updateRect) override;
	void MessageReceived(BMessage* message) override;
	void FrameResized(float width, float height) override;
	void GetPreferredSize(float* width, float* height) override;

	virtual void SetBarColor(rgb_color color);
	rgb_color BarColor() const { return fBarColor; }
	virtual void SetBarHeight(float height);
	float BarHeight() const { return fBarHeight; }

	virtual void SetText(const char* string);
	const char* Text() const { return fText.c_str(); }
	virtual void SetTrailingText(const char* string);
	const char* TrailingText() const { return fTrailingText.c_str(); }
	const char* Label() const { return fLabel.c_str(); }
	const char* TrailingLabel() const { return fTrailingLabel.c_str(); }

	// A maximum below 0 is taken as 0; the value is cut back to it.
	virtual void SetMaxValue(float max);
	float MaxValue() const { return fMax; }
	float CurrentValue() const { return fCurrent; }

	// Moves the value by delta; a null text leaves that text as it was.
	virtual void Update(float delta, const char* text = NULL, const char* trailingText = NULL);
	virtual void SetTo(float value, const char* text = NULL, const char* trailingText = NULL);
	// Value 0, maximum 100, no texts, and the given labels (null: none).
	virtual void Reset(const char* label = NULL, const char* trailingLabel = NULL);

protected:
	// The share of the maximum reached, 0 to 1 (0 when the maximum is 0).
	float Fraction() const;
	// Where the bar itself lies; below the text line when there is one.
	virtual BRect BarFrame() const;
	bool HasTextLine() const;

private:
	void _SetString(std::string& field, const char* string);

	std::string fLabel;
	std::string fTrailingLabel;
	std::string fText;
	std::string fTrailingText;
	float fMax = 100;
	float fCurrent = 0;
	float fBarHeight = 16;
	rgb_color fBarColor;
};

#endif

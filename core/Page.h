#ifndef VELMORA_PAGE_H
#define VELMORA_PAGE_H

#include <atomic>
#include <memory>
#include <string>

#include <DataIO.h>
#include <Font.h>
#include <GraphicsDefs.h>

#include "TextEncoding.h"
#include "VudavMessageType.h"

class BEntry;
class BFile;
class Config_;
class GarbageCollector_;
class HTMLError_Window;
class HWindow;
class KFile;
class Tidy;
class VWindow;
class Visual_Element;
class Visual_Engine;
class WApplication;
struct _node;

// One open HTML document: its visual, HTML and error windows, the page
// file with its two scratch files, the parser bridge, the values taken from
// BODY and BASEFONT, and the buffer the HTML is generated into.
//
// The HTML window's text is the truth after an edit there, the element
// list after an edit in the visual window; UpdateFromHTML() and
// UpdateFromVisual() bring the other side into step, and every save,
// preview and check does so first. The page keeps the character encoding
// its file came in: the HTML window shows the text decoded and every file
// the page writes is in that encoding again.
class Page {
public:
	Page(const char* path, int index, WApplication* app);
	~Page();
	Page(const Page&) = delete;
	Page& operator=(const Page&) = delete;

	void Load();
	bool UpdateFromHTML(bool fromFile, KFile* external);
	void UpdateFromVisual();

	status_t Save(BFile* target = nullptr);
	status_t _Save(BFile* target = nullptr);
	// Save As: the page file becomes the one at path.
	status_t SetFile(const char* path);
	void Saved();
	void NotSaved();
	static void DeleteFile(BEntry* entry);

	// Closes the page after asking to save it; true when it was deleted.
	bool Quit();
	void ForceQuit();
	void StopProcessing();
	bool Processing();
	void NotProcessing();

	void Preview();
	void CheckHTML();
	void Correct();
	void ClearHTMLBuffer();

	void SetTitle(const char* title);
	void SetColors(long which, int red, int green, int blue, int alpha);
	void SetBackground(const char* source);
	void SetBaseFont(const _node* node);
	void SetBodyAttributes(const char* attributes);
	// A page whose frames take the place of its body is written without one.
	void SetFramesetDocument(bool frameset) { framesetDocument = frameset; }
	bool IsFramesetDocument() const { return framesetDocument; }
	// The page's own document type (the text between "<" and ">"), written
	// in place of the program's; empty for a page that had none.
	void SetDocumentType(const char* text) { documentType = text != nullptr ? text : ""; }
	// A page read without a document type is written without one: a
	// browser lays it out the same (quirks mode) either way, and the HTML
	// library, which reads a page without one by other rules, reads it as
	// before. New and empty pages get the program's.
	void OmitDocumentType() { omitDocumentType = true; }
	float FontSizeFor(const char* size) const;

	void HTMLError(long start, long finish, const char* text, VUDAV_message_type kind);
	void HTMLError(const _node* node, const char* text, VUDAV_message_type kind);
	void HTMLError(const Visual_Element* element, const char* text, VUDAV_message_type kind);

	void GenerateHTML();
	// Appends text to the HTML buffer with line ends around it as asked,
	// and records the span of the element that wrote it.
	long InsertHTML(const char* text, bool newLineBefore, bool newLineAfter, long position,
		Visual_Element* element);
	const BMallocIO* HTMLBuffer() const { return htmlBuffer.get(); }
	// Between these, what is written stands in preformatted text, where
	// every line end is part of the text: InsertHTML adds none.
	void BeginPreformatted() { preformattedDepth++; }
	void EndPreformatted();
	bool InPreformatted() const { return preformattedDepth > 0; }

	Config_* Config() const;
	Visual_Engine* Engine() const;
	HWindow* HTMLWindow() const { return htmlWindow; }
	VWindow* VisualWindow() const { return visualWindow; }
	HTMLError_Window* HTMLErrorWindow() const { return htmlErrorWindow; }
	KFile* File() const { return file.get(); }
	KFile* TempFile() const { return tempFile.get(); }
	KFile* ExternalExchangeFile() const { return externalExchangeFile.get(); }
	Tidy* MyTidy() const { return myTidy.get(); }
	const rgb_color* TextColor() const { return &textColor; }
	const rgb_color* LinkColor() const { return &linkColor; }
	const rgb_color* BackgroundColor() const { return &backgroundColor; }
	// Null when the page has no background image.
	const char* Background() const;
	const BFont* BaseFont() const { return baseFont.get(); }
	// Null when the page has no title.
	const char* Title() const;
	const char* BodyAttributes() const { return bodyAttributes.c_str(); }
	const char* Path() const { return path.c_str(); }
	int32 Index() const { return index; }
	GarbageCollector_* GarbageCollector() const { return garbageCollector.get(); }
	const TextEncoding& Encoding() const { return encoding; }
	void SetEncoding(const TextEncoding& pageEncoding) { encoding = pageEncoding; }
	bool IsUpdating() const { return updating.load(); }
	bool IsStopProcessing() const { return stopProcessing.load(); }
	bool IsProcessing() const { return processingCount.load() != 0; }
	bool IsUntitled() const { return untitled; }
	bool IsDeleting() const { return deleting.load(); }
	bool IsSaved() const { return saved.load(); }
	bool ActivatesVisual() const { return activateVisual; }
	void SetActivateVisual(bool visual) { activateVisual = visual; }

private:
	std::unique_ptr<KFile> CreateTempFile(const KFile* pageFile) const;
	void OpenPageFile(const char* pagePath);
	void ResetPageValues();
	void UpdateWindowTitles();
	void FillTempFile(bool fromFile, KFile* external);
	void LoadHTMLWindowFromTempFile();
	status_t WriteHTMLText(BFile* target);
	status_t SavePageFile();
	std::string BodyTag() const;
	void WatchExchangeFile(bool watch);
	int32 AskToSave(const char* text, bool canCancel) const;

	bool activateVisual;
	WApplication* app;					// not owned
	HWindow* htmlWindow;				// quit by the page
	VWindow* visualWindow;				// quit by the page
	HTMLError_Window* htmlErrorWindow;	// quit by the page
	std::unique_ptr<KFile> file;
	std::unique_ptr<KFile> tempFile;
	std::unique_ptr<KFile> externalExchangeFile;
	std::unique_ptr<Tidy> myTidy;
	rgb_color textColor;
	rgb_color linkColor;
	rgb_color backgroundColor;
	std::string background;				// empty when none
	std::unique_ptr<BFont> baseFont;
	const _node* baseFontNode;			// not owned: the bridge's tree
	int32 baseSize;
	std::string title;					// empty when none
	std::string bodyAttributes;
	bool framesetDocument;
	std::string documentType;			// empty: the program's own
	bool omitDocumentType;
	std::string path;
	std::unique_ptr<GarbageCollector_> garbageCollector;
	int32 index;
	std::atomic<bool> deleting;
	std::atomic<bool> stopProcessing;
	std::atomic<int32> processingCount;
	std::atomic<bool> saved;
	std::unique_ptr<BMallocIO> htmlBuffer;
	int32 preformattedDepth;
	long htmlCarriageReturns;	// in htmlBuffer
	bool untitled;
	std::atomic<bool> updating;
	TextEncoding encoding;
};

#endif

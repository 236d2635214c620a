#include "Page.h"

#include <errno.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include <Alert.h>
#include <Autolock.h>
#include <Beep.h>
#include <Entry.h>
#include <File.h>
#include <FindDirectory.h>
#include <NodeInfo.h>
#include <NodeMonitor.h>
#include <Path.h>

#include "Config_.h"
#include "Element_List.h"
#include "ErrorAlert.h"
#include "GarbageCollector_.h"
#include "HTMLError_Window.h"
#include "HTML_View.h"
#include "HWindow.h"
#include "KFile.h"
#include "element_support/NodeText.h"
#include "TextChange.h"
#include "Tidy.h"
#include "VWindow.h"
#include "Visual_Engine.h"
#include "Visual_View.h"
#include "WApplication.h"
#include "element_support/NodeText.h"
#include "page_support/PageText.h"
#include "page_support/SafeSave.h"
#include "writer_support/CharacterWriting.h"
#include "writer_support/CharsetCorrection.h"

namespace {

constexpr int32 kMostScratchNames = 1000;
constexpr int32 kDefaultBaseSize = 3;
const rgb_color kBlack = {0, 0, 0, 255};
const rgb_color kBlue = {0, 0, 255, 255};
const rgb_color kWhite = {255, 255, 255, 255};

const char kDocType[] = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">";

std::string HexColor(const rgb_color& color)
{
	char text[8];
	snprintf(text, sizeof(text), "%02X%02X%02X", color.red, color.green, color.blue);
	return text;
}

// Whether attributes (as kept: each a blank and the name as written) hold
// one of this name, in any letter case.
bool HasAttribute(const std::string& attributes, const char* name)
{
	size_t length = strlen(name);
	for (size_t blank = attributes.find(' '); blank != std::string::npos;
			blank = attributes.find(' ', blank + 1)) {
		if (strncasecmp(attributes.c_str() + blank + 1, name, length) != 0)
			continue;
		char next = attributes.c_str()[blank + 1 + length];
		if (next == '=' || next == ' ' || next == '\0')
			return true;
	}
	return false;
}

// Where scratch files go when the folder that should hold them cannot:
// a folder of the user's own.
std::string UserScratchFolder()
{
	BPath data;
	if (find_directory(B_USER_DATA_DIRECTORY, &data, true) != B_OK)
		return std::string();
	std::string folder = std::string(data.Path()) + "/Korvane";
	mkdir(folder.c_str(), 0700);
	folder += "/Velmora";
	mkdir(folder.c_str(), 0700);
	folder += "/Temp";
	mkdir(folder.c_str(), 0700);
	return folder;
}

// The first of "<folder>/<prefix><n>.html", n from 0, that can be made
// anew. Null when the folder takes no new files.
std::unique_ptr<KFile> CreateIn(const std::string& folder, const std::string& prefix)
{
	for (int32 n = 0; n < kMostScratchNames; n++) {
		std::string name = folder + "/" + prefix + std::to_string(n) + ".html";
		auto scratch = std::make_unique<KFile>(name.c_str(),
			B_READ_WRITE | B_CREATE_FILE | B_FAIL_IF_EXISTS);
		if (scratch->InitCheck() == B_OK)
			return scratch;
		if (scratch->InitCheck() != B_FILE_EXISTS)
			return nullptr;
	}
	return nullptr;
}

} // namespace

Page::Page(const char* pagePath, int pageIndex, WApplication* application)
	:
	activateVisual(true),
	app(application),
	htmlWindow(nullptr),
	visualWindow(nullptr),
	htmlErrorWindow(nullptr),
	textColor(kBlack),
	linkColor(kBlue),
	backgroundColor(kWhite),
	baseFontNode(nullptr),
	baseSize(kDefaultBaseSize),
	framesetDocument(false),
	omitDocumentType(false),
	path(pagePath != nullptr ? pagePath : ""),
	garbageCollector(std::make_unique<GarbageCollector_>()),
	index(pageIndex),
	deleting(false),
	stopProcessing(false),
	processingCount(0),
	saved(true),
	htmlBuffer(std::make_unique<BMallocIO>()),
	preformattedDepth(0),
	htmlCarriageReturns(0),
	untitled(path.empty()),
	updating(false)
{
	Config_* settings = Config();
	baseFont = std::make_unique<BFont>(settings != nullptr ? settings->ProportionalFont()
		: be_plain_font);
	htmlWindow = new HWindow(settings->HTMLWindowFrame(), "HTML window", this);
	visualWindow = new VWindow(settings->VisualWindowFrame(), "Main Vwindow", this);
	htmlErrorWindow = new HTMLError_Window(settings->ErrorWindowFrame(), htmlWindow);

	OpenPageFile(pagePath);
	tempFile = CreateTempFile(file.get());
	externalExchangeFile = CreateTempFile(file.get());
	myTidy = std::make_unique<Tidy>(this, tempFile != nullptr ? tempFile->FullPath() : "");

	SetColors(1, 0, 0, 0, 255);
	SetColors(2, 0, 0, 255, 255);
	SetColors(3, 255, 255, 255, 255);
	SetTitle(nullptr);
	visualWindow->Show();

	if (file->InitCheck() != B_OK) {
		file->SetTo(pagePath, B_READ_ONLY);
		if (file->InitCheck() == B_OK)
			ErrorAlert("Error: could not open page file \"", pagePath, "\" for writing");
		else
			ErrorAlert("Error: could not open page file \"", pagePath, "\"");
	}
	if (tempFile == nullptr)
		ErrorAlert("Error: could not create temp file");
	WatchExchangeFile(true);
}

// The engine's looper stops before anything goes, so that no command it
// runs can wait on a window that is being destroyed; the windows (and with
// them the elements) go before the tree the elements point into.
Page::~Page()
{
	WatchExchangeFile(false);
	stopProcessing = true;
	if (Engine() != nullptr)
		Engine()->StopLooper();
	deleting = true;
	// With both windows locked no message of theirs is under way; every
	// later one sees the page going.
	visualWindow->Lock();
	htmlWindow->Lock();
	if (Config_* settings = Config()) {
		settings->SetVisualWindowFrame(visualWindow->Frame());
		settings->SetHTMLWindowFrame(htmlWindow->Frame());
		settings->SetErrorWindowFrame(htmlErrorWindow->Frame());
		settings->Save();
	}
	htmlWindow->Quit();
	visualWindow->Quit();
	htmlErrorWindow->Lock();
	htmlErrorWindow->Quit();
	myTidy.reset();
	if (untitled && file != nullptr)
		file->Delete();
	file.reset();
	if (tempFile != nullptr)
		tempFile->Delete();
	if (externalExchangeFile != nullptr)
		externalExchangeFile->Delete();
}

Config_* Page::Config() const
{
	return app != nullptr ? app->Config() : Config_::Shared();
}

Visual_Engine* Page::Engine() const
{
	return visualWindow != nullptr ? visualWindow->Engine() : nullptr;
}

void Page::OpenPageFile(const char* pagePath)
{
	if (pagePath != nullptr && pagePath[0] != '\0') {
		file = std::make_unique<KFile>(pagePath, B_READ_WRITE | B_CREATE_FILE);
		return;
	}
	file = CreateTempFile(nullptr);
	if (file == nullptr)
		file = std::make_unique<KFile>();
}

// Scratch files go beside the page file, those of an untitled page into
// the program folder's "Temp"; where that folder takes no new files, into
// a folder of the user's own.
std::unique_ptr<KFile> Page::CreateTempFile(const KFile* pageFile) const
{
	std::string folder;
	std::string prefix;
	if (pageFile != nullptr && pageFile->InitCheck() == B_OK && pageFile->Path() != nullptr) {
		folder = pageFile->Path();
		prefix = std::string("$VLM-") + pageFile->FileName();
	} else {
		Config_* settings = Config();
		if (settings != nullptr && settings->AppDirectory() != nullptr) {
			folder = std::string(settings->AppDirectory()) + "Temp";
			mkdir(folder.c_str(), 0777);
		}
		prefix = "Untitled";
	}
	std::unique_ptr<KFile> scratch;
	if (!folder.empty())
		scratch = CreateIn(folder, prefix);
	if (scratch == nullptr) {
		std::string own = UserScratchFolder();
		if (!own.empty())
			scratch = CreateIn(own, prefix);
	}
	return scratch;
}

void Page::WatchExchangeFile(bool watch)
{
	if (externalExchangeFile == nullptr || externalExchangeFile->InitCheck() != B_OK
			|| app == nullptr)
		return;
	node_ref node;
	if (externalExchangeFile->GetNodeRef(&node) != B_OK)
		return;
	watch_node(&node, watch ? B_WATCH_STAT : B_STOP_WATCHING, reinterpret_cast<BHandler*>(app));
}

// #pragma mark - Loading and updating

void Page::Load()
{
	if (htmlWindow == nullptr || visualWindow == nullptr)
		return;
	Visual_View* view = Engine()->View();
	visualWindow->ResetProgress("Loading…");
	view->Hide();
	visualWindow->NotChanged();
	htmlWindow->NotChanged();
	myTidy->SetLoadProgress(true);
	view->BlockRefresh();
	if (UpdateFromHTML(true, nullptr)) {
		if (visualWindow->IsHidden())
			visualWindow->Show();
		else
			visualWindow->Activate();
	}
	Saved();
	view->UnblockRefresh();
	myTidy->SetLoadProgress(false);
	// Styled while the view is still hidden: its lines are wrapped once,
	// when it is shown, with the page's final look.
	view->_Refresh(0, 0);
	view->Show();
	if (app != nullptr && app->IsStarting())
		app->StartingFinished();
}

void Page::ResetPageValues()
{
	SetTitle(nullptr);
	background.clear();
	bodyAttributes.clear();
	framesetDocument = false;
	documentType.clear();
	omitDocumentType = false;
	textColor = kBlack;
	linkColor = kBlue;
	backgroundColor = kWhite;
}

bool Page::UpdateFromHTML(bool fromFile, KFile* external)
{
	if (htmlWindow == nullptr || visualWindow == nullptr)
		return false;
	if (updating.exchange(true))
		return true;
	if (external != nullptr)
		fromFile = true;
	Visual_View* view = Engine()->View();
	ResetPageValues();
	view->BlockRefresh();
	Engine()->SetBackgroundBitmap(nullptr);
	Engine()->Empty();
	htmlErrorWindow->EmptyList();

	FillTempFile(fromFile, external);
	if (fromFile)
		LoadHTMLWindowFromTempFile();
	bool parsed = myTidy->Parse();
	if (stopProcessing) {
		view->UnblockRefresh();
		return false;
	}
	visualWindow->NotChanged();
	if (parsed) {
		UpdateFromVisual();
		if (activateVisual)
			visualWindow->Activate();
		else
			htmlWindow->Activate();
	} else {
		beep();
		htmlWindow->SetUpdateFromVisual(false);
		if (htmlWindow->IsHidden())
			htmlWindow->Show();
		else
			htmlWindow->Activate();
		htmlErrorWindow->InvokeFirstError();
	}
	htmlWindow->SetUpdateFromVisual(true);
	updating = false;
	view->UnblockRefresh();
	Engine()->Refresh();
	visualWindow->NotChanged();
	htmlWindow->NotChanged();
	return parsed;
}

void Page::FillTempFile(bool fromFile, KFile* external)
{
	if (tempFile == nullptr)
		return;
	if (external != nullptr) {
		if (external != tempFile.get() && *external->EntryRef() != *tempFile->EntryRef()) {
			tempFile->SetSize(0);
			tempFile->Seek(0, SEEK_SET);
			external->CopyTo(tempFile.get());
		}
	} else if (fromFile) {
		tempFile->SetSize(0);
		tempFile->Seek(0, SEEK_SET);
		file->CopyTo(tempFile.get());
	} else {
		htmlWindow->SaveTo(tempFile.get());
	}
}

void Page::LoadHTMLWindowFromTempFile()
{
	if (!htmlWindow->Lock())
		return;
	htmlWindow->SetText(tempFile.get());
	htmlWindow->Unlock();
}

void Page::UpdateFromVisual()
{
	if (htmlWindow == nullptr || visualWindow == nullptr || updating)
		return;
	HTML_View* view = htmlWindow->View();
	if (view->LockLooper()) {
		updating = true;
		GenerateHTML();
		std::string text = PageText::NormalizeLineEnds(std::string_view(
			static_cast<const char*>(htmlBuffer->Buffer()), htmlBuffer->BufferLength()));
		view->Delete(0, view->TextLength());
		view->Insert(0, text.c_str(), static_cast<int32>(text.size()));
		if (tempFile != nullptr)
			htmlWindow->SaveTo(tempFile.get());
		view->Invalidate();
		updating = false;
		view->UnlockLooper();
	}
	visualWindow->NotChanged();
	htmlWindow->NotChanged();
}

// #pragma mark - Saving

status_t Page::Save(BFile* target)
{
	return _Save(target != nullptr ? target : file.get());
}

status_t Page::_Save(BFile* target)
{
	if (target == nullptr)
		target = file.get();
	if (htmlWindow->IsChanged())
		UpdateFromHTML(false, nullptr);
	else
		UpdateFromVisual();
	bool exchange = target == externalExchangeFile.get();
	if (exchange)
		WatchExchangeFile(false);
	status_t status = target == file.get() ? SavePageFile() : WriteHTMLText(target);
	if (exchange)
		WatchExchangeFile(true);
	return status;
}

status_t Page::WriteHTMLText(BFile* target)
{
	ssize_t written = htmlWindow->SaveTo(target);
	return written < 0 ? static_cast<status_t>(written) : B_OK;
}

// The new text is complete on the disk before it replaces the old one; the
// page's file then refers to the new file.
status_t Page::SavePageFile()
{
	const char* target = file != nullptr ? file->FullPath() : nullptr;
	std::string text;
	{
		HTML_View* view = htmlWindow->View();
		BAutolock lock(htmlWindow);
		text = view->Text();
	}
	status_t status = target != nullptr
		? SafeSave::Replace(target, PageText::Encode(text, encoding)) : B_NO_INIT;
	if (status != B_OK) {
		ErrorAlert("Error: could not save the page file \"", target != nullptr ? target : path.c_str(),
			"\": ", status_text(status));
		return status;
	}
	std::string saved(target);
	file->SetTo(saved.c_str(), B_READ_WRITE);
	return B_OK;
}

status_t Page::SetFile(const char* newPath)
{
	if (newPath == nullptr)
		return B_BAD_VALUE;
	auto newFile = std::make_unique<KFile>(newPath,
		B_READ_WRITE | B_CREATE_FILE | B_ERASE_FILE);
	if (newFile->InitCheck() != B_OK) {
		ErrorAlert("Could not save the page as ", newPath);
		return newFile->InitCheck();
	}
	path = newPath;
	if (untitled)
		file->Delete();
	file = std::move(newFile);
	untitled = false;
	if (tempFile != nullptr)
		tempFile->Delete();
	tempFile = CreateTempFile(file.get());
	myTidy->SetPath(tempFile != nullptr ? tempFile->FullPath() : "");
	WatchExchangeFile(false);
	if (externalExchangeFile != nullptr)
		externalExchangeFile->Delete();
	externalExchangeFile = CreateTempFile(file.get());
	WatchExchangeFile(true);
	UpdateWindowTitles();
	return B_OK;
}

void Page::Saved()
{
	saved = true;
}

void Page::NotSaved()
{
	saved = false;
}

void Page::DeleteFile(BEntry* entry)
{
	if (entry == nullptr)
		return;
	entry->Remove();
	delete entry;
}

// #pragma mark - Closing

// The answer is the index of the button chosen: with canCancel "Cancel"
// (0), "Don't Save" (1), "Save" (2); without it "Don't Save" (0), "Save" (1).
int32 Page::AskToSave(const char* text, bool canCancel) const
{
	BAlert* alert = canCancel
		? new BAlert("Alert", text, "Cancel", "Don't Save", "Save", B_WIDTH_AS_USUAL,
			B_WARNING_ALERT)
		: new BAlert("Alert", text, "Don't Save", "Save", nullptr, B_WIDTH_AS_USUAL,
			B_WARNING_ALERT);
	return alert->Go();
}

// A page whose save fails stays open: closing it then would lose the
// user's changes, which the failed save has just reported.
bool Page::Quit()
{
	if (!saved) {
		std::string question = untitled ? std::string("Save changes to the untitled document?")
			: "Save changes to the document \n\n\"" + title + "\"?\n\n(" + path + ")\n";
		int32 answer = AskToSave(question.c_str(), true);
		if (answer == 0)
			return false;
		if (answer == 2) {
			if (untitled) {
				visualWindow->PostMessage('spas');
				return false;
			}
			if (Save(nullptr) != B_OK)
				return false;
		}
	}
	StopProcessing();
	delete this;
	return true;
}

void Page::ForceQuit()
{
	if (!saved) {
		std::string question = "Closing ...\nSave changes to the document \"" + path + "\"?";
		if (AskToSave(question.c_str(), false) == 1)
			Save(nullptr);
	}
	delete this;
}

// #pragma mark - Long tasks

void Page::StopProcessing()
{
	stopProcessing = true;
	if (processingCount.load() == 0)
		return;
	snooze(1500);
	while (processingCount.load() != 0)
		snooze(10000);
	snooze(60000);
}

bool Page::Processing()
{
	if (stopProcessing)
		return false;
	processingCount++;
	return true;
}

void Page::NotProcessing()
{
	int32 count = processingCount.load();
	while (count > 0 && !processingCount.compare_exchange_weak(count, count - 1)) {
	}
}

// #pragma mark - Commands

void Page::Preview()
{
	if (tempFile == nullptr)
		return;
	_Save(tempFile.get());
	if (app != nullptr)
		app->ShowInBrowser(tempFile->FullPath(), "file");
}

void Page::CheckHTML()
{
	if (visualWindow->IsChanged())
		UpdateFromVisual();
	if (tempFile != nullptr)
		htmlWindow->SaveTo(tempFile.get());
	myTidy->CheckHTML();
}

void Page::Correct()
{
	if (htmlWindow->IsChanged())
		UpdateFromHTML(false, nullptr);
	if (tempFile == nullptr)
		return;
	_Save(tempFile.get());
	// A page saved byte for byte under a declaration its bytes contradict
	// is declared UTF-8 and read as its author meant it.
	std::string text;
	{
		BAutolock lock(htmlWindow);
		text = htmlWindow->View()->Text();
	}
	if (std::optional<std::string> corrected = CharsetCorrection::Corrected(text, encoding)) {
		BAutolock lock(htmlWindow);
		htmlWindow->View()->SetText(corrected->c_str(), static_cast<int32>(corrected->size()));
		encoding = TextEncoding();
		NotSaved();
	}
	htmlWindow->SaveTo(tempFile.get());
	myTidy->Parse();
	UpdateFromVisual();
}

void Page::ClearHTMLBuffer()
{
	htmlBuffer = std::make_unique<BMallocIO>();
	preformattedDepth = 0;
	htmlCarriageReturns = 0;
}

void Page::EndPreformatted()
{
	if (preformattedDepth > 0)
		preformattedDepth--;
}

// #pragma mark - Presentation values

const char* Page::Background() const
{
	return background.empty() ? nullptr : background.c_str();
}

const char* Page::Title() const
{
	return title.empty() ? nullptr : title.c_str();
}

void Page::SetTitle(const char* newTitle)
{
	title = newTitle != nullptr ? newTitle : "";
	UpdateWindowTitles();
}

// "Velmora - title - file name": missing pieces are left out.
void Page::UpdateWindowTitles()
{
	const char* fileName = file != nullptr ? file->FileName() : nullptr;
	std::string pieces = " - " + title + " - " + (fileName != nullptr ? fileName : "");
	if (visualWindow != nullptr && visualWindow->Lock()) {
		visualWindow->SetTitle(("Velmora" + pieces).c_str());
		visualWindow->Unlock();
	}
	if (htmlWindow != nullptr && htmlWindow->Lock()) {
		htmlWindow->SetTitle(("Velmora HTML editor" + pieces).c_str());
		htmlWindow->Unlock();
	}
}

void Page::SetColors(long which, int red, int green, int blue, int alpha)
{
	rgb_color color = make_color(static_cast<uint8>(red), static_cast<uint8>(green),
		static_cast<uint8>(blue), static_cast<uint8>(alpha));
	if (which == 1)
		textColor = color;
	else if (which == 2)
		linkColor = color;
	else if (which == 3)
		backgroundColor = color;
	if (visualWindow != nullptr)
		Engine()->Refresh();
}

// The source is kept as written whatever happens; the engine shows it when
// it names an image file that can be found.
void Page::SetBackground(const char* source)
{
	if (source != nullptr && source[0] == '\0')
		source = nullptr;
	background = source != nullptr ? source : "";
	if (source == nullptr) {
		Engine()->SetBackgroundBitmap(nullptr);
		return;
	}
	std::string image = source;
	if (image[0] != '/') {
		const char* folder = file != nullptr ? file->Path() : nullptr;
		image = std::string(folder != nullptr ? folder : ".") + "/" + image;
	}
	BEntry entry(image.c_str());
	if (!entry.Exists()) {
		ErrorAlert("Could not open the background image file: \"", image.c_str(), "\"");
		return;
	}
	Engine()->SetBackgroundBitmap(image.c_str());
}

void Page::SetBodyAttributes(const char* attributes)
{
	bodyAttributes = attributes != nullptr ? attributes : "";
}

void Page::SetBaseFont(const _node* node)
{
	baseFontNode = node;
	baseSize = kDefaultBaseSize;
	Config_* settings = Config();
	baseFont = std::make_unique<BFont>(settings != nullptr ? settings->ProportionalFont()
		: be_plain_font);
	if (node == nullptr)
		return;
	std::optional<std::string> face = NodeText::Attribute(node, attr_face);
	if (face) {
		font_family family;
		TextChange::FontFamilyForFace(family, face->c_str());
		font_style style;
		if (get_font_style(family, 0, &style) == B_OK)
			baseFont->SetFamilyAndStyle(family, style);
	}
	std::optional<std::string> size = NodeText::Attribute(node, attr_size);
	if (size)
		baseSize = std::clamp<int32>(static_cast<int32>(strtol(size->c_str(), nullptr, 10)), 1, 7);
}

float Page::FontSizeFor(const char* size) const
{
	Config_* settings = Config();
	float base = settings != nullptr ? static_cast<float>(settings->BaseFontSize())
		: be_plain_font->Size();
	if (size == nullptr)
		return base;
	while (*size == ' ')
		size++;
	long value = strtol(size, nullptr, 10);
	long step = value;
	if (*size == '+')
		step = baseSize + value;
	else if (*size == '-')
		step = baseSize + value;
	step = std::clamp<long>(step, 1, 7);
	static const float kIncrements[] = {1, 2, 3, 5, 9, 16, 27};
	return base + kIncrements[step - 1] - 3;
}

// #pragma mark - Errors

void Page::HTMLError(long start, long finish, const char* text, VUDAV_message_type kind)
{
	if (text == nullptr || start < 0 || finish < 0 || htmlErrorWindow == nullptr)
		return;
	htmlErrorWindow->Add(start, finish, text, kind);
}

void Page::HTMLError(const _node* node, const char* text, VUDAV_message_type kind)
{
	if (text != nullptr && node != nullptr && htmlErrorWindow != nullptr)
		htmlErrorWindow->Add(node, text, kind);
}

void Page::HTMLError(const Visual_Element* element, const char* text, VUDAV_message_type kind)
{
	if (text != nullptr && element != nullptr && htmlErrorWindow != nullptr)
		htmlErrorWindow->Add(element, text, kind);
}

// #pragma mark - HTML generation

long Page::InsertHTML(const char* text, bool newLineBefore, bool newLineAfter, long position,
	Visual_Element* element)
{
	if (text == nullptr || position < 0)
		return 0;
	if (preformattedDepth > 0)
		newLineBefore = newLineAfter = false;
	size_t length = htmlBuffer->BufferLength();
	const char* buffer = static_cast<const char*>(htmlBuffer->Buffer());
	char secondLast = length >= 2 ? buffer[length - 2] : '\0';
	char lastByte = length >= 1 ? buffer[length - 1] : '\0';
	long written = 0;
	htmlBuffer->Seek(0, SEEK_END);
	if (newLineBefore && secondLast != '\r' && lastByte != '\n') {
		htmlBuffer->Write("\r\n", 2);
		htmlCarriageReturns++;
		written += 2;
		position += 2;
	}
	size_t textLength = strlen(text);
	long returnsBefore = htmlCarriageReturns;
	long returnsInText = static_cast<long>(std::count(text, text + textLength, '\r'));
	htmlBuffer->Write(text, textLength);
	htmlCarriageReturns += returnsInText;
	written += static_cast<long>(textLength);
	if (newLineAfter) {
		htmlBuffer->Write("\r\n", 2);
		htmlCarriageReturns++;
		written += 2;
	}
	// The span is recorded as a place in the HTML window's text, which
	// holds the buffer with its line ends made LF.
	if (element != nullptr && Engine() != nullptr) {
		long start = position - returnsBefore;
		Engine()->ElementList()->SetHTMLStartFinish(element, start,
			start + static_cast<long>(textLength) - returnsInText);
	}
	return written;
}

// A colour the page could not read stays among the BODY's other
// attributes as it was written, in place of the page's own.
std::string Page::BodyTag() const
{
	std::string tag = "<BODY";
	auto colour = [&](const char* name, const rgb_color& value) {
		if (!HasAttribute(bodyAttributes, name))
			tag += " " + std::string(name) + "=\"#" + HexColor(value) + "\"";
	};
	colour("TEXT", textColor);
	colour("BGCOLOR", backgroundColor);
	colour("LINK", linkColor);
	if (!background.empty())
		tag += " BACKGROUND=\"" + background + "\"";
	tag += " " + bodyAttributes + ">";
	return tag;
}

void Page::GenerateHTML()
{
	ClearHTMLBuffer();
	long position = 0;
	Config_* settings = Config();
	const char* author = settings != nullptr && settings->UserName() != nullptr
		? settings->UserName() : "";
	auto line = [this, &position](const std::string& text, bool before = false) {
		position += InsertHTML(text.c_str(), before, true, position, nullptr);
	};
	if (!omitDocumentType)
		line(documentType.empty() ? std::string(kDocType) : "<" + documentType + ">");
	line("<HTML>");
	line("<HEAD>");
	line("<TITLE>" + CharacterWriting::Escaped(title, encoding.DeclaresSingleByteOverUtf8())
		+ "</TITLE>");
	line(std::string("<META NAME=\"Author\" CONTENT=\"") + author + "\">");
	line("<META NAME=\"Generator\" CONTENT=\"Korvane Velmora\">");
	position = Engine()->InsertHTMLHead(position);
	line("</HEAD>");
	if (!framesetDocument)
		line(BodyTag());
	if (baseFontNode != nullptr)
		line("<BASEFONT " + NodeText::OtherAttributes(baseFontNode) + ">");
	position = Engine()->HTML(position);
	if (!framesetDocument)
		line("</BODY>", true);
	line("</HTML>", framesetDocument);
}

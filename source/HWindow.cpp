#include "HWindow.h"

#include <Autolock.h>
#include <File.h>
#include <Message.h>
#include <NodeInfo.h>
#include <ScrollView.h>

#include <ScrollBar.h>

#include "HTML_View.h"
#include "KBottomBar.h"
#include "VWindow.h"
#include "WindowedPage.h"
#include "page_support/PageText.h"

HWindow::HWindow(BRect frame, const char* title, WindowedPage* page)
	:
	PageWindow(frame, title, page),
	view(nullptr),
	scrollView(nullptr),
	noUpdateFromVisual(false)
{
	BRect viewFrame = Bounds();
	viewFrame.right -= B_V_SCROLL_BAR_WIDTH;
	viewFrame.bottom = BottomBar()->Frame().top - 1;
	view = new HTML_View(viewFrame, this);
	scrollView = new BScrollView("HTML scroll view", view, B_FOLLOW_ALL_SIDES, 0, false, true);
	AddChild(scrollView);
	Run();
}

void HWindow::Show()
{
	BAutolock lock(this);
	if (IsHidden())
		BWindow::Show();
}

void HWindow::Hide()
{
	BAutolock lock(this);
	if (!IsHidden())
		BWindow::Hide();
}

PageWindow* HWindow::Partner() const
{
	return page != nullptr ? page->VisualWindow() : nullptr;
}

void HWindow::WindowActivated(bool active)
{
	PageWindow::WindowActivated(active);
	if (active && TakesOverOnActivation() && page != nullptr && !page->IsDeleting())
		view->MakeFocus(true);
}

void HWindow::TakeOverPartnerEdits()
{
	page->UpdateFromVisual();
}

void HWindow::Working()
{
	BAutolock lock(this);
}

void HWindow::FinishedWorking()
{
	BAutolock lock(this);
	if (view->IsHidden(view))
		view->Show();
}

void HWindow::SetText(BFile* file)
{
	std::string bytes;
	if (PageText::ReadFile(file, bytes) != B_OK)
		return;
	TextEncoding encoding;
	std::string text = PageText::Decode(bytes, &encoding);
	BAutolock lock(this);
	if (page != nullptr)
		page->SetEncoding(encoding);
	view->SetText(text.c_str(), static_cast<int32>(text.size()));
}

ssize_t HWindow::SaveTo(BFile* file) const
{
	if (file == nullptr || file->InitCheck() != B_OK || !file->IsWritable() || view == nullptr)
		return B_ERROR;
	std::string text;
	{
		BAutolock lock(const_cast<HWindow*>(this));
		text = view->Text();
	}
	TextEncoding encoding = page != nullptr ? page->Encoding() : TextEncoding();
	std::string bytes = PageText::Encode(text, encoding);
	status_t status = PageText::WriteFile(file, bytes);
	if (status != B_OK)
		return status;
	BNodeInfo(file).SetType("text/html");
	return static_cast<ssize_t>(bytes.size());
}

void HWindow::SelectRange(int32 start, int32 finish)
{
	BAutolock lock(this);
	int32 length = view->TextLength();
	if (start < 1 || finish < 1 || start >= length || finish >= length)
		return;
	if (IsHidden())
		Show();
	else
		Activate();
	view->Select(start, finish);
	view->ScrollToSelection();
}

#ifndef VELMORA_TESTS_FINDER_TESTING_H
#define VELMORA_TESTS_FINDER_TESTING_H

#include <string>

#include <gtest/gtest.h>

#include <Autolock.h>
#include <Control.h>
#include <InterfaceDefs.h>
#include <TextControl.h>
#include <Window.h>
#include <WindowTesting.h>

#include "KBottomBar.h"
#include "KFinder.h"
#include "KFinderView.h"
#include "PageWindow.h"

// A finder driven as the user drives it: Ctrl+F in the editor window
// shows it, its fields are filled, its check boxes and buttons clicked,
// Ctrl+G searches again. Each action waits until the finder, the editor
// window and what they asked of others are done.
class FinderDriver {
public:
	static constexpr uint32 kCtrl = B_COMMAND_KEY | B_CONTROL_KEY;

	FinderDriver(KFinder* finder, PageWindow* editor, std::function<void()> settle)
		:
		fFinder(finder),
		fEditor(editor),
		fSettle(std::move(settle))
	{
	}

	void Show()
	{
		BPrivate::PostKey(fEditor, "f", kCtrl);
		Idle();
	}

	void Fill(const std::string& find, const std::string& replace = "")
	{
		Show();
		BAutolock lock(fFinder);
		fFinder->View()->FindField()->SetText(find.c_str());
		fFinder->View()->ReplaceField()->SetText(replace.c_str());
	}

	// A check box or a button, by its view name.
	void Click(const char* name)
	{
		Show();
		BPoint middle;
		{
			BAutolock lock(fFinder);
			BView* control = fFinder->FindView(name);
			ASSERT_NE(control, nullptr) << name;
			BRect frame = control->Frame();
			middle = control->Parent()->ConvertToScreen(BPoint((frame.left + frame.right) / 2,
				(frame.top + frame.bottom) / 2)) - fFinder->Frame().LeftTop();
		}
		BPrivate::PostClick(fFinder, middle);
		Idle();
	}

	// Enter typed in the "Find:" field.
	void EnterInFind()
	{
		Show();
		{
			BAutolock lock(fFinder);
			fFinder->View()->FindField()->MakeFocus(true);
		}
		const char enter[] = {B_ENTER, 0};
		BPrivate::PostKey(fFinder, enter);
		Idle();
	}

	void FindAgain()
	{
		BPrivate::PostKey(fEditor, "g", kCtrl);
		Idle();
	}

	void Idle()
	{
		BPrivate::WaitForWindowIdle(fFinder);
		BPrivate::WaitForWindowIdle(fEditor);
		fSettle();
		BPrivate::WaitForWindowIdle(fEditor);
	}

	std::string Status() const
	{
		BAutolock lock(fEditor);
		return fEditor->BottomBar()->Text();
	}

private:
	KFinder* fFinder;
	PageWindow* fEditor;
	std::function<void()> fSettle;
};

#endif

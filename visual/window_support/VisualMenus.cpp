#include "VisualMenus.h"

#include <string_view>

#include <InterfaceDefs.h>

namespace VisualMenus {

namespace {

using Row = MenuTable::Row;

// The table's "+Control": Ctrl+Shift with the letter.
constexpr uint32 kShift = B_CONTROL_KEY;
constexpr bool kEngine = true;
constexpr bool kWindow = false;
constexpr bool kSeparator = true;

constexpr Row kMainMenu[] = {
	{"File", "New…", 'new '},
	{"File", "Open…", 'open', 'O'},
	{"File", "Save", 'save', 'S', 0, kWindow, kSeparator},
	{"File", "Save as…", 'spas'},
	{"File", "Revert", 'reld', 0, 0, kWindow, kSeparator},
	{"File", "Help", 'help'},
	{"File", "About", 'abot', 0, 0, kWindow, kSeparator},
	{"File", "Close", 'clos'},
	{"Edit", "Undo/Redo", 'udrd', 'Z', 0, kWindow, kSeparator},
	{"Edit", "Copy", 'copy', 'C'},
	{"Edit", "Paste", 'past', 'V'},
	{"Edit", "Cut", 'cut ', 'X'},
	{"Edit", "Delete all", 'dela', 0, 0, kWindow, kSeparator},
	{"Edit", "Find…", 'find', 'F'},
	{"Edit", "Find again", 'fnda', 'G', 0, kWindow, kSeparator},
	{"Edit", "Preview", 'prew', 'R', 0, kEngine},
	{"Edit", "Preferences…", 'pref'},
	{"Insert", "HyperText link/target…", 'ianc', 'H', 0, kEngine},
	{"Insert", "Image…", 'iimg', 'I', kShift},
	{"Insert", "Horizontal line", 'hrln', 'H', kShift, kEngine},
	{"Insert", "Break line <ENTER>", 'br  ', B_ENTER, 0, kEngine},
	{"Insert", "Paragraph", 'p   ', 'P', 0, kEngine},
	{"Insert", "Nonbreakable space", 'nbsp', B_SPACE, 0, kEngine},
	{"Physical fonts", "Normal text", 'itxt', 'N', 0, kEngine},
	{"Physical fonts", "Bold text", 'bold', 'B', 0, kEngine},
	{"Physical fonts", "Italic text", 'ital', 'I', 0, kEngine},
	{"Physical fonts", "Fixed font", 'tt  ', 'F', kShift, kEngine},
	{"Physical fonts", "Big", 'big ', 0, 0, kEngine},
	{"Physical fonts", "Small", 'smal', 0, 0, kEngine},
	{"Physical fonts", "Underlined text", 'ulin', 'U', 0, kEngine},
	{"Physical fonts", "Strike thru text", 'strk', 0, 0, kEngine},
	{"Physical fonts", "Superscript *", 'sup ', 0, 0, kEngine},
	{"Physical fonts", "Subscript *", 'sub ', 0, 0, kEngine},
	{"Logical fonts", "Emphasis", 'em  ', 0, 0, kEngine},
	{"Logical fonts", "Strong emphasis", 'stng', 0, 0, kEngine},
	{"Logical fonts", "Definition", 'dfn ', 0, 0, kEngine},
	{"Logical fonts", "Code", 'code', 0, 0, kEngine},
	{"Logical fonts", "Sample", 'samp', 0, 0, kEngine},
	{"Logical fonts", "Keyboard input", 'kbd ', 0, 0, kEngine},
	{"Logical fonts", "Variable or command", 'var ', 0, 0, kEngine},
	{"Logical fonts", "Cite", 'cite', 0, 0, kEngine},
	{"Headings", "Heading 1", 'h1  ', '1', 0, kEngine},
	{"Headings", "Heading 2", 'h2  ', '2', 0, kEngine},
	{"Headings", "Heading 3", 'h3  ', '3', 0, kEngine},
	{"Headings", "Heading 4", 'h4  ', '4', 0, kEngine},
	{"Headings", "Heading 5", 'h5  ', '5', 0, kEngine},
	{"Headings", "Heading 6", 'h6  ', '6', 0, kEngine},
	{"HTML editor", "Show in HTML editor - F11", 'shww'},
	{"HTML editor", "Update from HTML", 'updt', 0, 0, kEngine},
	{"HTML editor", "Show in external HTML editor - F12", 'sexe'},
	{"HTML editor", "Show errors/warnings window", 'serr'},
};

const Button kUpperBar[] = {
	{"butNew", "ButtonNew", 'new ', kWindow, "New page", false},
	{"butOpen", "ButtonOpen", 'open', kWindow, "Open a page (Ctrl+O)", false},
	{"butSave", "ButtonSave", 'save', kWindow, "Save (Ctrl+S)", kSeparator},
	{"butHTMLEditor", "ButtonHTMLEditor", 'shww', kWindow, "Show the HTML window (F11)", false},
	{"butPreview", "ButtonPreview", 'prew', kEngine, "Preview in the web browser (Ctrl+R)",
		false},
	{"butPageProperties", "ButtonPageProperties", 'pref', kWindow, "Page properties",
		kSeparator},
	{"butNormal", "ButtonNormal", 'itxt', kEngine, "Normal text (Ctrl+N)", false},
	{"butBold", "ButtonBold", 'bold', kEngine, "Bold (Ctrl+B)", false},
	{"butItalics", "ButtonItalics", 'ital', kEngine, "Italic (Ctrl+I)", false},
	{"butFixed", "ButtonFixed", 'tt  ', kEngine, "Fixed-width font (Ctrl+Shift+F)", kSeparator},
	{"butLink", "ButtonAnchor", 'ianc', kEngine, "Link (Ctrl+H)", false},
	{"butEmailLink", "ButtonEmailLink", 'ieml', kEngine, "E-mail link", false},
	{"butTarget", "ButtonTarget", 'inst', kEngine, "Link target", false},
	{"butImage", "ButtonImage", 'iimg', kWindow, "Image (Ctrl+Shift+I)", kSeparator},
	{"butFind", "ButtonFind", 'find', kWindow, "Find (Ctrl+F)", kSeparator},
	{"butCut", "ButtonCut", 'cut ', kWindow, "Cut (Ctrl+X)", false},
	{"butCopy", "ButtonCopy", 'copy', kWindow, "Copy (Ctrl+C)", false},
	{"butPaste", "ButtonPaste", 'past', kWindow, "Paste (Ctrl+V)", false},
};

// The rows of one of the main menu's menus, which stand together.
constexpr std::span<const Row> RowsOf(std::string_view menu)
{
	const Row* first = std::begin(kMainMenu);
	while (first != std::end(kMainMenu) && first->menu != menu)
		first++;
	const Row* last = first;
	while (last != std::end(kMainMenu) && last->menu == menu)
		last++;
	return {first, last};
}

// The main menu's physical fonts without the four the upper bar has
// buttons for, and with a shorter label for strike-through.
constexpr Row kPhysicalFonts[] = {
	{"", "Big", 'big ', 0, 0, kEngine},
	{"", "Small", 'smal', 0, 0, kEngine},
	{"", "Underlined text", 'ulin', 'U', 0, kEngine},
	{"", "Strike thru", 'strk', 0, 0, kEngine},
	{"", "Superscript *", 'sup ', 0, 0, kEngine},
	{"", "Subscript *", 'sub ', 0, 0, kEngine},
};

// The labels end in spaces: room for the arrow of the box.
constexpr Field kLowerBar[] = {
	{"Headings…     ", RowsOf("Headings")},
	{"Physical fonts…     ", kPhysicalFonts},
	{"Logical fonts…     ", RowsOf("Logical fonts")},
};

} // namespace

std::span<const MenuTable::Row> MainMenu()
{
	return kMainMenu;
}

std::span<const Button> UpperBar()
{
	return kUpperBar;
}

std::span<const Field> LowerBar()
{
	return kLowerBar;
}

} // namespace VisualMenus

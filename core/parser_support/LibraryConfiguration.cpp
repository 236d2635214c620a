#include "LibraryConfiguration.h"

#include <climits>
#include <string>
#include <vector>

#include "MarkupScan.h"

namespace {

struct Setting {
	TidyOptionId option;
	const char* value;
};

// The editor's configuration, option by option, in the library's current
// names. Options the library no longer has: SmartIndent (now the "auto"
// value of indent), DropFontTags (its work is part of clean), BurstSlides
// (removed with slide output), RawOut (now the "raw" output encoding; the
// output here is UTF-8). HideEndTags is now omit-optional-tags and XmlPi is
// add-xml-decl. None of the output options matters for reading: the
// editor writes pages itself.
constexpr Setting kDesignedConfiguration[] = {
	{TidyWriteBack, "no"},			// writeback 0
	{TidyShowMarkup, "yes"},		// OnlyErrors 0
	{TidyShowWarnings, "yes"},		// ShowWarnings 1 (warnings are filtered on our side)
	{TidyIndentContent, "no"},		// IndentContent 0, SmartIndent 0
	{TidyOmitOptionalTags, "no"},	// HideEndTags 0
	{TidyXmlTags, "no"},			// XmlTags 0
	{TidyXmlOut, "no"},				// XmlOut 0
	{TidyXhtmlOut, "no"},			// xHTML 0
	{TidyXmlDecl, "yes"},			// XmlPi 1
	{TidyOutCharEncoding, "utf8"},	// RawOut 0
	{TidyUpperCaseTags, "no"},		// UpperCaseTags 0
	{TidyUpperCaseAttrs, "no"},		// UpperCaseAttrs 0
	{TidyMakeClean, "no"},			// MakeClean 0, DropFontTags 0
	{TidyLogicalEmphasis, "no"},	// LogicalEmphasis 0
	{TidyBreakBeforeBR, "no"},		// BreakBeforeBR 0
	{TidyNumEntities, "no"},		// NumEntities 0
	{TidyQuoteMarks, "no"},			// QuoteMarks 0
	{TidyQuoteNbsp, "yes"},			// QuoteNbsp 1
	{TidyQuoteAmpersand, "yes"},	// QuoteAmpersand 1
	{TidyWrapScriptlets, "no"},		// WrapScriptlets 0
	{TidyWrapAsp, "yes"},			// WrapAsp 1
	{TidyIndentAttributes, "no"},	// IndentAttributes 0
	{TidyXmlPIs, "no"},				// XmlPIs 0
	// FixBackslash was 1: it rewrote link targets. Targets stay as written.
	{TidyFixBackslash, "no"},
};

// Library defaults that would change a page while reading it.
constexpr Setting kKeepAsWritten[] = {
	{TidyInCharEncoding, "utf8"},		// the page is decoded before the library reads it
	{TidyFixUri, "no"},					// no %20 for spaces in link targets
	{TidyDropEmptyElems, "no"},			// keep empty inline elements
	{TidyDropEmptyParas, "no"},			// keep empty P
	{TidyCoerceEndTags, "no"},			// <b>x<b> is not turned into </b>
	{TidyLiteralAttribs, "yes"},		// white space in values stays
	{TidyLowerLiterals, "no"},			// values keep their case
	{TidyKeepTabs, "yes"},				// tabs in preformatted text stay
	{TidyFixComments, "no"},			// "--" inside comments stays
	{TidyEscapeScripts, "no"},			// "</" inside scripts stays
	{TidyJoinClasses, "no"},
	{TidyJoinStyles, "no"},
	{TidyMergeEmphasis, "no"},
	{TidyMergeDivs, "no"},
	{TidyMergeSpans, "no"},
	{TidyStyleTags, "no"},				// STYLE in the body stays there
	{TidyAnchorAsName, "no"},
	{TidyUseCustomTags, "no"},			// unknown tags are declared below
	{TidyDoctype, "auto"},
	{TidyMark, "no"},
	{TidyAccessibilityCheckLevel, "0"},
	{TidyShowInfo, "yes"},
};

std::string Joined(const std::vector<std::string>& names)
{
	std::string list;
	for (const std::string& name : names) {
		if (!list.empty())
			list += ", ";
		list += name;
	}
	return list;
}

} // namespace

bool LibraryConfiguration::Apply(TidyDoc document, const MarkupScan& scan)
{
	bool applied = true;
	for (const Setting& setting : kDesignedConfiguration)
		applied &= tidyOptSetValue(document, setting.option, setting.value) == yes;
	for (const Setting& setting : kKeepAsWritten)
		applied &= tidyOptSetValue(document, setting.option, setting.value) == yes;
	// Errors beyond the sixth are held back by the report collector, which
	// counts the page's unknown tags too; the library shows them all.
	applied &= tidyOptSetInt(document, TidyShowErrors, INT_MAX) == yes;

	std::vector<std::string> paired = scan.UnknownPairedNames();
	std::vector<std::string> empty = scan.UnknownEmptyNames();
	if (!paired.empty())
		applied &= tidyOptSetValue(document, TidyInlineTags, Joined(paired).c_str()) == yes;
	if (!empty.empty())
		applied &= tidyOptSetValue(document, TidyEmptyTags, Joined(empty).c_str()) == yes;
	return applied;
}

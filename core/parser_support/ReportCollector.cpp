#include "ReportCollector.h"

#include <algorithm>
#include <cstdio>

#include "SourceText.h"

namespace {

// As in the library: errors after the sixth are counted, not listed.
constexpr int32 kShownEntries = 6;

const char* const kUnknownTagFormat = "Error: <%s> is not recognized! - It is not a valid HTML tag.";
const char* const kReadingEndedText = "Error: The page could not be read beyond this point.";
const char* const kCountFormat = "%d warnings/errors were found.";
const char* const kInterventionText = "Fatal error: This document contains serious error(s) "
	"that prevent Velmora from displaying the page properly.";

// Summary texts the editor words itself; the library's request for
// translators, which says nothing about the page; and its note that it
// escaped link targets, which it is not allowed to do here.
bool IsLeftOut(uint32 code)
{
	return code == STRING_ERROR_COUNT || code == STRING_NO_ERRORS
		|| code == STRING_NEEDS_INTERVENTION || code == STRING_NOT_ALL_SHOWN
		|| code == TEXT_GENERAL_INFO_PLEA || code == TEXT_INVALID_URI;
}

// Reports about attributes, character references and encoding are listed
// as warnings even when the library counts them as errors.
bool IsWarningKind(uint32 code)
{
	switch (code) {
		case ANCHOR_NOT_UNIQUE: case ATTR_VALUE_NOT_LCASE: case ATTRIBUTE_IS_NOT_ALLOWED:
		case ATTRIBUTE_VALUE_REPLACED: case BACKSLASH_IN_URI: case BAD_ATTRIBUTE_VALUE_REPLACED:
		case BAD_ATTRIBUTE_VALUE: case BAD_SUMMARY_HTML5: case ESCAPED_ILLEGAL_URI:
		case FIXED_BACKSLASH: case ID_NAME_MISMATCH: case ILLEGAL_URI_CODEPOINT:
		case ILLEGAL_URI_REFERENCE: case INSERTING_AUTO_ATTRIBUTE: case INVALID_ATTRIBUTE:
		case INVALID_XML_ID: case JOINING_ATTRIBUTE: case MISMATCHED_ATTRIBUTE_ERROR:
		case MISMATCHED_ATTRIBUTE_WARN: case MISSING_ATTR_VALUE: case MISSING_ATTRIBUTE:
		case MISSING_IMAGEMAP: case MISSING_QUOTEMARK: case MISSING_QUOTEMARK_OPEN:
		case NEWLINE_IN_URI: case PROPRIETARY_ATTR_VALUE: case PROPRIETARY_ATTRIBUTE:
		case REPEATED_ATTRIBUTE: case SUSPECTED_MISSING_QUOTE: case UNEXPECTED_END_OF_FILE_ATTR:
		case UNEXPECTED_EQUALSIGN: case UNEXPECTED_GT: case UNEXPECTED_QUOTEMARK:
		case WHITE_IN_URI: case XML_ID_SYNTAX:
		case UNKNOWN_ENTITY: case MISSING_SEMICOLON: case MISSING_SEMICOLON_NCR:
		case UNESCAPED_AMPERSAND: case APOS_UNDEFINED:
		case ENCODING_MISMATCH: case INVALID_NCR: case INVALID_SGML_CHARS: case INVALID_UTF8:
		case INVALID_UTF16: case VENDOR_SPECIFIC_CHARS: case BAD_SURROGATE_LEAD:
		case BAD_SURROGATE_PAIR: case BAD_SURROGATE_TAIL:
			return true;
		default:
			return false;
	}
}

bool IsDialogue(TidyReportLevel level)
{
	return level >= TidyDialogueSummary;
}

bool IsErrorLevel(TidyReportLevel level)
{
	return level == TidyError || level == TidyBadDocument || level == TidyFatal;
}

std::string Trimmed(std::string text)
{
	while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
		text.pop_back();
	return text;
}

// The library wraps its longer notes into lines of about seventy characters;
// an entry of the list is one line.
std::string Unwrapped(const std::string& text)
{
	std::string line = Trimmed(text);
	std::replace(line.begin(), line.end(), '\n', ' ');
	return line;
}

std::vector<std::string> Lines(const std::string& text)
{
	std::vector<std::string> lines;
	size_t start = 0;
	std::string trimmed = Trimmed(text);
	while (start <= trimmed.size()) {
		size_t end = trimmed.find('\n', start);
		if (end == std::string::npos)
			end = trimmed.size();
		if (end > start)
			lines.push_back(trimmed.substr(start, end - start));
		start = end + 1;
	}
	return lines;
}

std::string Formatted(std::string_view format, std::string_view argument)
{
	size_t at = format.find("%s");
	std::string text(format.substr(0, at));
	text.append(argument);
	text.append(format.substr(at + 2));
	return text;
}

} // namespace

// The list being put together: it counts every warning and error and holds
// back what is not to be shown.
class ReportCollector::Assembly {
public:
	Assembly(bool showWarnings, std::vector<ParseReport>& reports)
		:
		fShowWarnings(showWarnings),
		fReports(reports)
	{
	}

	void AddEntry(const Entry& entry)
	{
		fCount++;
		bool show = true;
		if (entry.errorLevel) {
			fErrors++;
			show = fShownEntries < kShownEntries;
			if (show)
				fShownEntries++;
		}
		if (entry.report.kind == VUDAV_WARNING && !fShowWarnings)
			show = false;
		if (show)
			fReports.push_back(entry.report);
		else
			fNotAllShown = true;
	}

	void AddNote(const std::string& text, VUDAV_message_type kind = VUDAV_NOTE)
	{
		fReports.push_back(ParseReport{0, 0, text, kind, 0, 0});
	}

	int32 Count() const { return fCount; }
	int32 Errors() const { return fErrors; }
	bool NotAllShown() const { return fNotAllShown; }

private:
	bool fShowWarnings;
	std::vector<ParseReport>& fReports;
	int32 fCount = 0;
	int32 fErrors = 0;
	int32 fShownEntries = 0;
	bool fNotAllShown = false;
};

Bool ReportCollector::Collect(TidyMessage message)
{
	auto* collector = static_cast<ReportCollector*>(tidyGetAppData(tidyGetMessageDoc(message)));
	if (collector != nullptr)
		collector->Add(message);
	return no;
}

void ReportCollector::Add(TidyMessage message)
{
	const char* text = tidyGetMessage(message);
	fLibraryReports.push_back(LibraryReport{tidyGetMessageCode(message),
		tidyGetMessageLevel(message), tidyGetMessageLine(message), tidyGetMessageColumn(message),
		text != nullptr ? text : "", fPhase});
}

void ReportCollector::AddUnknownTag(size_t offset, int32 line, int32 column, std::string_view name)
{
	int32 place = static_cast<int32>(offset);
	fOwnEntries.push_back(Entry{ParseReport{place, place,
		Formatted(kUnknownTagFormat, name), VUDAV_ERROR, line, column},
		true});
}

void ReportCollector::AddDroppedEndTag(size_t offset, int32 line, int32 column,
	std::string_view name)
{
	int32 place = static_cast<int32>(offset);
	fOwnEntries.push_back(Entry{ParseReport{place, place,
		"Warning: discarding unexpected </" + std::string(name) + ">", VUDAV_WARNING, line,
		column}, false});
}

void ReportCollector::AddReadingEnded(size_t offset, int32 line, int32 column)
{
	int32 place = static_cast<int32>(offset);
	fOwnEntries.push_back(Entry{ParseReport{place, place, kReadingEndedText, VUDAV_ERROR, line,
		column}, true});
}

void ReportCollector::AddCharsetDisagrees(size_t offset, int32 line, int32 column,
	std::string_view charset)
{
	int32 place = static_cast<int32>(offset);
	fOwnEntries.push_back(Entry{ParseReport{place, place,
		"Warning: the page declares the character set \"" + std::string(charset)
			+ "\" but its bytes are UTF-8; it is shown as declared and saved byte for byte, "
			"and Correct declares UTF-8", VUDAV_WARNING, line, column}, false});
}

void ReportCollector::Finish(const SourceText& source, bool showWarnings,
	std::vector<ParseReport>& reports, _lexer& lexer) const
{
	reports.clear();
	Assembly assembly(showWarnings, reports);

	std::vector<Entry> ownEntries = fOwnEntries;
	std::stable_sort(ownEntries.begin(), ownEntries.end(),
		[](const Entry& a, const Entry& b) { return a.report.start < b.report.start; });
	auto nextOwn = ownEntries.begin();

	std::vector<std::string> notes;
	for (const LibraryReport& library : fLibraryReports) {
		if (IsLeftOut(library.code) || IsDialogue(library.level))
			continue;
		if (library.line <= 0 || library.level == TidyConfig || library.level == TidyAccess) {
			notes.push_back(Unwrapped(library.message));
			continue;
		}
		int32 offset = static_cast<int32>(source.OffsetOf(library.line, library.column));
		if (library.code == OBSOLETE_ELEMENT && fKeptLiteral.count(offset) != 0)
			continue;
		for (; nextOwn != ownEntries.end() && nextOwn->report.start < offset; ++nextOwn)
			assembly.AddEntry(*nextOwn);
		bool errorLevel = IsErrorLevel(library.level);
		VUDAV_message_type kind = errorLevel && !IsWarningKind(library.code)
			? VUDAV_ERROR : VUDAV_WARNING;
		std::string text = (errorLevel ? "Error: " : "Warning: ") + Trimmed(library.message);
		assembly.AddEntry(Entry{ParseReport{offset, offset, text, kind, library.line,
			library.column}, errorLevel});
	}
	for (; nextOwn != ownEntries.end(); ++nextOwn)
		assembly.AddEntry(*nextOwn);

	for (const std::string& note : notes)
		assembly.AddNote(note);
	char count[64];
	snprintf(count, sizeof(count), kCountFormat, static_cast<int>(assembly.Count()));
	assembly.AddNote(count);
	if (assembly.NotAllShown())
		assembly.AddNote(Unwrapped(tidyLocalizedString(STRING_NOT_ALL_SHOWN)));

	for (const LibraryReport& library : fLibraryReports) {
		if (!IsDialogue(library.level) || IsLeftOut(library.code))
			continue;
		if (library.phase != Phase::kGeneralInfo)
			assembly.AddNote(Unwrapped(library.message));
		else if (assembly.Count() > 0) {
			for (const std::string& line : Lines(library.message))
				assembly.AddNote(line);
		}
	}
	if (assembly.Errors() > 0)
		assembly.AddNote(kInterventionText, VUDAV_ERROR);

	lexer.warnings = static_cast<uint32>(assembly.Count());
	lexer.errors = static_cast<uint32>(assembly.Errors());
}

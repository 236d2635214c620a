#ifndef REPORT_COLLECTOR_H
#define REPORT_COLLECTOR_H

#include <tidy/tidy.h>

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "NodeTree.h"
#include "ParsedPage.h"

class SourceText;

// Gathers what the HTML library reports while it reads a page, and what the
// tree builder finds on its own (unknown tags), and turns it into the error
// list's entries: kinds, texts, places in the page's text, the limits on
// what is shown, and the summary lines of the editor's own.
class ReportCollector {
public:
	enum class Phase { kParse, kDiagnostics, kSummary, kGeneralInfo };

	void SetPhase(Phase phase) { fPhase = phase; }
	// The library's message callback; the collector is the document's app data.
	static Bool Collect(TidyMessage message);

	void AddUnknownTag(size_t offset, int32 line, int32 column, std::string_view name);
	// What the library says of the stray end tags it drops, for one that
	// the tree builder dropped in its place.
	void AddDroppedEndTag(size_t offset, int32 line, int32 column, std::string_view name);
	// The library stopped reading the page there: what follows is missing
	// from the tree (the page's text itself is untouched).
	void AddReadingEnded(size_t offset, int32 line, int32 column);
	// The page declares the single-byte charset written at offset while its
	// bytes are UTF-8.
	void AddCharsetDisagrees(size_t offset, int32 line, int32 column, std::string_view charset);
	// The library reports replacing DIR by UL, XMP and the like by PRE; where
	// the page's element was kept, that report is not true and is dropped.
	void DropObsoleteReportAt(size_t offset) { fKeptLiteral.insert(offset); }

	void Finish(const SourceText& source, bool showWarnings, std::vector<ParseReport>& reports,
		_lexer& lexer) const;

private:
	struct LibraryReport {
		uint32 code;
		TidyReportLevel level;
		int32 line;
		int32 column;
		std::string message;
		Phase phase;
	};

	struct Entry {
		ParseReport report;
		bool errorLevel;
	};

	class Assembly;

	void Add(TidyMessage message);

	Phase fPhase = Phase::kParse;
	std::vector<LibraryReport> fLibraryReports;
	std::vector<Entry> fOwnEntries;
	std::unordered_set<size_t> fKeptLiteral;
};

#endif

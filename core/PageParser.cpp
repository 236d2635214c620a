#include "PageParser.h"

#include <tidy/tidy.h>

#include <OS.h>

#include <algorithm>
#include <mutex>

#include "parser_support/CharsetDeclaration.h"
#include "parser_support/LibraryAllocator.h"
#include "parser_support/LibraryConfiguration.h"
#include "parser_support/MarkupScan.h"
#include "parser_support/ReportCollector.h"
#include "parser_support/SourceText.h"
#include "parser_support/TreeBuilder.h"

namespace {

// The library's parse takes well under 100 bytes of stack per nesting
// level; a table cell nests three levels for one tag. A page cannot nest
// deeper than it has start tags (and a few implied elements).
constexpr size_t kBaseStack = size_t(16) << 20;
constexpr size_t kStackPerStartTag = 512;
constexpr size_t kLargestStack = size_t(2) << 30;

constexpr size_t kBytesBetweenStopChecks = 4096;

size_t StackSizeFor(size_t startTags)
{
	if (startTags > (kLargestStack - kBaseStack) / kStackPerStartTag)
		return kLargestStack;
	return kBaseStack + startTags * kStackPerStartTag;
}

// The page as the library reads it, byte by byte: progress and stop
// requests are served from here, as the library has no hooks of its own.
class InputFeed {
public:
	// lastPercent is shared by every reading of one page, so that a second
	// reading does not make the progress go back.
	InputFeed(std::string_view text, const ParseOptions& options, int32& lastPercent)
		:
		fText(text),
		fOptions(options),
		fPercent(lastPercent)
	{
	}

	static int GetByte(void* data)
	{
		InputFeed* feed = static_cast<InputFeed*>(data);
		// Most bytes take this one test; the rest is done at the next event.
		if (feed->fPosition < feed->fNextEvent)
			return static_cast<unsigned char>(feed->fText[feed->fPosition++]);
		return feed->AtEvent();
	}
	static void UngetByte(void* data, byte)
	{
		InputFeed* feed = static_cast<InputFeed*>(data);
		if (feed->fPosition > 0 && !feed->fStopped)
			feed->fPosition--;
	}
	static Bool IsEOF(void* data)
	{
		InputFeed* feed = static_cast<InputFeed*>(data);
		return feed->fStopped || feed->fPosition >= feed->fText.size() ? yes : no;
	}

	bool Stopped() const { return fStopped; }
	// Reading is over, whether or not the library looked at every byte.
	void Finish() { Report(100); }
	// How far the library read; short of the end when it gave up early.
	size_t Furthest() const { return std::max(fFurthest, fPosition); }

private:
	// A stop check, a progress step or the end of the text is due.
	int AtEvent()
	{
		fFurthest = std::max(fFurthest, fPosition);
		if (fStopped)
			return static_cast<int>(EndOfStream);
		if (fOptions.stopRequested && fOptions.stopRequested()) {
			fStopped = true;
			return static_cast<int>(EndOfStream);
		}
		if (fPosition >= fText.size()) {
			Report(100);
			fNextEvent = fText.size();
			return static_cast<int>(EndOfStream);
		}
		int32 percent = static_cast<int32>(fPosition * 100 / fText.size());
		Report(percent);
		size_t nextPercent = ((percent + 1) * fText.size() + 99) / 100;
		fNextEvent = std::min({fPosition + kBytesBetweenStopChecks, nextPercent, fText.size()});
		fNextEvent = std::max(fNextEvent, fPosition + 1);
		unsigned char c = fText[fPosition++];
		if (fPosition == fText.size())
			Report(100);
		return c;
	}

	void Report(int32 percent)
	{
		if (percent <= fPercent)
			return;
		fPercent = percent;
		if (fOptions.progress)
			fOptions.progress(percent);
	}

	std::string_view fText;
	const ParseOptions& fOptions;
	size_t fPosition = 0;
	size_t fNextEvent = 0;
	size_t fFurthest = 0;
	int32& fPercent;
	bool fStopped = false;
};

struct DocumentDeleter {
	void operator()(TidyDoc document) const { tidyRelease(document); }
};
using LibraryDocument = std::unique_ptr<std::remove_pointer_t<TidyDoc>, DocumentDeleter>;

// Unless a language has been chosen for its reports, the library sets the
// whole process's locale from the environment when it makes a document (and
// leaves it so: number formats of every thread would change). Choosing
// English once prevents that and keeps the report texts the editor expects.
// Making a document also fills tables that all documents share, so
// documents are made one at a time.
LibraryDocument CreateLibraryDocument(LibraryAllocator& allocator)
{
	static std::mutex sLock;
	std::lock_guard<std::mutex> lock(sLock);
	static const bool sLanguageChosen = tidySetLanguage("en") == yes;
	(void)sLanguageChosen;
	return LibraryDocument(tidyCreateWithAllocator(allocator.Allocator()));
}

// One reading of the page, run on the parsing thread: the library's parse
// and release recurse as deep as the page nests.
class ParseJob {
public:
	ParseJob(const SourceText& source, const TextEncoding& encoding, const MarkupScan& scan,
		const ParseOptions& options, _node*& document, _lexer& lexer,
		std::vector<ParseReport>& reports)
		:
		fSource(source), fEncoding(encoding), fScan(scan), fOptions(options),
		fDocument(document), fLexer(lexer), fReports(reports)
	{
	}

	static status_t Run(void* data) { return static_cast<ParseJob*>(data)->Run(); }
	bool NeedsReadingWithoutLiteralSections() const { return fRetry; }

private:
	status_t Run();
	status_t ParseText(TidyDoc document, ReportCollector& collector);
	void ReportCharset(ReportCollector& collector) const;

	const SourceText& fSource;
	const TextEncoding& fEncoding;
	const MarkupScan& fScan;
	const ParseOptions& fOptions;
	_node*& fDocument;
	_lexer& fLexer;
	std::vector<ParseReport>& fReports;
	bool fRetry = false;
	int32 fPercentShown = -1;
};

status_t ParseJob::Run()
{
	fLexer = _lexer{};
	fRetry = false;
	ReportCollector collector;
	LibraryAllocator allocator;
	LibraryDocument document = CreateLibraryDocument(allocator);
	tidySetAppData(document.get(), &collector);
	tidySetMessageCallback(document.get(), ReportCollector::Collect);
	if (!LibraryConfiguration::Apply(document.get(), fScan))
		return B_BAD_VALUE;
	ReportCharset(collector);

	status_t parsed = ParseText(document.get(), collector);
	if (parsed != B_OK)
		return parsed;

	collector.SetPhase(ReportCollector::Phase::kDiagnostics);
	tidyRunDiagnostics(document.get());
	collector.SetPhase(ReportCollector::Phase::kSummary);
	tidyErrorSummary(document.get());
	collector.SetPhase(ReportCollector::Phase::kGeneralInfo);
	tidyGeneralInfo(document.get());

	TreeBuilder builder(document.get(), fSource, fScan, collector, fOptions.stopRequested);
	_node* root = builder.Build(fLexer);
	if (root == nullptr)
		return B_CANCELED;
	if (!builder.KeptEveryLiteralSection()) {
		FreeNode(root);
		fRetry = true;
		return B_OK;
	}
	collector.Finish(fSource, fOptions.showWarnings, fReports, fLexer);
	fDocument = root;
	return B_OK;
}

// The library's parse of the page's text. The text changed for it is
// dropped as soon as the parse is over: the tree is built from the page's.
status_t ParseJob::ParseText(TidyDoc document, ReportCollector& collector)
{
	std::string changedText;
	if (fScan.ChangesText())
		changedText = fScan.TextForLibrary(fSource.Text());
	const std::string& libraryText = fScan.ChangesText() ? changedText : fSource.Text();
	InputFeed feed(libraryText, fOptions, fPercentShown);
	TidyInputSource input;
	tidyInitSource(&input, &feed, InputFeed::GetByte, InputFeed::UngetByte, InputFeed::IsEOF);
	int result = tidyParseSource(document, &input);
	if (feed.Stopped())
		return B_CANCELED;
	if (result < 0) {
		collector.Finish(fSource, fOptions.showWarnings, fReports, fLexer);
		return B_ERROR;
	}
	if (feed.Furthest() < libraryText.size()) {
		std::pair<int32, int32> place = SourceText(libraryText).PlaceOf(feed.Furthest());
		collector.AddReadingEnded(fSource.OffsetOf(place.first, place.second), place.first,
			place.second);
	}
	feed.Finish();
	return B_OK;
}

// A page whose bytes are UTF-8 under a single-byte declaration shows
// what a browser shows, but not what its author meant.
void ParseJob::ReportCharset(ReportCollector& collector) const
{
	if (!fEncoding.DeclaresSingleByteOverUtf8())
		return;
	std::string_view charset = CharsetDeclaration::Locate(fSource.Text());
	if (charset.empty())
		return;
	size_t offset = static_cast<size_t>(charset.data() - fSource.Text().data());
	std::pair<int32, int32> place = fSource.PlaceOf(offset);
	collector.AddCharsetDisagrees(offset, place.first, place.second, charset);
}

status_t RunOnLargeStack(ParseJob& job, size_t stackSize, const std::function<void()>& meanwhile)
{
	thread_id thread = BPrivate::spawn_thread_with_stack(ParseJob::Run, "page parser",
		B_NORMAL_PRIORITY, &job, stackSize);
	// Where address space is short, a smaller stack still serves most pages.
	while (thread < 0 && stackSize > kBaseStack) {
		stackSize /= 2;
		thread = BPrivate::spawn_thread_with_stack(ParseJob::Run, "page parser",
			B_NORMAL_PRIORITY, &job, stackSize);
	}
	if (thread < 0)
		return thread;
	// A spawned thread waits to be resumed: the caller's work would
	// otherwise run before the parse instead of beside it.
	resume_thread(thread);
	if (meanwhile)
		meanwhile();
	status_t result = B_ERROR;
	status_t waited = wait_for_thread(thread, &result);
	return waited == B_OK ? result : waited;
}

} // namespace

std::unique_ptr<ParsedPage> PageParser::Parse(std::string_view bytes, const ParseOptions& options)
{
	auto page = std::make_unique<ParsedPage>();
	std::string decoded;
	page->fEncoding = TextEncoding::DecodePage(bytes, decoded);
	return ParseDecoded(std::move(page), std::move(decoded), options);
}

std::unique_ptr<ParsedPage> PageParser::ParseTaking(std::string&& bytes,
	const ParseOptions& options)
{
	auto page = std::make_unique<ParsedPage>();
	std::string decoded;
	page->fEncoding = TextEncoding::DecodePageTaking(std::move(bytes), decoded);
	return ParseDecoded(std::move(page), std::move(decoded), options);
}

std::unique_ptr<ParsedPage> PageParser::ParseDecoded(std::unique_ptr<ParsedPage> page,
	std::string decoded, const ParseOptions& options)
{
	SourceText source(std::move(decoded));
	MarkupScan scan(source.Text());
	bool ranMeanwhile = !options.meanwhile;
	auto meanwhile = [&options, &ranMeanwhile] {
		if (!ranMeanwhile) {
			ranMeanwhile = true;
			options.meanwhile();
		}
	};

	if (options.stopRequested && options.stopRequested()) {
		page->fStatus = B_CANCELED;
	} else {
		ParseJob job(source, page->fEncoding, scan, options, page->fDocument, page->fLexer,
			page->fReports);
		page->fStatus = RunOnLargeStack(job, StackSizeFor(scan.StartTagCount()), meanwhile);
		if (page->fStatus == B_OK && job.NeedsReadingWithoutLiteralSections()) {
			scan.DropRawSections();
			page->fStatus = RunOnLargeStack(job, StackSizeFor(scan.StartTagCount()), meanwhile);
		}
	}
	meanwhile();
	page->fSource = source.TakeText();
	return page;
}

// The baseline most benchmarks measure against: the HTML library's own
// parse of a page, on a fresh document, its reports dropped.

#ifndef BENCH_LIBRARY_PARSE_H
#define BENCH_LIBRARY_PARSE_H

#include <tidy/tidy.h>

#include <chrono>
#include <string>

#include "BenchSupport.h"

inline Bool Silently(TidyMessage)
{
	return no;
}

inline void ParseWithTheLibraryAlone(const std::string& page)
{
	TidyDoc document = tidyCreate();
	tidySetMessageCallback(document, Silently);
	tidyParseString(document, page.c_str());
	tidyRelease(document);
}

// Wall-clock seconds of one such parse.
inline double SecondsOfLibraryParse(const std::string& page)
{
	auto start = std::chrono::steady_clock::now();
	ParseWithTheLibraryAlone(page);
	return SecondsSince(start);
}

#endif

#include "GifLzw.h"

#include <unordered_map>

namespace {

const int kLargestCodeSize = 12;
const int kTableSize = 1 << kLargestCodeSize;

class CodeWriter {
public:
	explicit CodeWriter(std::vector<uint8>& output) : fOutput(output) {}

	void Put(int code, int size)
	{
		fBits |= static_cast<uint32>(code) << fCount;
		fCount += size;
		while (fCount >= 8) {
			fOutput.push_back(static_cast<uint8>(fBits & 0xff));
			fBits >>= 8;
			fCount -= 8;
		}
	}

	void Finish()
	{
		if (fCount > 0)
			fOutput.push_back(static_cast<uint8>(fBits & 0xff));
		fBits = 0;
		fCount = 0;
	}

private:
	std::vector<uint8>& fOutput;
	uint32 fBits = 0;
	int fCount = 0;
};

} // namespace

std::vector<uint8> GifLzw::Encode(const uint8* indices, size_t count, int minimumCodeSize)
{
	std::vector<uint8> output;
	CodeWriter writer(output);
	const int clearCode = 1 << minimumCodeSize;
	const int endCode = clearCode + 1;

	// A string of the table is known by the code of its prefix and its
	// last index.
	std::unordered_map<uint32, int> table;
	table.reserve(kTableSize * 2);
	int nextCode = endCode + 1;
	int codeSize = minimumCodeSize + 1;
	writer.Put(clearCode, codeSize);
	if (count == 0) {
		writer.Put(endCode, codeSize);
		writer.Finish();
		return output;
	}

	int prefix = indices[0];
	for (size_t i = 1; i < count; i++) {
		uint32 key = (static_cast<uint32>(prefix) << 8) | indices[i];
		auto found = table.find(key);
		if (found != table.end()) {
			prefix = found->second;
			continue;
		}
		writer.Put(prefix, codeSize);
		prefix = indices[i];
		// The reader adds each entry one code later than the writer, so the
		// code size grows once the entry after the largest code that fits
		// has been made.
		table.emplace(key, nextCode++);
		if (nextCode > (1 << codeSize) && codeSize < kLargestCodeSize)
			codeSize++;
		if (nextCode == kTableSize) {
			writer.Put(clearCode, codeSize);
			table.clear();
			nextCode = endCode + 1;
			codeSize = minimumCodeSize + 1;
		}
	}
	writer.Put(prefix, codeSize);
	// Reading that last code makes the reader's last entry too.
	if (nextCode >= (1 << codeSize) && codeSize < kLargestCodeSize)
		codeSize++;
	writer.Put(endCode, codeSize);
	writer.Finish();
	return output;
}

#include "TextRuns.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace BPrivate {

namespace {

const uint32 kFlatMagic = 'Ali!';
const uint32 kFlatVersion = 0;
const size_t kFlatHeaderSize = 12;
const size_t kFlatRunSize = 4 + sizeof(font_family) + sizeof(font_style) + 4 + 4 + 2 + 4 + 2;

size_t RunArraySize(int32 count)
{
	return sizeof(text_run_array) + (count - 1) * sizeof(text_run);
}

void PutUint32(std::string& out, uint32 value)
{
	for (int shift = 24; shift >= 0; shift -= 8)
		out += static_cast<char>((value >> shift) & 0xFF);
}

void PutFloat(std::string& out, float value)
{
	uint32 bits;
	memcpy(&bits, &value, sizeof(bits));
	PutUint32(out, bits);
}

void PutName(std::string& out, const char* name, size_t capacity)
{
	size_t length = strnlen(name, capacity - 1);
	out.append(name, length);
	out.append(capacity - length, '\0');
}

// Reads big-endian numbers and fixed-size names from a checked buffer.
class FlatReader {
public:
	explicit FlatReader(const unsigned char* data) : fData(data) {}

	uint32 Uint32()
	{
		uint32 value = 0;
		for (int i = 0; i < 4; i++)
			value = (value << 8) | fData[i];
		fData += 4;
		return value;
	}
	uint16 Uint16()
	{
		uint16 value = static_cast<uint16>((fData[0] << 8) | fData[1]);
		fData += 2;
		return value;
	}
	uint8 Uint8() { return *fData++; }
	float Float()
	{
		uint32 bits = Uint32();
		float value;
		memcpy(&value, &bits, sizeof(value));
		return value;
	}
	// The name, terminated within its field whatever the data holds.
	void Name(char* name, size_t capacity)
	{
		memcpy(name, fData, capacity);
		name[capacity - 1] = '\0';
		fData += capacity;
	}

private:
	const unsigned char* fData;
};

text_run ReadRun(FlatReader& reader)
{
	text_run run{0, BFont(), make_color(0, 0, 0)};
	run.offset = static_cast<int32>(reader.Uint32());
	font_family family;
	font_style style;
	reader.Name(family, sizeof(family));
	reader.Name(style, sizeof(style));
	float size = reader.Float();
	float shear = reader.Float();
	uint16 face = reader.Uint16();
	run.font.SetFamilyAndStyle(family, style);
	if (size > 0 && size < 10000)
		run.font.SetSize(size);
	if (shear >= 45 && shear <= 135)
		run.font.SetShear(shear);
	if (face != 0 && face != run.font.Face())
		run.font.SetFace(face);
	run.color.red = reader.Uint8();
	run.color.green = reader.Uint8();
	run.color.blue = reader.Uint8();
	run.color.alpha = reader.Uint8();
	reader.Uint16();
	return run;
}

} // namespace

text_run_array* AllocRunArray(int32 count, int32* outSize)
{
	count = std::max<int32>(count, 0);
	int32 allocated = std::max<int32>(count, 1);
	size_t size = RunArraySize(allocated);
	void* memory = malloc(size);
	if (memory == nullptr)
		return nullptr;
	text_run_array* array = static_cast<text_run_array*>(memory);
	array->count = count;
	for (int32 i = 0; i < allocated; i++)
		new (&array->runs[i]) text_run{0, BFont(), make_color(0, 0, 0)};
	if (outSize != nullptr)
		*outSize = static_cast<int32>(size);
	return array;
}

void FreeRunArray(text_run_array* array)
{
	// The runs hold nothing to release: BFont and rgb_color are values.
	free(array);
}

text_run_array* CopyRunArray(const text_run_array* array, int32 maxCount)
{
	if (array == nullptr)
		return nullptr;
	int32 count = std::clamp(maxCount, 0, std::max(array->count, 0));
	text_run_array* copy = AllocRunArray(count);
	if (copy == nullptr)
		return nullptr;
	std::copy_n(array->runs, count, copy->runs);
	return copy;
}

std::string FlattenRunArray(const text_run_array* array)
{
	std::string out;
	if (array == nullptr)
		return out;
	int32 count = std::max<int32>(array->count, 0);
	out.reserve(kFlatHeaderSize + count * kFlatRunSize);
	PutUint32(out, kFlatMagic);
	PutUint32(out, kFlatVersion);
	PutUint32(out, static_cast<uint32>(count));
	for (int32 i = 0; i < count; i++) {
		const text_run& run = array->runs[i];
		font_family family;
		font_style style;
		run.font.GetFamilyAndStyle(&family, &style);
		PutUint32(out, static_cast<uint32>(run.offset));
		PutName(out, family, sizeof(family));
		PutName(out, style, sizeof(style));
		PutFloat(out, run.font.Size());
		PutFloat(out, run.font.Shear());
		out += static_cast<char>(run.font.Face() >> 8);
		out += static_cast<char>(run.font.Face() & 0xFF);
		out += static_cast<char>(run.color.red);
		out += static_cast<char>(run.color.green);
		out += static_cast<char>(run.color.blue);
		out += static_cast<char>(run.color.alpha);
		out.append(2, '\0');
	}
	return out;
}

text_run_array* UnflattenRunArray(const void* data, size_t size)
{
	if (data == nullptr || size < kFlatHeaderSize)
		return nullptr;
	FlatReader reader(static_cast<const unsigned char*>(data));
	if (reader.Uint32() != kFlatMagic || reader.Uint32() != kFlatVersion)
		return nullptr;
	uint32 count = reader.Uint32();
	if (count > (size - kFlatHeaderSize) / kFlatRunSize)
		return nullptr;
	text_run_array* array = AllocRunArray(static_cast<int32>(count));
	if (array == nullptr)
		return nullptr;
	for (uint32 i = 0; i < count; i++)
		array->runs[i] = ReadRun(reader);
	return array;
}

} // namespace BPrivate

#include "MessagePrinter.h"

#include <cctype>
#include <cinttypes>
#include <cstring>

#include <EntryRef.h>
#include <GraphicsDefs.h>
#include <Rect.h>
#include <TypeConstants.h>

#include "MessageFormat.h"

namespace BPrivate {

namespace {

// A type code or command as 'abcd' when it is printable, else in hex.
void PrintCode(FILE* out, uint32 code)
{
	char chars[4] = {char(code >> 24), char(code >> 16), char(code >> 8), char(code)};
	bool printable = true;
	for (char c : chars)
		printable = printable && isprint(static_cast<unsigned char>(c));
	if (printable)
		fprintf(out, "'%.4s'", chars);
	else
		fprintf(out, "0x%08" PRIx32, code);
}

template <typename T>
T ValueOf(const std::string& item)
{
	T value{};
	if (item.size() == sizeof(T))
		memcpy(&value, item.data(), sizeof(T));
	return value;
}

void PrintItem(FILE* out, type_code type, const std::string& item, int indent)
{
	switch (type) {
		case B_STRING_TYPE:
			fprintf(out, "string(\"%s\", %zu bytes)\n", item.c_str(), item.size());
			break;
		case B_INT8_TYPE: fprintf(out, "int8(%d)\n", ValueOf<int8>(item)); break;
		case B_INT16_TYPE: fprintf(out, "int16(%d)\n", ValueOf<int16>(item)); break;
		case B_INT32_TYPE: fprintf(out, "int32(%" PRId32 ")\n", ValueOf<int32>(item)); break;
		case B_INT64_TYPE: fprintf(out, "int64(%" PRId64 ")\n", ValueOf<int64>(item)); break;
		case B_BOOL_TYPE: fprintf(out, "bool(%s)\n", ValueOf<bool>(item) ? "true" : "false"); break;
		case B_FLOAT_TYPE: fprintf(out, "float(%g)\n", ValueOf<float>(item)); break;
		case B_DOUBLE_TYPE: fprintf(out, "double(%g)\n", ValueOf<double>(item)); break;
		case B_POINTER_TYPE: fprintf(out, "pointer(%p)\n", ValueOf<void*>(item)); break;
		case B_RECT_TYPE: {
			BRect r = ValueOf<BRect>(item);
			fprintf(out, "BRect(l:%g, t:%g, r:%g, b:%g)\n", r.left, r.top, r.right, r.bottom);
			break;
		}
		case B_POINT_TYPE: {
			BPoint p = ValueOf<BPoint>(item);
			fprintf(out, "BPoint(x:%g, y:%g)\n", p.x, p.y);
			break;
		}
		case B_RGB_COLOR_TYPE: {
			rgb_color c = ValueOf<rgb_color>(item);
			fprintf(out, "rgb_color(%u, %u, %u, %u)\n", c.red, c.green, c.blue, c.alpha);
			break;
		}
		case B_REF_TYPE: {
			entry_ref ref;
			MessageFormat::DecodeRef(item, &ref);
			fprintf(out, "entry_ref(\"%s\")\n", ref.path.c_str());
			break;
		}
		case B_MESSAGE_TYPE: {
			uint32 what = 0;
			MessageFields nested;
			MessageFormat::Read(item.data(), item.size(), &what, &nested);
			PrintMessage(out, what, nested, indent + 1);
			break;
		}
		default:
			PrintCode(out, type);
			fprintf(out, " data, %zu bytes\n", item.size());
			break;
	}
}

} // namespace

void PrintMessage(FILE* out, uint32 what, const MessageFields& fields, int indent)
{
	fprintf(out, "BMessage(");
	PrintCode(out, what);
	fprintf(out, ") {\n");
	for (const MessageField& field : fields.All()) {
		for (size_t i = 0; i < field.items.size(); i++) {
			fprintf(out, "%*s%s", (indent + 1) * 4, "", field.name.c_str());
			if (field.items.size() > 1)
				fprintf(out, "[%zu]", i);
			fprintf(out, " = ");
			PrintItem(out, field.type, field.items[i], indent);
		}
	}
	fprintf(out, "%*s}\n", indent * 4, "");
}

} // namespace BPrivate

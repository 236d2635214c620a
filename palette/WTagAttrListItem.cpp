#include "WTagAttrListItem.h"

namespace {

bool IsMissing(const char* name)
{
	return name == nullptr || *name == '\0';
}

const char* Given(const char* name, const char* fallback)
{
	return IsMissing(name) ? fallback : name;
}

} // namespace

WTagAttrListItem::WTagAttrListItem(const char* label, const BMessage& data)
	:
	BStringItem(label),
	data(data)
{
}

WTagAttrListItem::~WTagAttrListItem() = default;

void WTagAttrListItem::AddAttribute(std::unique_ptr<WTagAttrListItem> attribute)
{
	if (attribute != nullptr)
		attributes.push_back(std::move(attribute));
}

std::unique_ptr<WTagAttrListItem> WTagAttrListItem::CreateTag(const char* label,
	const char* tag, const char* html)
{
	if (IsMissing(label) || IsMissing(tag))
		return nullptr;
	BMessage data;
	data.AddString("_tag", tag);
	data.AddString("html", Given(html, tag));
	return std::make_unique<WTagAttrListItem>(label, data);
}

std::unique_ptr<WTagAttrListItem> WTagAttrListItem::CreatePairTag(const char* label,
	const char* tag, const char* html, const char* html2)
{
	std::unique_ptr<WTagAttrListItem> item = CreateTag(label, tag, html);
	if (item != nullptr)
		item->data.AddString("html2", Given(html2, tag));
	return item;
}

std::unique_ptr<WTagAttrListItem> WTagAttrListItem::MakeAttribute(const char* label,
	const char* attribute, const char* html, BMessage* data)
{
	if (IsMissing(label))
		return nullptr;
	data->AddString("_attribute", Given(attribute, label));
	data->AddString("html", Given(html, label));
	return std::make_unique<WTagAttrListItem>(label, *data);
}

std::unique_ptr<WTagAttrListItem> WTagAttrListItem::CreateTextAttribute(const char* label,
	const char* attribute, const char* html)
{
	BMessage data;
	data.AddString("text", "");
	return MakeAttribute(label, attribute, html, &data);
}

std::unique_ptr<WTagAttrListItem> WTagAttrListItem::CreateFieldAttribute(const char* label,
	const std::vector<std::string>& values, const char* attribute, const char* html)
{
	BMessage data;
	for (const std::string& value : values)
		data.AddString("field", value.c_str());
	return MakeAttribute(label, attribute, html, &data);
}

std::unique_ptr<WTagAttrListItem> WTagAttrListItem::CreatePresentAttribute(const char* label,
	const char* attribute, const char* html)
{
	std::unique_ptr<WTagAttrListItem> item = CreateFieldAttribute(label, {"Absent", "Present"},
		attribute, html);
	if (item != nullptr)
		item->data.AddBool("presentmode", true);
	return item;
}

#include "FormattingCheckpoints.h"

#include <algorithm>

#include "Element_List.h"
#include "HTML_Element.h"
#include "Visual_Element.h"

FormattingCheckpoints::FormattingCheckpoints(const Element_List* list)
	:
	list(list)
{
	checkpoints.push_back(std::make_unique<Environment>());
}

// The walk starts at the last checkpoint in front of the elements at
// offset, so that those (which the unclosed walk treats apart) are walked,
// and leaves checkpoints behind it up to there.
std::unique_ptr<Environment> FormattingCheckpoints::EnvironmentAt(long offset, bool unclosed)
{
	offset = std::max<long>(offset, 0);
	unsigned long firstAtOffset = offset > 0 ? list->PreviousIndex(offset) + 1 : 0;
	unsigned long checkpoint = std::min<unsigned long>(firstAtOffset / kStride,
		checkpoints.size() - 1);
	std::unique_ptr<Environment> environment = checkpoints[checkpoint]->Clone();
	unsigned long last = list->LastIndex();
	for (unsigned long index = checkpoint * kStride; index <= last; index++) {
		if (index % kStride == 0 && index / kStride == checkpoints.size()
				&& index <= firstAtOffset)
			checkpoints.push_back(environment->Clone());
		Element_List_Item item = (*list)[index];
		if (item.offset > offset)
			break;
		const HTML_Element* html = unclosed && item.offset == offset
			? dynamic_cast<const HTML_Element*>(item.element) : nullptr;
		if (html != nullptr && html->PairTag() && !html->OpenTag())
			item.element->Visual_Element::GetEnvironment(environment.get());
		else
			item.element->GetEnvironment(environment.get());
	}
	return environment;
}

void FormattingCheckpoints::ForgetFrom(unsigned long index)
{
	size_t kept = std::max<size_t>(index / kStride + 1, 1);
	if (checkpoints.size() > kept)
		checkpoints.resize(kept);
}

void FormattingCheckpoints::Forget(long offset)
{
	ForgetFrom(offset > 0 ? list->PreviousIndex(offset) : 0);
}

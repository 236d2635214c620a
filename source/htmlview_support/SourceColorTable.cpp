#include "SourceColorTable.h"

const SourceColorTable& SourceColorTable::Default()
{
	static const SourceColorTable sDefault = {{
		{0, 0, 185, 255},
		{0, 0, 0, 255},
		{195, 0, 0, 255},
		{0, 140, 0, 255},
		{0, 0, 220, 255},
		{130, 130, 130, 255},
	}};
	return sDefault;
}

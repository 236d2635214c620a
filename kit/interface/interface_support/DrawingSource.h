#ifndef _VELMORA_DRAWING_SOURCE_H
#define _VELMORA_DRAWING_SOURCE_H

#include <vector>

#include <cairo.h>

#include <GraphicsDefs.h>

namespace BPrivate {

// What a BeOS drawing mode and pattern make of a shape, as cairo passes:
// each pass is an operator with a source, applied to the same coverage.
//   B_OP_COPY      pattern bits in the high colour, the others in the low
//                  colour, both opaque
//   B_OP_OVER      high bits in the high colour, low bits left alone
//   B_OP_ERASE     high bits in the low colour, low bits left alone
//   B_OP_INVERT    high bits inverted, low bits left alone
//   B_OP_ALPHA     as B_OP_COPY, blended by the colours' alpha
//   B_OP_ADD, B_OP_MIN, B_OP_MAX, B_OP_BLEND, B_OP_SUBTRACT as their names say
//   B_OP_SELECT    drawn as B_OP_COPY
// Colours' alpha counts only in B_OP_ALPHA.
class DrawingSource {
public:
	DrawingSource(drawing_mode mode, const pattern& p, rgb_color high, rgb_color low);
	~DrawingSource();
	DrawingSource(const DrawingSource&) = delete;
	DrawingSource& operator=(const DrawingSource&) = delete;

	// Runs every pass: sets its operator and source, then calls cover,
	// which must draw without consuming the path (cairo_fill_preserve,
	// cairo_stroke_preserve, cairo_mask, cairo_show_glyphs). The context's
	// operator and source are restored afterwards.
	template<typename Cover>
	void Paint(cairo_t* context, Cover cover) const
	{
		cairo_save(context);
		for (const Pass& pass : fPasses) {
			cairo_set_operator(context, pass.op);
			cairo_set_source(context, pass.source);
			cover(context);
		}
		cairo_restore(context);
	}

private:
	struct Pass {
		cairo_operator_t op;
		cairo_pattern_t* source;
	};
	void _AddPass(cairo_operator_t op, cairo_pattern_t* source);

	std::vector<Pass> fPasses;
};

} // namespace BPrivate

#endif

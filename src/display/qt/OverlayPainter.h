// OverlayPainter: paints the overlay's drawing items over the text widget.
//
// Texts go out character by character at the places the buffer's layout
// gives them (TABs to their tab stops), as glyph runs of the display font, so
// a coloured token covers its characters exactly. The marks use their own
// small face. The input-method mark belongs to the menu bar and is skipped.
#pragma once

#include <vector>

#include "display/Overlay.h"

class FontLayout;
class QPainter;

namespace overlay_painter {

void Paint(QPainter& painter, const std::vector<OverlayItem>& items, const FontLayout& layout);

}  // namespace overlay_painter

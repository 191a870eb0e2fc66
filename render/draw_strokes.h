#pragma once

#include "render/tile_strokes.h"
#include "shell/platform/dc.h"

// Draws a tile's lines with the pen selected in dc.
inline void DrawTileStrokes(CDC& dc, const TileStrokes& lines) {
    if (!lines.valid) {
        return;
    }
    for (const TileStroke& s : lines.strokes) {
        if (s.arc) {
            dc.Arc(s.left, s.top, s.right, s.bottom, s.xStart, s.yStart, s.xEnd, s.yEnd);
        } else {
            dc.MoveTo(s.xStart, s.yStart);
            dc.LineTo(s.xEnd, s.yEnd);
        }
    }
}

#include "render/tile_strokes.h"

namespace {

TileStroke Arc(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
               std::int32_t xStart, std::int32_t yStart, std::int32_t xEnd, std::int32_t yEnd) {
    return {true, left, top, right, bottom, xStart, yStart, xEnd, yEnd};
}

TileStroke Line(std::int32_t xStart, std::int32_t yStart, std::int32_t xEnd, std::int32_t yEnd) {
    return {false, 0, 0, 0, 0, xStart, yStart, xEnd, yEnd};
}

}  // namespace

TileStrokes SquarePictureStrokes(SquareKind tile, std::int32_t width, std::int32_t height) {
    const std::int32_t w = width;
    const std::int32_t h = height;
    const std::int32_t hw = w / 2;
    const std::int32_t hh = h / 2;
    switch (tile) {
        case LeftTile:
            // Around the top-left corner, then around the bottom-right one.
            return {
                true,
                {Arc(-hw, -hh, hw, hh, 0, hh, hw, 0), Arc(hw, hh, 3 * hw, 3 * hh, w, hh, hw, h)}};
        case CentreTile:
            return {true, {Line(hw, 0, hw, h), Line(0, hh, w, hh)}};
        case RightTile:
            // Around the top-right corner, then around the bottom-left one.
            return {
                true,
                {Arc(hw, -hh, 3 * hw, hh, hw, 0, w, hh), Arc(-hw, hh, hw, 3 * hh, hw, h, 0, hh)}};
        default:
            return {};
    }
}

TileStrokes ButtonPictureStrokes(SquareKind tile, std::int32_t width, std::int32_t height,
                                 std::int32_t penWidth) {
    const std::int32_t w = width;
    const std::int32_t h = height;
    const std::int32_t hw = w / 2;
    const std::int32_t hh = h / 2;
    const std::int32_t p = penWidth / 2;
    switch (tile) {
        case LeftTile:
            return {true,
                    {Arc(-hw, -hh, hw, hh, p, hh, hw, p),
                     Arc(hw, hh, 3 * hw, 3 * hh, w - p, hh, hw, h - p)}};
        case CentreTile:
            return {true, {Line(hw, p, hw, h - p), Line(p, hh, w - p, hh)}};
        case RightTile:
            // The first arc's end ray points at (w - p, h) on the bottom edge rather than
            // at the middle of the right side; being nearly vertical, it still meets the
            // ellipse close to that middle.
            return {true,
                    {Arc(hw, -hh, 3 * hw, hh, hw, p, w - p, h),
                     Arc(-hw, hh, hw, 3 * hh, hw, h - p, p, hh)}};
        default:
            return {};
    }
}

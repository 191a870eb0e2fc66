#include "render/button_geometry.h"

#include <algorithm>

TileButtonLayout ComputeTileButtonLayout(std::int32_t clientWidth, std::int32_t clientHeight) {
    const std::int32_t cx = clientWidth;
    const std::int32_t cy = clientHeight;
    TileButtonLayout layout;
    ButtonRect rect{cx * 8 / 10, cy / 10, cx * 95 / 100, cy * 3 / 10};
    const std::int32_t step = cy * 3 / 10;
    for (ButtonRect& window : layout.windows) {
        window = rect;
        rect.top += step;
        rect.bottom += step;
    }
    layout.pictureWidth = cx * 15 / 100;
    layout.pictureHeight = cy * 2 / 10;
    return layout;
}

std::int32_t TileButtonPenWidth(std::int32_t width, std::int32_t height) {
    const std::int32_t quotient = std::min(width, height) / 7;
    return quotient > 1 ? quotient : 1;
}

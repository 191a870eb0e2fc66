#pragma once

#include "shell/platform/types.h"

class QImage;

// A window whose client area can be drawn on directly. The window keeps an off-screen
// image of its client area; a surface obtained on the window paints into that image,
// and when the surface is given back the window shows the touched pixels at once.
class CSurfaceOwner {
public:
    virtual ~CSurfaceOwner() = default;
    virtual QImage* SurfaceImage() = 0;
    virtual void SurfaceTouched(const CRect& box) = 0;
};

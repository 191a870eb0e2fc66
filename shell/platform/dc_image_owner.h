#pragma once

// A client area without a window: an image that surfaces paint on, which remembers every
// box reported when a surface is given back. Tests draw through it exactly as the program
// draws on a window, and read the pixels back without seeing Qt.

#include <memory>
#include <vector>

#include "shell/platform/surface_owner.h"
#include "shell/platform/types.h"

class CImageSurfaceOwner : public CSurfaceOwner {
public:
    // Sizes of zero or less give an owner without pixels, on which nothing is painted.
    // ratio is the device pixels per pixel of the screen the client area stands on.
    CImageSurfaceOwner(int width, int height, COLORREF fill = RGB(0, 0, 0), double ratio = 1.0);
    ~CImageSurfaceOwner() override;
    CImageSurfaceOwner(const CImageSurfaceOwner&) = delete;
    CImageSurfaceOwner& operator=(const CImageSurfaceOwner&) = delete;

    QImage* SurfaceImage() override;
    void SurfaceTouched(const CRect& box) override;

    CSize GetSize() const;
    void Fill(COLORREF colour);
    // 0xFFFFFFFF outside the image. The top-left device pixel of the pixel.
    COLORREF GetPixel(int x, int y) const;
    const std::vector<CRect>& TouchedBoxes() const { return m_touched; }

private:
    std::unique_ptr<QImage> m_image;
    std::vector<CRect> m_touched;
};

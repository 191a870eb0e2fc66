#include "shell/platform/dc_image_owner.h"

#include <QImage>

CImageSurfaceOwner::CImageSurfaceOwner(int width, int height, COLORREF fill)
    : m_image(std::make_unique<QImage>()) {
    if (width > 0 && height > 0)
        *m_image = QImage(width, height, QImage::Format_RGB32);
    Fill(fill);
}

CImageSurfaceOwner::~CImageSurfaceOwner() = default;

QImage* CImageSurfaceOwner::SurfaceImage() {
    return m_image.get();
}

void CImageSurfaceOwner::SurfaceTouched(const CRect& box) {
    m_touched.push_back(box);
}

CSize CImageSurfaceOwner::GetSize() const {
    return {m_image->width(), m_image->height()};
}

void CImageSurfaceOwner::Fill(COLORREF colour) {
    if (!m_image->isNull()) {
        m_image->fill(qRgb(GetRValue(colour), GetGValue(colour), GetBValue(colour)));
    }
}

COLORREF CImageSurfaceOwner::GetPixel(int x, int y) const {
    if (!m_image->valid(x, y))
        return 0xFFFFFFFF;
    const QRgb pixel = m_image->pixel(x, y);
    return RGB(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

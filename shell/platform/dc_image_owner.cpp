#include "shell/platform/dc_image_owner.h"

#include <QImage>

#include "shell/platform/device_pixels.h"

CImageSurfaceOwner::CImageSurfaceOwner(int width, int height, COLORREF fill, double ratio)
    : m_image(std::make_unique<QImage>()) {
    if (width > 0 && height > 0)
        *m_image = MakePicture(width, height, ratio);
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
    return {LogicalWidth(*m_image), LogicalHeight(*m_image)};
}

void CImageSurfaceOwner::Fill(COLORREF colour) {
    if (!m_image->isNull()) {
        m_image->fill(qRgb(GetRValue(colour), GetGValue(colour), GetBValue(colour)));
    }
}

COLORREF CImageSurfaceOwner::GetPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= LogicalWidth(*m_image) || y >= LogicalHeight(*m_image))
        return 0xFFFFFFFF;
    const qreal ratio = m_image->devicePixelRatio();
    const QRgb pixel = m_image->pixel(ToDevice(x, ratio), ToDevice(y, ratio));
    return RGB(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

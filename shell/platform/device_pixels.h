#pragma once

// The program's geometry is in its own pixels; on a screen with more than one device pixel
// per pixel the images behind windows and pictures hold ratio device pixels per pixel
// (QImage::devicePixelRatio). A pixel edge x lies on the device edge x * ratio rounded,
// halves upwards, which is where Qt's own fills put it, so the boxes filled here and the
// shapes Qt fills on the same image meet without a seam. At a ratio of 1 every mapping is
// the identity.

#include <QImage>

#include <algorithm>
#include <climits>
#include <cmath>

#include "shell/platform/types.h"

inline int ToDevice(int x, qreal ratio) {
    if (ratio == 1.0)
        return x;
    const double device = std::floor(x * ratio + 0.5);
    return static_cast<int>(std::clamp<double>(device, INT_MIN, INT_MAX));
}

inline CRect ToDevice(const CRect& box, qreal ratio) {
    return {ToDevice(box.left, ratio), ToDevice(box.top, ratio), ToDevice(box.right, ratio),
            ToDevice(box.bottom, ratio)};
}

// Pictures are made at no less than one device pixel per pixel: below that a pixel would
// have no device pixel of its own.
inline qreal PictureRatio(qreal ratio) {
    return std::isfinite(ratio) ? std::max<qreal>(ratio, 1.0) : 1.0;
}

// The size in the program's pixels of an image made at ToDevice(size, ratio).
inline int FromDeviceLength(int length, qreal ratio) {
    if (ratio == 1.0)
        return length;
    return static_cast<int>(std::lround(length / ratio));
}

inline int LogicalWidth(const QImage& image) {
    return FromDeviceLength(image.width(), image.devicePixelRatio());
}

inline int LogicalHeight(const QImage& image) {
    return FromDeviceLength(image.height(), image.devicePixelRatio());
}

// An image of width x height pixels at the ratio, its pixels not yet set.
inline QImage MakePicture(int width, int height, qreal ratio) {
    ratio = PictureRatio(ratio);
    QImage image(ToDevice(width, ratio), ToDevice(height, ratio), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    return image;
}

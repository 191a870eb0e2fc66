// Drawing for a screen with more device pixels per pixel: the program's pixel rules,
// carried out at the device's resolution.

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>

#include "shell/platform/dc_image_owner.h"
#include "shell/platform/dc_test_support.h"
#include "shell/platform/device_pixels.h"

namespace {

// An off-screen picture made compatible with a client area on a screen of the ratio.
struct RatioPicture {
    RatioPicture(double ratio, int width, int height) : screen(1, 1, kBlack, ratio) {
        CClientDC window(&screen);
        dc.CreateCompatibleDC(&window);
        bitmap.CreateCompatibleBitmap(&window, width, height);
        dc.SelectObject(&bitmap);
    }
    COLORREF At(int x, int y) const {
        const QRgb pixel = bitmap.Image()->pixel(x, y);
        return RGB(qRed(pixel), qGreen(pixel), qBlue(pixel));
    }
    CImageSurfaceOwner screen;
    CDC dc;
    CBitmap bitmap;
};

void Scene(CDC& dc) {
    CPen red(PS_SOLID, 1, kRed);
    CBrush green(kGreen);
    CPen* oldPen = dc.SelectObject(&red);
    CBrush* oldBrush = dc.SelectObject(&green);
    dc.Rectangle(1, 1, 12, 9);
    dc.MoveTo(3, 4);
    dc.LineTo(10, 4);
    dc.MoveTo(6, 8);
    dc.LineTo(6, 2);
    dc.FillSolidRect(8, 6, 3, 2, kBlue);
    dc.SetPixel(0, 9, kWhite);
    dc.PatBlt(12, 0, 1, 10, DSTINVERT);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
}

// Normalised radius of (x, y) for the ellipse inscribed in the box: below 1 inside.
double Radius(double x, double y, double left, double top, double right, double bottom) {
    const double a = (right - left) / 2, b = (bottom - top) / 2;
    return std::hypot((x - left - a) / a, (y - top - b) / b);
}

}  // namespace

// Outlines, fills, lines and single pixels are the picture drawn at a ratio of 1 with each
// pixel made a block of device pixels (a 1-pixel outline is the ratio device pixels wide),
// and so is that picture copied onto a surface of the ratio.
TEST(DcDeviceRatio, BoxesAndStraightLinesAreTheSameDrawingInLargerPixels) {
    OffScreen plain(13, 10);
    Scene(plain.dc);
    for (const double ratio : {2.0, 1.5}) {
        SCOPED_TRACE(ratio);
        RatioPicture sharp(ratio, 13, 10), copy(ratio, 13, 10);
        Scene(sharp.dc);
        copy.dc.BitBlt(0, 0, 13, 10, &plain.dc, 0, 0, SRCCOPY);
        EXPECT_EQ(sharp.bitmap.GetSize(), (CSize{13, 10}));
        ASSERT_EQ(sharp.bitmap.Image()->size(), QSize(ratio == 2 ? 26 : 20, ratio == 2 ? 20 : 15));
        for (int y = 0; y < sharp.bitmap.Image()->height(); ++y) {
            for (int x = 0; x < sharp.bitmap.Image()->width(); ++x) {
                // The pixel whose area holds the device pixel's centre (the lower on an edge).
                const COLORREF expected =
                    plain.dc.GetPixel(static_cast<int>(std::ceil((x + 0.5) / ratio)) - 1,
                                      static_cast<int>(std::ceil((y + 0.5) / ratio)) - 1);
                ASSERT_EQ(sharp.At(x, y), expected) << x << "," << y;
                ASSERT_EQ(copy.At(x, y), expected) << x << "," << y;
            }
        }
    }
}

// The ball mask and a tile's arc follow the true ellipse to the device pixel: every device
// pixel clearly inside the ball is white and every one clearly outside black, and the arc
// takes every device pixel just inside the ellipse's edge, which pixels scaled up from a
// ratio of 1 could not.
TEST(DcDeviceRatio, TheBallAndTheArcsFollowTheirEllipseToTheDevicePixel) {
    for (const double ratio : {2.0, 1.5}) {
        SCOPED_TRACE(ratio);
        RatioPicture ball(ratio, 14, 20);
        ball.dc.SelectStockObject(WHITE_BRUSH);
        ball.dc.SelectStockObject(WHITE_PEN);
        ball.dc.Ellipse(0, 0, 14, 20);
        RatioPicture tile(ratio, 37, 50);
        CPen line(PS_SOLID, 1, kRed);
        tile.dc.SelectObject(&line);
        tile.dc.Arc(-18, -25, 18, 25, 0, 25, 18, 0);

        auto arc = [](double u, double v) { return Radius(u, v, -18, -25, 18, 25); };
        const double device = 1 / ratio;
        int edgePixels = 0;
        for (int y = 0; y < ToDevice(50, ratio); ++y) {
            for (int x = 0; x < ToDevice(37, ratio); ++x) {
                const double u = (x + 0.5) * device, v = (y + 0.5) * device;
                const double r = Radius(u, v, 0, 0, 14, 20);
                if (x < ToDevice(14, ratio) && y < ToDevice(20, ratio) && std::abs(r - 1) > 0.01) {
                    ASSERT_EQ(ball.At(x, y), r < 1 ? kWhite : kBlack) << x << "," << y;
                }
                // Inside, and a device pixel further out is outside.
                const bool onEdge =
                    arc(u, v) < 0.998 && (arc(u + device, v) > 1.002 || arc(u, v + device) > 1.002);
                edgePixels += onEdge;
                if (tile.At(x, y) == kRed) {
                    EXPECT_TRUE(arc(u, v) < 1.002 &&
                                (arc(u + 1 + device, v) > 1 || arc(u, v + 1 + device) > 1))
                        << x << "," << y;
                } else {
                    EXPECT_FALSE(onEdge) << x << "," << y;
                }
            }
        }
        EXPECT_GT(edgePixels, 30);
    }
}

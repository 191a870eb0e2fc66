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

// The pixel a device pixel belongs to: the one whose area holds its centre.
int PixelOf(int device, double ratio) {
    return static_cast<int>(std::ceil((device + 0.5) / ratio)) - 1;
}

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
// pixel made a block of device pixels: a 1-pixel outline is the ratio device pixels wide.
TEST(DcDeviceRatio, BoxesAndStraightLinesAreTheSameDrawingInLargerPixels) {
    OffScreen plain(13, 10);
    Scene(plain.dc);
    for (const double ratio : {2.0, 1.5}) {
        SCOPED_TRACE(ratio);
        RatioPicture sharp(ratio, 13, 10);
        Scene(sharp.dc);
        EXPECT_EQ(sharp.dc.GetDevicePixelRatio(), ratio);
        EXPECT_EQ(sharp.bitmap.GetSize(), (CSize{13, 10}));
        ASSERT_EQ(sharp.bitmap.Image()->size(), QSize(ratio == 2 ? 26 : 20, ratio == 2 ? 20 : 15));
        for (int y = 0; y < sharp.bitmap.Image()->height(); ++y) {
            for (int x = 0; x < sharp.bitmap.Image()->width(); ++x) {
                ASSERT_EQ(sharp.At(x, y), plain.dc.GetPixel(PixelOf(x, ratio), PixelOf(y, ratio)))
                    << x << "," << y;
            }
        }
    }
}

// The ball mask and a tile's arc follow the true ellipse to the device pixel: every device
// pixel clearly inside the ball is white and every one clearly outside black, and the arc
// takes every device pixel on the inner side of the ellipse's edge, which pixels scaled up
// from a ratio of 1 could not.
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

        // Radius of the tile's ellipse, dx and dy further out (in pixels).
        auto arc = [](double u, double v) { return Radius(u, v, -18, -25, 18, 25); };
        const double device = 1 / ratio;
        int edgePixels = 0;
        for (int y = 0; y < ToDevice(50, ratio); ++y) {
            for (int x = 0; x < ToDevice(37, ratio); ++x) {
                const double u = (x + 0.5) * device, v = (y + 0.5) * device;
                if (x < ToDevice(14, ratio) && y < ToDevice(20, ratio)) {
                    const double r = Radius(u, v, 0, 0, 14, 20);
                    if (std::abs(r - 1) > 0.01) {
                        ASSERT_EQ(ball.At(x, y), r < 1 ? kWhite : kBlack) << x << "," << y;
                    }
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

// The sprite's transfer paints the brush through every white device pixel of the mask and
// keeps the rest, between pictures of the same ratio and, until a window's pictures are
// made again after a change of screen, between pictures of different ratios.
TEST(DcDeviceRatio, TheMaskedTransferWorksOnDevicePixels) {
    for (const auto& [windowRatio, maskRatio] : {std::pair{2.0, 2.0}, {1.5, 1.5}, {2.0, 1.0}}) {
        SCOPED_TRACE(windowRatio * 10 + maskRatio);
        RatioPicture mask(maskRatio, 14, 20);
        mask.dc.SelectStockObject(WHITE_BRUSH);
        mask.dc.SelectStockObject(WHITE_PEN);
        mask.dc.Ellipse(0, 0, 14, 20);
        CImageSurfaceOwner window(30, 30, kGreen, windowRatio);
        {
            CClientDC dc(&window);
            CBrush red(kRed);
            dc.SelectObject(&red);
            dc.BitBlt(8, 6, 14, 20, &mask.dc, 0, 0, DSPDxax);
        }
        const QImage& image = *window.SurfaceImage();
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                // The mask's device pixel under this one's centre.
                const int mx =
                    static_cast<int>(std::floor(((x + 0.5) / windowRatio - 8) * maskRatio));
                const int my =
                    static_cast<int>(std::floor(((y + 0.5) / windowRatio - 6) * maskRatio));
                const bool white = mask.bitmap.Image()->valid(mx, my) && mask.At(mx, my) == kWhite;
                ASSERT_EQ(image.pixel(x, y), white ? qRgb(255, 0, 0) : qRgb(0, 255, 0))
                    << x << "," << y;
            }
        }
    }
}

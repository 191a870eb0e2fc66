// The game on screens with more device pixels per pixel. HiDpiTest runs with
// QT_SCALE_FACTOR set (2 and 1.5), HiDpiScreenChangeTest on two screens of ratios 1 and 2
// (support/two_screens.json); see tests/CMakeLists.txt.

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

#include <functional>

#include "render/render_ui_test_support.h"
#include "shell/platform/device_pixels.h"
#include "support/rolvan_fixture.h"

namespace {

class HiDpiTest : public RolvanTest {
protected:
    double Ratio() const { return view->GetSafeHwnd()->devicePixelRatioF(); }
    QSize Device(int width, int height) const {
        return {ToDevice(width, Ratio()), ToDevice(height, Ratio())};
    }

    // Every picture and window image at the screen's ratio; geometry in the program's
    // pixels as ever.
    void ExpectImagesAtTheScreensRatio() {
        const double ratio = Ratio();
        EXPECT_EQ(view->board.squareWidth, 37);
        EXPECT_EQ(view->board.squareHeight, 50);
        EXPECT_EQ(view->ballRadiusX, 7);
        EXPECT_EQ(view->SurfaceImage()->size(), Device(800, 600));
        EXPECT_EQ(view->SurfaceImage()->devicePixelRatio(), ratio);
        EXPECT_EQ(view->ballMaskBitmap->Image()->size(), Device(14, 20));
        EXPECT_EQ(view->squareImages.homeImage.bitmap->Image()->size(), Device(37, 50));
        for (CWnd* button : {static_cast<CWnd*>(view->leftButton.get()),
                             static_cast<CWnd*>(view->rightButton.get())}) {
            EXPECT_EQ(button->SurfaceImage()->size(), Device(120, 120));
        }
        EXPECT_TRUE(frame->GetSafeHwnd()->windowIcon().availableSizes().contains(Device(32, 32)));
        const QPixmap icon = AboutIcon();
        EXPECT_EQ(icon.devicePixelRatio(), ratio);
        EXPECT_EQ(icon.size(), Device(32, 32));
    }

    // The icon the About box shows; meanwhile does something with the open box first.
    QPixmap AboutIcon(const std::function<void(QWidget*)>& meanwhile = {}) {
        QPixmap icon;
        actOnDialog = [&](CDialog& dialog) {
            if (meanwhile)
                meanwhile(dialog.GetSafeHwnd());
            for (const QLabel* label : dialog.GetSafeHwnd()->findChildren<QLabel*>()) {
                if (!label->pixmap().isNull())
                    icon = label->pixmap();
            }
            DialogUser(dialog).Click(IDOK);
        };
        Command(ID_APP_ABOUT);
        return icon;
    }
};

using HiDpiScreenChangeTest = HiDpiTest;

// Each square shows its picture device pixel for device pixel, and the ball at rest covers
// exactly the white device pixels of its mask.
TEST_F(HiDpiTest,
       ImagesHaveTheDeviceSizeAndSquaresAndBallShowTheirPicturesDevicePixelForDevicePixel) {
    StartGame(800, 600);
    UseDistinctColours(*view);
    ASSERT_GT(Ratio(), 1.0) << "runs with QT_SCALE_FACTOR set";
    ExpectImagesAtTheScreensRatio();

    const QImage& window = *view->SurfaceImage();
    const QRgb ball = qRgb(GetRValue(kBall), GetGValue(kBall), GetBValue(kBall));
    int ballPixels = 0;
    view->board.ForEachSquare([&](const Square& square) {
        const QImage& picture = *view->squareImages.ForKind(square.kind)->bitmap->Image();
        const QPoint origin(ToDevice(square.x, Ratio()), ToDevice(square.y, Ratio()));
        const QSize size = Device(square.x + square.width, square.y + square.height) -
                           QSize(origin.x(), origin.y());
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x) {
                const QRgb shown = window.pixel(origin + QPoint(x, y));
                ballPixels += shown == ball;
                if (shown != ball) {
                    ASSERT_EQ(shown, picture.pixel(x, y)) << square.x << "," << square.y;
                }
            }
        }
    });
    const QImage& mask = *view->ballMaskBitmap->Image();
    int white = 0;
    for (int y = 0; y < mask.height(); ++y) {
        for (int x = 0; x < mask.width(); ++x) {
            white += mask.pixel(x, y) == qRgb(255, 255, 255);
        }
    }
    EXPECT_EQ(ballPixels, white);
}

// Moved to a screen of another ratio, the window paints at the new ratio; moved back, it
// shows exactly what it showed before.
TEST_F(HiDpiScreenChangeTest, AWindowMovedToAScreenOfAnotherRatioPaintsAtThatRatio) {
    ASSERT_EQ(QApplication::screens().size(), 2) << "runs on support/two_screens.json";
    StartGame(800, 600);
    UseDistinctColours(*view);
    ASSERT_EQ(Ratio(), 1.0);
    const QImage before = view->SurfaceImage()->copy();
    QWidget* window = frame->GetSafeHwnd();
    const QPoint home = window->pos();

    window->move(QApplication::screens()[1]->geometry().topLeft() + QPoint(20, 20));
    QApplication::processEvents();
    QApplication::processEvents();
    ASSERT_EQ(Ratio(), 2.0);
    ExpectImagesAtTheScreensRatio();
    const QImage& sharp = *view->SurfaceImage();
    EXPECT_EQ(sharp.pixel(ToDevice(42, 2) + 1, 600), qRgb(70, 80, 90)) << "the grid line";

    window->move(home);
    QApplication::processEvents();
    QApplication::processEvents();
    ASSERT_EQ(Ratio(), 1.0);
    ExpectImagesAtTheScreensRatio();
    EXPECT_EQ(*view->SurfaceImage(), before);

    // The About box dragged over to the sharper screen picks its icon again.
    const QPixmap icon = AboutIcon([](QWidget* box) {
        box->show();
        box->move(QApplication::screens()[1]->geometry().topLeft() + QPoint(40, 40));
        QApplication::processEvents();
    });
    EXPECT_EQ(icon.devicePixelRatio(), 2.0);
}

}  // namespace

// The game on screens with more device pixels per pixel. HiDpiTest runs with
// QT_SCALE_FACTOR set (2 and 1.5), HiDpiScreenChangeTest on two screens of ratios 1 and 2
// (support/two_screens.json), HiDpiOnX11 on a real X server whose scale changes
// (display/scale.sh); see tests/CMakeLists.txt.

#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <csignal>
#include <functional>
#include <vector>

#include "display/display_test_support.h"
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
using HiDpiOnX11 = HiDpiTest;

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

// After a change of scale on Wayland the backing store is made to let go of its buffers;
// the buffer it takes next holds nothing, and the whole window is painted into it again.
TEST_F(HiDpiTest, AWindowWhoseBackingStoreDroppedItsBuffersShowsWholeAgain) {
    StartGame(800, 600);
    UseDistinctColours(*view);
    QWidget* window = frame->GetSafeHwnd();
    QApplication::processEvents();
    const QImage before = BackingStorePicture(window);
    DropBackingStoreBuffersForTesting(window);
    EXPECT_NE(BackingStorePicture(window), before) << "the buffers were not dropped";
    QApplication::processEvents();
    EXPECT_EQ(BackingStorePicture(window), before);
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

    // Where the platform does not follow a move with the window's screen itself (Qt 6.8's
    // offscreen platform), the window is put on it, as a window manager's move would.
    const auto moveTo = [window](QScreen* screen, const QPoint& place) {
        window->move(place);
        window->windowHandle()->setScreen(screen);
        QApplication::processEvents();
        QApplication::processEvents();
    };
    moveTo(QApplication::screens()[1],
           QApplication::screens()[1]->geometry().topLeft() + QPoint(20, 20));
    if (Ratio() != window->screen()->devicePixelRatio())
        GTEST_SKIP() << "this Qt's offscreen platform gives a window its screen's ratio no more "
                        "(from Qt 6.6); HiDpiOnX11 follows a scale change on a real X server";
    ASSERT_EQ(Ratio(), 2.0);
    ExpectImagesAtTheScreensRatio();
    const QImage& sharp = *view->SurfaceImage();
    EXPECT_EQ(sharp.pixel(ToDevice(42, 2) + 1, 600), qRgb(70, 80, 90)) << "the grid line";

    moveTo(QApplication::screens()[0], home);
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

// The screen's scale changes under the running game, as when Xft.dpi changes on X11 (a
// docked laptop, a changed display setting): tests/display/scale.sh runs this on an Xvfb
// whose XSETTINGS daemon it names. The window keeps its size on the screen, so the game
// gets fewer of its own pixels, and every picture follows at once, down to the pixels the
// X server shows, and back again.
TEST_F(HiDpiOnX11, TheGameFollowsAScaleChangeWhileItRuns) {
    const QByteArray settings = qgetenv("ROLVAN_XSETTINGS_CONF");
    const int daemon = qEnvironmentVariableIntValue("ROLVAN_XSETTINGS_PID");
    if (QGuiApplication::platformName() != QLatin1String("xcb") || settings.isEmpty() ||
        daemon <= 0)
        GTEST_SKIP() << "needs an X server with an XSETTINGS daemon: run through "
                        "tests/display/scale.sh";
    QWidget* client = view == nullptr ? nullptr : view->GetSafeHwnd();
    const auto picturesAt = [&](double ratio) {
        std::vector<const QImage*> images = {view->SurfaceImage(), view->ballMaskBitmap->Image(),
                                             view->squareImages.homeImage.bitmap->Image(),
                                             view->leftButton->SurfaceImage(),
                                             view->rightButton->SurfaceImage()};
        return Ratio() == ratio &&
               view->SurfaceImage()->size() == Device(client->width(), client->height()) &&
               std::all_of(images.begin(), images.end(), [ratio](const QImage* image) {
                   return image->devicePixelRatio() == ratio;
               });
    };
    // Whether the X server shows the board's squares as the view painted them, device pixel
    // for device pixel, as far as the window reaches (one the window manager has not given
    // its new size yet shows less; the tile buttons are windows of their own above the view).
    const auto showsTheView = [&] {
        const QPixmap window = client->screen()->grabWindow(client->window()->winId());
        const QImage& painted = *view->SurfaceImage();
        const double ratio = painted.devicePixelRatio();
        if (window.devicePixelRatio() != ratio)
            return false;
        QRect box;
        view->board.ForEachSquare([&](const Square& square) {
            box |= QRect(square.x, square.y, square.width, square.height);
        });
        const QPoint origin = client->mapTo(client->window(), QPoint(0, 0)) * ratio;
        const QRect device =
            QRect(box.topLeft() * ratio, box.size() * ratio) & QRect(-origin, window.size());
        return !device.isEmpty() && window.toImage()
                                            .copy(device.translated(origin))
                                            .convertToFormat(QImage::Format_RGB32) ==
                                        painted.copy(device).convertToFormat(QImage::Format_RGB32);
    };
    const auto setScale = [&](int scale) {
        QFile file(QString::fromLocal8Bit(settings));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("Xft/DPI " + QByteArray::number(96 * 1024 * scale) + "\n");
        file.close();
        ASSERT_EQ(::kill(daemon, SIGHUP), 0);
        ASSERT_TRUE(RunEventsUntil([&] { return picturesAt(scale); }, 5000))
            << "the game stayed at the ratio " << view->SurfaceImage()->devicePixelRatio();
        // The window manager may still resize the window meanwhile, so the view paints anew.
        EXPECT_TRUE(RunEventsUntil([&] { return picturesAt(scale) && showsTheView(); }, 10000))
            << "the X server does not show the view's pixels at the ratio " << scale;
    };

    StartGame(800, 600);
    client = view->GetSafeHwnd();
    UseDistinctColours(*view);
    ASSERT_TRUE(picturesAt(1.0));
    setScale(2);
    setScale(1);
}

}  // namespace

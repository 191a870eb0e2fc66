// The block transfers of the ball animation: every step copies two square pictures onto
// the window and paints the sprite through its mask.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>

#include "shell/platform/dc.h"
#include "shell/platform/surface_owner.h"

namespace {

// An 800 x 600 client area, like the default window, that shows nothing.
class Window : public CSurfaceOwner {
public:
    QImage* SurfaceImage() override { return &m_image; }
    void SurfaceTouched(const CRect&) override {}

private:
    QImage m_image{800, 600, QImage::Format_RGB32};
};

// A picture of the size of a square of the default window, or of the ball's mask.
struct Picture {
    Picture(int width, int height) {
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateCompatibleBitmap(&dc, width, height);
        previous = dc.SelectObject(&bitmap);
        dc.SelectStockObject(WHITE_BRUSH);
        dc.SelectStockObject(WHITE_PEN);
        dc.Ellipse(0, 0, width, height);
    }
    ~Picture() { dc.SelectObject(previous); }

    CDC dc;
    CBitmap bitmap;
    CBitmap* previous = nullptr;
};

void BM_SquareCopy(benchmark::State& state) {
    Window window;
    Picture square(37, 50);
    CClientDC dc(&window);
    int step = 0;
    for (auto _ : state) {
        dc.BitBlt(42 + step % 15 * 37, 50, 37, 50, &square.dc, 0, 0, SRCCOPY);
        ++step;
    }
}
BENCHMARK(BM_SquareCopy);

void BM_MaskedSprite(benchmark::State& state) {
    Window window;
    Picture mask(14, 20);
    CBrush ball(RGB(200, 0, 0));
    CClientDC dc(&window);
    int step = 0;
    for (auto _ : state) {
        CBrush* previous = dc.SelectObject(&ball);
        dc.BitBlt(100 + step % 37, 90, 14, 20, &mask.dc, 0, 0, DSPDxax);
        dc.SelectObject(previous);
        ++step;
    }
}
BENCHMARK(BM_MaskedSprite);

// One animation step as the game draws it, surface included: obtain, two squares, the
// sprite, give back.
void BM_AnimationStep(benchmark::State& state) {
    Window window;
    Picture square(37, 50);
    Picture mask(14, 20);
    CBrush ball(RGB(200, 0, 0));
    int step = 0;
    for (auto _ : state) {
        CClientDC dc(&window);
        CBrush* previous = dc.SelectObject(&ball);
        dc.BitBlt(42, 50, 37, 50, &square.dc, 0, 0, SRCCOPY);
        dc.BitBlt(79, 50, 37, 50, &square.dc, 0, 0, SRCCOPY);
        dc.BitBlt(79 + step % 37 - 7, 75 - 10, 14, 20, &mask.dc, 0, 0, DSPDxax);
        dc.SelectObject(previous);
        ++step;
    }
}
BENCHMARK(BM_AnimationStep);

// Building a square picture: what every resize and colour change pays six times.
void BM_BuildTilePicture(benchmark::State& state) {
    CBrush fill(RGB(255, 255, 200));
    CPen border(PS_SOLID, 1, RGB(0, 0, 160));
    CPen line(PS_SOLID, 1, RGB(200, 0, 0));
    for (auto _ : state) {
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        CBitmap bitmap;
        bitmap.CreateCompatibleBitmap(&dc, 37, 50);
        CBitmap* previousBitmap = dc.SelectObject(&bitmap);
        CBrush* previousBrush = dc.SelectObject(&fill);
        CPen* previousPen = dc.SelectObject(&border);
        dc.Rectangle(0, 0, 37, 50);
        dc.SelectObject(&line);
        dc.Arc(-18, -25, 18, 25, 0, 25, 18, 0);
        dc.Arc(18, 25, 54, 75, 37, 25, 18, 50);
        dc.SelectObject(previousPen);
        dc.SelectObject(previousBrush);
        dc.SelectObject(previousBitmap);
    }
}
BENCHMARK(BM_BuildTilePicture);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// The view's paint cycle and backing image, its keys and mouse clicks, and push buttons
// on it: plain, double-click reporting and owner-drawn.

#include <QImage>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform_test_support.h"
#include "shell/platform/afxwin.h"

namespace {

constexpr COLORREF kBackground = RGB(0, 128, 128);
constexpr COLORREF kModel = RGB(255, 255, 0);
constexpr UINT kPlainButton = 7000;
constexpr UINT kNotifyButton = 7001;

COLORREF PixelAt(QImage* image, int x, int y) {
    const QRgb pixel = image->pixel(x, y);
    return RGB(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

class WindowView : public CView {
public:
    std::vector<std::string> log;
    std::vector<CRect> drawClips;
    std::vector<UINT> keys;
    std::vector<CPoint> leftClicks;
    std::vector<CPoint> rightClicks;
    CSize size;

    BOOL OnEraseBkgnd(CDC* pDC) override {
        CRect clip;
        pDC->GetClipBox(&clip);
        pDC->FillSolidRect(clip, kBackground);
        log.push_back("erase");
        return TRUE;
    }
    void OnDraw(CDC* pDC) override {
        CRect clip;
        pDC->GetClipBox(&clip);
        drawClips.push_back(clip);
        // The model: a square at (10, 10)-(30, 30).
        pDC->FillSolidRect(CRect{10, 10, 30, 30}, kModel);
        log.push_back("draw");
    }
    void OnSize(UINT nType, int cx, int cy) override {
        CView::OnSize(nType, cx, cy);
        size = CSize{cx, cy};
        log.push_back("size");
    }
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override {
        if (nChar == '1' || nChar == VK_NUMPAD0 + 1 || nChar == 'Q') {
            keys.push_back(nChar);
            return;
        }
        CView::OnKeyDown(nChar, nRepCnt, nFlags);
    }
    void OnLButtonDown(UINT nFlags, CPoint point) override {
        EXPECT_TRUE(nFlags & MK_LBUTTON);
        leftClicks.push_back(point);
    }
    void OnRButtonDown(UINT, CPoint point) override { rightClicks.push_back(point); }

    // The log without the paint cycles, which Qt runs under a button it repaints.
    std::vector<std::string> Commands() const {
        std::vector<std::string> commands;
        for (const std::string& entry : log) {
            if (entry != "erase" && entry != "draw")
                commands.push_back(entry);
        }
        return commands;
    }

    void OnPlain() { log.push_back("plain clicked"); }
    void OnNotify() { log.push_back("notify clicked"); }
    void OnNotifyDouble() { log.push_back("notify double-clicked"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(WindowView, CView)
    ON_BN_CLICKED(kPlainButton, OnPlain)
    ON_BN_CLICKED(kNotifyButton, OnNotify)
    ON_BN_DOUBLECLICKED(kNotifyButton, OnNotifyDouble)
END_MESSAGE_MAP()

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        app.AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CDocument),
                                                  RUNTIME_CLASS(CFrameWnd),
                                                  RUNTIME_CLASS(WindowView)));
        CCommandLineInfo commandLine;
        ASSERT_TRUE(app.ProcessShellCommand(commandLine));
        frame = static_cast<CFrameWnd*>(app.m_pMainWnd);
        view = static_cast<WindowView*>(frame->GetActiveView());
        frame->m_hWnd->resize(400, 300);
        ProcessEvents();
        view->log.clear();
        view->drawClips.clear();
    }

    CWinApp app;
    CFrameWnd* frame = nullptr;
    WindowView* view = nullptr;
};

}  // namespace

TEST_F(WindowTest, ThePaintCycleErasesThenDrawsIntoTheImageForTheRegion) {
    view->m_hWnd->repaint(QRect(5, 5, 20, 10));
    EXPECT_EQ(view->log, (std::vector<std::string>{"erase", "draw"}));
    ASSERT_EQ(view->drawClips.size(), 1u);
    EXPECT_EQ(view->drawClips[0], (CRect{5, 5, 25, 15}));
    QImage* image = view->SurfaceImage();
    EXPECT_EQ(PixelAt(image, 6, 6), kBackground);
    EXPECT_EQ(PixelAt(image, 20, 12), kModel);
    // Outside the region nothing was painted this time.
    EXPECT_EQ(PixelAt(image, 20, 20), kModel);
    EXPECT_EQ(image->format(), QImage::Format_RGB32);
}

TEST_F(WindowTest, AResizeResizesTheImageCallsOnSizeAndRepaintsEverything) {
    frame->m_hWnd->resize(500, 420);
    ProcessEvents();
    CRect client;
    view->GetClientRect(&client);
    EXPECT_EQ(view->size, (CSize{client.Width(), client.Height()}));
    EXPECT_EQ(view->SurfaceImage()->width(), client.Width());
    EXPECT_EQ(view->SurfaceImage()->height(), client.Height());
    ASSERT_FALSE(view->drawClips.empty());
    EXPECT_EQ(view->drawClips.back(), client);
    EXPECT_EQ(view->log.front(), "size");
}

TEST_F(WindowTest, WhatASurfacePaintsDirectlyStaysUntilTheNextPaintCycle) {
    {
        CClientDC dc(view);
        dc.FillSolidRect(CRect{10, 10, 20, 20}, RGB(0, 0, 255));
    }
    // Shown at once, without a paint cycle that would paint the model over it.
    EXPECT_TRUE(view->log.empty());
    EXPECT_EQ(PixelAt(view->SurfaceImage(), 15, 15), RGB(0, 0, 255));

    view->Invalidate();
    view->UpdateWindow();
    EXPECT_EQ(view->log, (std::vector<std::string>{"erase", "draw"}));
    EXPECT_EQ(PixelAt(view->SurfaceImage(), 15, 15), kModel);
}

TEST_F(WindowTest, KeysArriveAsVirtualKeyCodesAndUnhandledOnesPassOn) {
    EXPECT_TRUE(PressKey(view->m_hWnd, Qt::Key_1));
    EXPECT_TRUE(PressKey(view->m_hWnd, Qt::Key_1, Qt::KeypadModifier));
    EXPECT_TRUE(PressKey(view->m_hWnd, Qt::Key_Q));
    EXPECT_EQ(view->keys, (std::vector<UINT>{0x31, 0x61, 0x51}));
    EXPECT_FALSE(PressKey(view->m_hWnd, Qt::Key_2));
    EXPECT_EQ(view->keys.size(), 3u);
}

TEST_F(WindowTest, MouseButtonsArriveWithClientCoordinatesAndADoubleClickAddsNoPress) {
    SendMouse(view->m_hWnd, QEvent::MouseButtonPress, QPoint(12, 34), Qt::LeftButton);
    SendMouse(view->m_hWnd, QEvent::MouseButtonRelease, QPoint(12, 34), Qt::LeftButton);
    SendMouse(view->m_hWnd, QEvent::MouseButtonDblClick, QPoint(12, 34), Qt::LeftButton);
    SendMouse(view->m_hWnd, QEvent::MouseButtonPress, QPoint(56, 78), Qt::RightButton);
    EXPECT_EQ(view->leftClicks, (std::vector<CPoint>{{12, 34}}));
    EXPECT_EQ(view->rightClicks, (std::vector<CPoint>{{56, 78}}));
}

TEST_F(WindowTest, AButtonClickReachesTheViewsHandlerAndADoubleClickItsOwn) {
    CButton plain;
    CButton notify;
    ASSERT_TRUE(plain.Create("Save", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect{300, 10, 380, 40},
                             view, kPlainButton));
    ASSERT_TRUE(notify.Create("Reset", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | BS_NOTIFY,
                              CRect{300, 50, 380, 80}, view, kNotifyButton));
    EXPECT_EQ(plain.GetWindowRectInParent(), (CRect{300, 10, 380, 40}));
    CString caption;
    plain.GetWindowText(caption);
    EXPECT_EQ(caption.str(), "Save");

    ClickWidget(plain.m_hWnd);
    EXPECT_EQ(view->Commands(), (std::vector<std::string>{"plain clicked"}));

    view->log.clear();
    DoubleClickWidget(notify.m_hWnd);
    EXPECT_EQ(view->Commands(),
              (std::vector<std::string>{"notify clicked", "notify double-clicked"}));

    // Without BS_NOTIFY a double-click is two clicks.
    view->log.clear();
    DoubleClickWidget(plain.m_hWnd);
    EXPECT_EQ(view->Commands(), (std::vector<std::string>{"plain clicked", "plain clicked"}));
    // The view keeps the keyboard.
    EXPECT_EQ(plain.m_hWnd->focusPolicy(), Qt::NoFocus);
}

TEST_F(WindowTest, AButtonMayBeDestroyedByItsOwnClick) {
    auto* button = new CButton;
    ASSERT_TRUE(button->Create("Cancel", WS_CHILD | WS_VISIBLE, CRect{300, 90, 380, 120}, view,
                               kPlainButton));
    QPointer<QWidget> widget = button->m_hWnd;
    // The click handler of the test view only logs; destroy from a second connection that
    // runs inside the same click, the way the editor's Cancel ends the editor.
    QObject::connect(static_cast<QPushButton*>(widget.data()), &QPushButton::clicked, [&button] {
        delete button;
        button = nullptr;
    });
    ClickWidget(widget);
    EXPECT_EQ(button, nullptr);
    ProcessEvents();
    EXPECT_TRUE(widget.isNull());
}

namespace {

class PaintedButton : public CButton {
public:
    int drawCount = 0;
    void DrawItem(LPDRAWITEMSTRUCT) override {
        ++drawCount;
        CClientDC dc(this);
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(client, RGB(255, 0, 0));
        dc.FillSolidRect(CRect{0, 0, 4, 4}, RGB(0, 0, 255));
    }
};

}  // namespace

TEST_F(WindowTest, AnOwnerDrawnButtonPaintsThroughDrawItemIntoItsOwnImage) {
    PaintedButton button;
    ASSERT_TRUE(button.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect{300, 10, 360, 70},
                              view, kPlainButton));
    ProcessEvents();
    button.m_hWnd->repaint();
    EXPECT_GE(button.drawCount, 1);
    QImage* image = button.SurfaceImage();
    ASSERT_EQ(image->size(), QSize(60, 60));
    EXPECT_EQ(PixelAt(image, 30, 30), RGB(255, 0, 0));
    EXPECT_EQ(PixelAt(image, 1, 1), RGB(0, 0, 255));
    // What Qt shows of the button is the image.
    const QImage shown = button.m_hWnd->grab().toImage();
    EXPECT_EQ(shown.pixelColor(30, 30), QColor(255, 0, 0));

    // Called directly, as a full redraw does, it paints the same.
    image->fill(Qt::black);
    button.DrawItem(nullptr);
    EXPECT_EQ(PixelAt(image, 30, 30), RGB(255, 0, 0));

    view->log.clear();
    ClickWidget(button.m_hWnd);
    EXPECT_EQ(view->Commands(), (std::vector<std::string>{"plain clicked"}));

    // Guards against a double-click on a tile button laying two tiles: an owner-drawn
    // button reports the double-click as its own notification, which nobody handles here,
    // instead of clicking a second time.
    view->log.clear();
    DoubleClickWidget(button.m_hWnd);
    EXPECT_EQ(view->Commands(), (std::vector<std::string>{"plain clicked"}));
}

TEST_F(WindowTest, DestroyWindowRemovesTheButtonAndIsSafeTwice) {
    CButton button;
    ASSERT_TRUE(button.Create("Save", WS_CHILD | WS_VISIBLE, CRect{0, 0, 10, 10}, view, 7000));
    QPointer<QWidget> widget = button.m_hWnd;
    EXPECT_TRUE(button.DestroyWindow());
    EXPECT_EQ(button.m_hWnd, nullptr);
    EXPECT_TRUE(widget.isNull());
    EXPECT_FALSE(button.DestroyWindow());
    EXPECT_FALSE(button.Create("Save", 0, CRect{0, 0, 10, 10}, nullptr, 7000));
}

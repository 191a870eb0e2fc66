// The eight colour commands: what each repaints and leaves alone, Cancel, the stored
// values and the next run, the editor, and the picker's custom colours.

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QFile>
#include <QPushButton>
#include <QSettings>

#include <algorithm>

#include "render/render_ui_test_support.h"
#include "support/rolvan_fixture.h"

namespace {

constexpr COLORREF M = kMarker;      // not repainted
constexpr COLORREF N = CLR_INVALID;  // the command's new colour
constexpr int kButtons = 1 << 10;    // beside the square kinds: the three buttons' area

// Probed pixels: fill and outline of Empty, Home and Border; fill, outline and line of a
// CentreTile; the background; the resting ball over its Empty square and over the tile
// it came from; a corner of the ball's box outside the ellipse; the middle button's fill,
// frame and line.
const CPoint kProbes[] = {{348, 310}, {338, 310}, {163, 160}, {153, 160}, {200, 160}, {190, 160},
                          {306, 155}, {301, 155}, {319, 160}, {20, 300},  {82, 525},  {75, 525},
                          {72, 515},  {30, 30},   {0, 0},     {60, 30}};
constexpr int kViewProbes = 13;

struct ColourCommand {
    UINT id;
    COLORREF CRolvanView::*colour;
    const char* valueName;
    COLORREF chosen;
    const char* stored;
    int repainted;  // kinds of square repainted, or everything
    bool ball;      // the ball drawn again
    COLORREF expected[std::size(kProbes)];
};

// clang-format off
const ColourCommand kCommands[] = {
    {ID_COLOURS_WINDOWBACKGROUND, &CRolvanView::WindowBackgroundColour, "WindowBackgroundColour",
     RGB(250, 5, 7), "460282", kPaintedKinds | kButtons, true,
     {kGrid, kGridLine, kHome, kGridLine, N, kGridLine, kTile, kTileBorder, kTileLine, N,
      kBall, kBall, kTile, kTile, kTileBorder, kTileLine}},
    {ID_COLOURS_GRIDBACKGROUND, &CRolvanView::GridBackgroundColour, "GridBackgroundColour",
     RGB(0, 0, 255), "16711680", Empty, true,
     {N, kGridLine, M, M, M, M, M, M, M, M, kBall, kBall, M, M, M, M}},
    {ID_COLOURS_GRIDLINES, &CRolvanView::GridLineColour, "GridLineColour",
     RGB(250, 5, 7), "460282", Home | Border | Empty, true,
     {kGrid, N, kHome, N, kWindow, N, M, M, M, M, kBall, kBall, M, M, M, M}},
    {ID_COLOURS_TILEBACKGROUND, &CRolvanView::TileBackgroundColour, "TileBackgroundColour",
     RGB(250, 5, 7), "460282", kTileKinds, true,
     {M, M, M, M, M, M, N, kTileBorder, kTileLine, M, kBall, kBall, N, N, kTileBorder, kTileLine}},
    {ID_COLOURS_TILEBORDER, &CRolvanView::TileBorderColour, "TileBorderColour",
     RGB(250, 5, 7), "460282", kTileKinds, true,
     {M, M, M, M, M, M, kTile, N, kTileLine, M, kBall, kBall, kTile, kTile, N, kTileLine}},
    {ID_COLOURS_TILELINES, &CRolvanView::TileLineColour, "TileLineColour",
     RGB(250, 5, 7), "460282", kTileKinds, true,
     {M, M, M, M, M, M, kTile, kTileBorder, N, M, kBall, kBall, kTile, kTile, kTileBorder, N}},
    {ID_COLOURS_HOMESQUARE, &CRolvanView::HomeSquareColour, "HomeSquareColour",
     RGB(250, 5, 7), "460282", Home, false,
     {M, M, N, kGridLine, M, M, M, M, M, M, M, M, M, M, M, M}},
    {ID_COLOURS_BALLCOLOUR, &CRolvanView::BallColour, "BallColour",
     RGB(255, 0, 0), "255", 0, true,
     {M, M, M, M, M, M, M, M, M, M, N, N, M, M, M, M}},
};
// clang-format on

class ColourCommandsTest : public RolvanTest {
protected:
    // 800 x 600, squares of 37 x 50 from (42, 50); the new game brings the corner tile
    // and the ball resting on the left edge of the square beside it.
    void Start() {
        StartGame();
        UseDistinctColours(*view);
        const SquareKind row2[] = {Home, Border, LeftTile, RightTile, CentreTile};
        for (int i = 0; i < 5; ++i) {
            view->board.SquareAt(3 + i, 2)->kind = row2[i];
        }
        view->RedrawAll();
    }

    void Restart() {
        view = nullptr;
        app.reset();
        app = std::make_unique<CRolvanApp>();
        app->SetRegistryKey("quendel");
        StartGame();
    }

    CButton* Buttons(int i) {
        CButton* buttons[] = {view->leftButton.get(), view->centreButton.get(),
                              view->rightButton.get()};
        return buttons[i];
    }

    // Marks everything, runs the command, and checks that exactly the squares of the kinds
    // repainted and the ball's ellipse lost the mark (the view leaves the buttons' area to
    // the buttons).
    void RunAndCheckRepaint(const ColourCommand& c) {
        FillWindow(*view, kMarker);
        for (int i = 0; i < 3; ++i) {
            FillWindow(*Buttons(i), kMarker);
        }
        std::vector<bool> touched(800 * 600, (c.repainted & kButtons) != 0);
        auto touch = [&](const CRect& r, const CDC* mask) {
            for (int y = r.top; y < r.bottom; ++y) {
                for (int x = r.left; x < r.right; ++x) {
                    touched[y * 800 + x] = touched[y * 800 + x] || mask == nullptr ||
                                           mask->GetPixel(x - r.left, y - r.top) != 0;
                }
            }
        };
        for (int i = 0; i < 3; ++i) {
            touch(Buttons(i)->GetWindowRectInParent(), nullptr);
        }
        view->board.ForEachSquare([&](const Square& s) {
            if ((s.kind & c.repainted) != 0) {
                touch({s.x, s.y, s.x + s.width, s.y + s.height}, nullptr);
            }
        });
        if (c.ball) {
            touch({72, 515, 86, 535}, view->ballMaskDC.get());
        }
        Command(c.id);
        EXPECT_EQ(CountColour(*view, kMarker), std::count(touched.begin(), touched.end(), false));
    }
};

TEST_F(ColourCommandsTest, EachCommandRepaintsWhatUsesItsColourStoresItAndKeepsItForNextRun) {
    for (const ColourCommand& c : kCommands) {
        SCOPED_TRACE(c.valueName);
        answerColour = nullptr;
        coloursOffered.clear();
        Start();
        const COLORREF before = view->*c.colour;
        RunAndCheckRepaint({c.id, c.colour, c.valueName, 0, "", 0, false, {}});  // Cancel
        EXPECT_EQ(PixelOf(*view->centreButton, 30, 30), kMarker);
        EXPECT_EQ(view->*c.colour, before);
        EXPECT_EQ(StoredString(c.valueName), "<missing>");

        answerColour = [&](COLORREF) { return c.chosen; };
        RunAndCheckRepaint(c);
        EXPECT_EQ(coloursOffered, (std::vector<COLORREF>{before, before}));
        EXPECT_EQ(StoredString(c.valueName), c.stored);
        QApplication::processEvents();  // a new button paints itself when first shown
        for (int i = 0; i < static_cast<int>(std::size(kProbes)); ++i) {
            const CPoint p = kProbes[i];
            const COLORREF seen =
                i < kViewProbes ? PixelOf(*view, p.x, p.y) : PixelOf(*view->centreButton, p.x, p.y);
            EXPECT_EQ(seen, c.expected[i] == N ? c.chosen : c.expected[i]) << "probe " << i;
        }

        Restart();
        EXPECT_EQ(view->*c.colour, c.chosen);
        EXPECT_GT(CountColour(*view, c.chosen), 0);
        // The colour already set: repainted and stored all the same.
        UseDistinctColours(*view);
        StoreString(c.valueName, "0");
        answerColour = [](COLORREF initial) { return initial; };
        RunAndCheckRepaint(c);
        EXPECT_EQ(StoredString(c.valueName), std::to_string(view->*c.colour));
        TearDown();
        SetUp();
    }
}

TEST_F(ColourCommandsTest, GreyedInEveryMenuPlaceWhileEditing) {
    StartGame();
    for (const bool editing : {true, false}) {
        view->editing = editing;
        frame->UpdateMenuStates();
        int places = 0;
        for (QAction* action : frame->GetSafeHwnd()->findChildren<QAction*>()) {
            const UINT id = action->data().toUInt();
            if (id >= ID_COLOURS_WINDOWBACKGROUND && id <= ID_COLOURS_HOMESQUARE) {
                ++places;
                EXPECT_EQ(action->isEnabled(), !editing) << id;
            }
        }
        EXPECT_EQ(places, 11);  // 32776, 32777 and 32781 stand in two submenus
    }
}

// Custom colours: white at the start of every run whatever QtProject.conf holds, kept
// from one command to the next, and never written to that file, which stays absent when
// there was none and keeps its bytes, comments and all, when there was one.
TEST_F(ColourCommandsTest, TheRealPickerKeepsCustomColoursForTheRunOnly) {
    const QString shared = QSettings(QSettings::UserScope, "QtProject").fileName();
    QFile::remove(shared);
    auto sharedBytes = [&] {
        QFile file(shared);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
    };
    std::vector<QColor> firstCustom;
    QColor offered;
    auto pick = [&](UINT id, QColor add) {
        RunFromEventLoop(0, [&, add] {
            auto* picker = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(picker, nullptr);
            EXPECT_EQ(picker->parentWidget(), frame->GetSafeHwnd());
            offered = picker->currentColor();
            firstCustom.push_back(QColorDialog::customColor(0));
            EXPECT_EQ(QColorDialog::customColor(15), QColor(Qt::white));
            picker->setCurrentColor(add);
            for (QPushButton* button : picker->findChildren<QPushButton*>()) {
                if (button->text().contains("Custom")) {
                    button->click();
                }
            }
            picker->accept();
        });
        Command(id);
    };
    StartGame();
    UseRealModalUi();
    pick(ID_COLOURS_TILEBORDER, QColor(9, 8, 7));
    EXPECT_EQ(offered, QColor(0, 255, 0));
    EXPECT_EQ(view->TileBorderColour, RGB(9, 8, 7));
    EXPECT_EQ(sharedBytes(), "<none>");

    const QByteArray users = "; mine\n[Qt]\ncustomColors\\0 = 4278190335\n\n[FileDialog]\nx=1\n";
    QFile file(shared);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(users) == users.size());
    file.close();
    pick(ID_COLOURS_BALLCOLOUR, QColor(1, 1, 1));
    Restart();
    UseRealModalUi();
    pick(ID_COLOURS_HOMESQUARE, QColor(2, 2, 2));
    EXPECT_EQ(firstCustom, (std::vector<QColor>{Qt::white, QColor(9, 8, 7), Qt::white}));
    EXPECT_EQ(sharedBytes(), users);
}

}  // namespace

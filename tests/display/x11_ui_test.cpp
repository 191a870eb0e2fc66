// The game on a real X server with real key events: tests/display/xvfb.sh starts an Xvfb
// with a window manager and runs these tests on it. setxkbmap sets the server's layout and
// xdotool presses the keys, as a keyboard of that layout would.

#include <QApplication>
#include <QGuiApplication>
#include <QWidget>

#include <cstdlib>
#include <string>
#include <vector>

#include "display/display_test_support.h"
#include "support/rolvan_fixture.h"

namespace {

class OnX11 : public RolvanTest {
protected:
    void SetUp() override {
        RolvanTest::SetUp();
        if (QGuiApplication::platformName() != QLatin1String("xcb") ||
            std::system("command -v setxkbmap xdotool >/dev/null") != 0)
            GTEST_SKIP() << "needs an X server, setxkbmap and xdotool: run through "
                            "tests/display/xvfb.sh";
        StartGame();
        QWidget* client = view->GetSafeHwnd();
        client->activateWindow();
        ASSERT_TRUE(RunEventsUntil([client] { return client->hasFocus(); }, 30000))
            << "the view never got the keyboard focus";
    }

    // Presses the key that types `keysym` on the server's layout, with Shift where the
    // layout needs it. The server queues it for the focused window.
    void Type(const std::string& keysym) {
        ASSERT_EQ(std::system(("xdotool key " + keysym).c_str()), 0);
    }
};

// Each key that lays a tile, pressed after keys that must not: the tile shows on the
// ball's square once the last key has been handled, and nothing before it moved the ball.
TEST_F(OnX11, DigitRowAndKeypadLayTilesOnFrenchAndBelgianLayouts) {
    struct Press {
        std::vector<std::string> ignored;
        std::string key;
        int laid;
    };
    const std::vector<Press> presses = {
        {{"apostrophe", "a"}, "ampersand", LeftTile},  // the keys 4 and A (Q on US)
        {{"parenleft"}, "eacute", CentreTile},         // the key 5
        {{"z"}, "quotedbl", RightTile},
        {{}, "1", LeftTile},  // typed with Shift
        {{}, "2", CentreTile},
        {{"4"}, "3", RightTile},
        {{}, "KP_2", CentreTile},
    };
    for (const char* layout : {"fr", "be"}) {
        SCOPED_TRACE(layout);
        ASSERT_EQ(std::system((std::string("setxkbmap ") + layout).c_str()), 0);
        for (const Press& press : presses) {
            SCOPED_TRACE(press.key);
            Square& square = BallOnAnInnerSquare();
            for (const std::string& key : press.ignored)
                Type(key);
            Type(press.key);
            RunEventsUntil([&square] { return square.kind != Empty; }, 10000);
            EXPECT_EQ(square.kind, press.laid);
        }
    }
}

}  // namespace

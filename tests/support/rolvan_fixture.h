#pragma once

// The real program for a test: the application object, its frame and the view, started
// the way the program starts, on an empty settings store of the test's own. Every modal
// dialog and message box is answered by a script; the default script records message
// boxes and answers them with Cancel (OK for an OK box), and closes dialogs with Cancel.

#include <QtCore/qnamespace.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "shell/platform/seams.h"
#include "shell/rolvan_app.h"
#include "shell/rolvan_view.h"

class RolvanTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes a value to the "Settings" section before the game starts.
    void StoreInt(const char* name, int value);
    void StoreString(const char* name, const char* text);
    int StoredInt(const char* name, int defaultValue = -12345);
    std::string StoredString(const char* name, const char* defaultValue = "<missing>");

    // Runs the start-up sequence; the view exists afterwards. Fails the test if start-up
    // does not succeed. Unless keepBallSpeed, the ball then rolls without pauses (every
    // step is still drawn).
    void StartGame(int clientWidth = 800, int clientHeight = 600, bool keepBallSpeed = false);
    // Resizes the frame so that the view's client area is width x height.
    void SetClientSize(int width, int height);
    // Runs the update handlers of every menu; then MenuState reads an item's state.
    UINT MenuState(UINT id);
    // Sends a command the way a menu item does.
    void Command(UINT id);
    // Presses a key on the view: Qt key code, with the keypad flag if wanted.
    void PressKey(int qtKey, bool keypad = false);
    // Presses a key as X11 and Wayland deliver it: what the layout makes of it, the
    // modifiers held, and the XKB keycode of the key itself.
    void PressKey(int qtKey, Qt::KeyboardModifiers modifiers, unsigned keycode);
    // A fresh board, the human to move, and the ball on an inner square facing right:
    // whichever tile is laid there, the ball rolls on to an empty square and the game goes
    // on. Returns that square.
    Square& BallOnAnInnerSquare();
    // From here on the real dialogs and message boxes open; answer them from the event
    // loop (RunFromEventLoop).
    void UseRealModalWindows();

    // Message boxes shown so far, and how the script answers the next ones.
    std::vector<MessageBoxRequest> messageBoxes;
    std::function<int(const MessageBoxRequest&)> answerMessageBox;
    // How the script treats each dialog; the default presses Cancel. dialogsShown counts
    // the template IDs of the dialogs opened.
    std::function<void(CDialog&)> actOnDialog;
    std::vector<UINT> dialogsShown;
    // How the script answers the colour picker (nullopt: Cancel, the default), and the
    // initial colour of each picker opened.
    std::function<std::optional<COLORREF>(COLORREF)> answerColour;
    std::vector<COLORREF> coloursOffered;

    // From here on the real dialogs, message boxes and colour pickers open; the test
    // answers them from the event loop.
    void UseRealModalUi() { script_.reset(); }

    std::unique_ptr<CRolvanApp> app;
    CFrameWnd* frame = nullptr;
    CRolvanView* view = nullptr;

private:
    std::unique_ptr<ScopedModalScript> script_;
};

// The cells of a board as kinds, row by row, for comparing whole boards.
std::vector<int> BoardKinds(const Board& board);

#include "support/rolvan_fixture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QWidget>

#include "shell/stored_values.h"

void RolvanTest::SetUp() {
    // English unless a test says otherwise, whatever the machine's locale.
    SetSystemLocaleForTesting("en_US");
    app = std::make_unique<CRolvanApp>();
    app->SetRegistryKey("quendel");
    app->WriteProfileString(kSettingsSection, nullptr, nullptr);
    ModalScript script;
    script.messageBox = [this](const MessageBoxRequest& request) {
        messageBoxes.push_back(request);
        if (answerMessageBox) {
            return answerMessageBox(request);
        }
        return (request.buttons & MB_TYPEMASK) == MB_OK ? IDOK : IDCANCEL;
    };
    script.dialog = [this](CDialog& dialog) {
        dialogsShown.push_back(dialog.GetTemplateID());
        if (actOnDialog) {
            actOnDialog(dialog);
        } else {
            DialogUser(dialog).Click(IDCANCEL);
        }
    };
    script.colour = [this](COLORREF initial) -> std::optional<COLORREF> {
        coloursOffered.push_back(initial);
        return answerColour ? answerColour(initial) : std::nullopt;
    };
    script_ = std::make_unique<ScopedModalScript>(std::move(script));
}

void RolvanTest::TearDown() {
    view = nullptr;
    frame = nullptr;
    app.reset();
    script_.reset();
    SetSystemLocaleForTesting(nullptr);
    SetKeyPlatformForTesting(nullptr);
    AfxSetPlatformLanguage(LANG_ENGLISH);
}

void RolvanTest::UseRealModalWindows() {
    script_.reset();
}

void RolvanTest::StoreInt(const char* name, int value) {
    app->WriteProfileInt(kSettingsSection, name, value);
}

void RolvanTest::StoreString(const char* name, const char* text) {
    app->WriteProfileString(kSettingsSection, name, text);
}

int RolvanTest::StoredInt(const char* name, int defaultValue) {
    return static_cast<int>(app->GetProfileInt(kSettingsSection, name, defaultValue));
}

std::string RolvanTest::StoredString(const char* name, const char* defaultValue) {
    return app->GetProfileString(kSettingsSection, name, defaultValue).str();
}

void RolvanTest::StartGame(int clientWidth, int clientHeight, bool keepBallSpeed) {
    ASSERT_TRUE(app->InitInstance());
    frame = dynamic_cast<CFrameWnd*>(app->m_pMainWnd);
    ASSERT_NE(frame, nullptr);
    view = dynamic_cast<CRolvanView*>(frame->GetActiveView());
    ASSERT_NE(view, nullptr);
    if (!keepBallSpeed) {
        view->ballDelay = 0;
    }
    SetClientSize(clientWidth, clientHeight);
}

void RolvanTest::SetClientSize(int width, int height) {
    QWidget* window = frame->GetSafeHwnd();
    QWidget* client = view->GetSafeHwnd();
    for (int attempt = 0; attempt < 3; ++attempt) {
        const QSize extra = window->size() - client->size();
        window->resize(width + extra.width(), height + extra.height());
        QApplication::processEvents();
        if (client->size() == QSize(width, height)) {
            break;
        }
    }
    ASSERT_EQ(client->width(), width);
    ASSERT_EQ(client->height(), height);
    QApplication::processEvents();
}

UINT RolvanTest::MenuState(UINT id) {
    frame->UpdateMenuStates();
    return frame->GetMenu()->GetMenuState(id, MF_BYCOMMAND);
}

void RolvanTest::Command(UINT id) {
    frame->ExecuteMenuCommand(id);
}

void RolvanTest::PressKey(int qtKey, bool keypad) {
    QKeyEvent press(QEvent::KeyPress, qtKey, keypad ? Qt::KeypadModifier : Qt::NoModifier);
    QApplication::sendEvent(view->GetSafeHwnd(), &press);
    QKeyEvent release(QEvent::KeyRelease, qtKey, keypad ? Qt::KeypadModifier : Qt::NoModifier);
    QApplication::sendEvent(view->GetSafeHwnd(), &release);
}

void RolvanTest::PressKey(int qtKey, Qt::KeyboardModifiers modifiers, unsigned keycode) {
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent event(type, qtKey, modifiers, keycode, 0, 0);
        QApplication::sendEvent(view->GetSafeHwnd(), &event);
    }
}

Square& RolvanTest::BallOnAnInnerSquare() {
    view->humanStarts = true;
    view->NewGame(false);
    Square& square = *view->board.SquareAt(5, 5);
    view->ball.currentSquare = &square;
    view->ball.direction = Direction::Right;
    return square;
}

std::vector<int> BoardKinds(const Board& board) {
    std::vector<int> kinds;
    board.ForEachSquare([&](const Square& s) { kinds.push_back(s.kind); });
    return kinds;
}

#pragma once

// The test seam of the framework layer. Every modal dialog, message box and colour
// picker of the program goes through it: without a script the real Qt dialogs run; a
// test installs a ModalScript to answer them as a user would. The settings store and the
// system locale can be pointed elsewhere for a test as well.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "shell/platform/windef.h"

class CDialog;
class CWnd;
class QAccessibleEvent;
class QWidget;

struct MessageBoxRequest {
    std::string text;
    std::string caption;
    UINT buttons = MB_OK;  // MB_OK, MB_OKCANCEL, MB_YESNO or MB_YESNOCANCEL
    // The icon shown: MB_ICONEXCLAMATION, MB_ICONQUESTION, ...; a box asked for without
    // an icon shows MB_ICONEXCLAMATION, as the classic framework does.
    UINT icon = 0;
    bool hasOwner = false;
};

struct ModalScript {
    // The answer to each message box: IDOK, IDCANCEL, IDYES or IDNO.
    std::function<int(const MessageBoxRequest&)> messageBox;
    // Each dialog, shown, after OnInitDialog. Act on it through DialogUser; the dialog
    // ends with whatever the actions made it end with. If it is still open when the
    // script returns, it is closed as by its close box.
    std::function<void(CDialog&)> dialog;
    // The colour picker, given its initial colour: the chosen colour (OK) or nullopt
    // (Cancel).
    std::function<std::optional<COLORREF>(COLORREF initial)> colour;
};

// Installs a script for as long as the object lives; the previous state comes back
// after. A kind of modal UI that the script leaves empty ends as Escape would end it, so a
// test never waits on a dialog nobody answers.
class ScopedModalScript {
public:
    explicit ScopedModalScript(ModalScript script);
    ~ScopedModalScript();
    ScopedModalScript(const ScopedModalScript&) = delete;
    ScopedModalScript& operator=(const ScopedModalScript&) = delete;

private:
    ModalScript* m_previous;
    ModalScript m_script;
};

// Acts on an open dialog through its widgets, the way a user would: clicks reach the
// buttons as mouse events, text goes through the edit's input rules, Enter presses the
// default button and validation runs as usual.
class DialogUser {
public:
    explicit DialogUser(CDialog& dialog) : m_dialog(dialog) {}

    void Click(int nID);
    // Press, release, the double-click press, release: one click, then the double-click.
    void DoubleClick(int nID);
    // Replaces an edit's text as typing it would; characters the edit refuses are dropped.
    void Type(int nID, const char* text);
    // Moves a slider as the keyboard would, to nPos.
    void MoveSlider(int nID, int nPos);
    // Presses a key (VK_HOME, VK_END, VK_PRIOR, VK_NEXT, VK_LEFT, VK_RIGHT, VK_UP,
    // VK_DOWN) on a control, as the user would with the control focused.
    void PressKey(int nID, UINT virtualKey);
    void PressEnter();
    void PressEscape();
    void CloseBox();

    bool IsOpen() const;
    std::string Title() const;
    std::string Text(int nID) const;
    int SliderPos(int nID) const;
    bool IsDefaultButton(int nID) const;
    // Pixel geometry: the client size and a control's rectangle in client coordinates.
    CSize ClientSize() const;
    CRect ControlRect(int nID) const;

private:
    CDialog& m_dialog;
};

// Points the settings store at an INI file (null: back to the user's own store).
void SetProfileFileForTesting(const char* path);
// The steps of a write of the settings store, in their order, each of which can fail: the
// new file's bytes, its flush to the disk, its rename over the old file, and the flush of
// the folder that holds it.
enum class StoreStep { None, Write, SyncFile, Rename, SyncFolder };
// Makes the next run of step fail as the system would report it (None: no step fails).
void FailStoreStepForTesting(StoreStep step);
// Pretends the system locale is the one named, as "de_CH" or "en_US" (null: the real one).
void SetSystemLocaleForTesting(const char* name);
// Calls watcher with every accessible name or description set on a window through
// SetAccessibleName and SetAccessibleDescription, as it is set (null: no more).
void WatchNameAndDescriptionChangesForTesting(
    std::function<void(CWnd* window, const std::string& text)> watcher);
// Calls watcher with the text of every notice a window says to assistive technology, as it
// is said, before it waits for the program to be free (null: no more).
void WatchNoticeTextsForTesting(std::function<void(CWnd* window, const std::string& text)> watcher);
// How many cells of the window's grid the table read by assistive technology has made.
std::size_t MadeAccessibleCellsForTesting(CWnd* window);
// Sends the accessibility events of the program's own accessible objects (the board's table
// and its cells, the notices) to listener instead of Qt, as if a screen reader listened
// (null: to Qt again, which passes them on only while one does).
void WatchGridAndNoticeEventsForTesting(std::function<void(QAccessibleEvent*)> listener);
// Reads keys as the named platform delivers them, as "xcb" or "linuxfb" (null: the
// platform the program runs on).
void SetKeyPlatformForTesting(const char* platform);
// Makes the backing store of window let go of the buffers it holds free, as after a change
// of scale on Wayland, where it runs by itself.
void DropBackingStoreBuffersForTesting(QWidget* window);
// Looks for Qt's translations in folder (null: Qt's own place).
void SetTranslationsFolderForTesting(const char* folder);

// What a modal window shows: its title, the texts of its buttons and labels in order,
// whether a label shows a picture (an icon), and whether its frame asks the window manager
// for the close box alone, without minimise and maximise buttons.
struct ModalWindowLook {
    bool open = false;
    std::string title;
    std::vector<std::string> buttons;
    std::vector<std::string> labels;
    bool showsIcon = false;
    bool closeBoxOnly = false;
};
// The dialog's window, or with a null dialog the real modal window that is open.
ModalWindowLook LookAtModalWindow(CDialog* dialog = nullptr);

// For tests that drive the real dialogs: runs action from the event loop after delayMs,
// that is, inside the modal loop that opens meanwhile.
void RunFromEventLoop(int delayMs, std::function<void()> action);
// Answers the real message box that is open by clicking the button of answer (IDOK,
// IDCANCEL, IDYES, IDNO), after storing its text. FALSE when none is open.
BOOL AnswerOpenMessageBox(int answer, std::string* text = nullptr);
// The dialog whose real modal loop is running, or null.
CDialog* OpenDialog();
// Answers the real colour picker that is open: OK with colour, or Cancel for nullopt.
BOOL AnswerOpenColorDialog(std::optional<COLORREF> colour, COLORREF* initial = nullptr);

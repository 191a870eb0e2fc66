#pragma once

// A random user of the whole program: menu commands through the menu bar, keys, clicks on
// the buttons and anywhere in the view, resizes down to nothing, Exit and a new start,
// and every dialog, message box and colour picker answered at random through the modal
// seam. After every step it checks what must always hold. Everything follows from the
// seed, the computer's draws included, so a failing seed replays the failure.

#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <string>

#include "shell/platform/seams.h"
#include "shell/rolvan_app.h"
#include "shell/rolvan_view.h"

class Monkey {
public:
    enum class Play {
        Everything,
        // Moves by key, button and menu, with a level change now and then.
        Moves,
        // Level, speed, the colours of one half and the layout, every change accepted.
        Settings,
    };

    Monkey(std::uint64_t seed, Play play);
    ~Monkey();
    Monkey(const Monkey&) = delete;
    Monkey& operator=(const Monkey&) = delete;

    // Starts the program on the store as it stands, in English or German. Empty when the
    // start and the checks went well, else what went wrong.
    std::string Start();
    // Ends the program as Exit does.
    void Quit();
    // One random action, the events it queued, then the checks.
    std::string Step();
    // The checks alone.
    std::string Check();
    // Plays moves until a game ends (at most maxMoves of them).
    std::string PlayGame(int maxMoves);
    // Enters the editor, resets the board and saves it.
    std::string SaveLayout();
    // One menu command as a step, then the checks.
    std::string Run(unsigned id);
    // Runs one menu command as the menu bar delivers it; false when it is disabled.
    bool Command(unsigned id);

    std::unique_ptr<CRolvanApp> app;
    CFrameWnd* frame = nullptr;
    CRolvanView* view = nullptr;

    // Whether the store holds only what this program wrote, so that the stored layout
    // must match the board. A foreign store is checked for the settings alone. A store
    // that another program changes under this one's feet, or that takes no write, is not
    // checked at all.
    enum class Store { Own, Foreign, Unchecked } store = Store::Own;
    // Play::Settings: which half of the colours this monkey changes (0 or 1).
    int colourHalf = 0;
    // Each value the program stores, by name ("Home" and "Border" for layout entries).
    std::function<void(const std::string& name, const std::string& text)> wrote;

    long steps = 0;
    long games = 0;
    std::string lastAction;
    std::vector<MessageBoxRequest> messageBoxes;

private:
    void Begin();
    // The events the step queued, a new start after Exit, then the checks.
    std::string Finish(bool startAgain);
    int Below(int n) { return static_cast<int>(m_random() % static_cast<unsigned>(n)); }
    void Act();
    void Move();
    // A move command is about to reach the view: the human moves if the game lets them.
    void NoteMove(unsigned id);
    void Click(bool onButton);
    void AnswerDialog(CDialog& dialog);
    // Ends a dialog as a user might: Cancel, the close box, Escape, Enter, or OK with
    // okWeight times the chance of each of the others.
    void EndDialog(DialogUser& user, int okWeight);
    void AnswerScores(CDialog& dialog);
    int AnswerMessageBox(const MessageBoxRequest& request);
    int TileSquares() const;
    void Fail(const std::string& what);
    void LogWrites(unsigned command);
    std::string CheckStoredLayout();

    std::mt19937_64 m_random;
    Play m_play;
    std::unique_ptr<ScopedModalScript> m_script;
    std::string m_failures;
    // The scores the rules allow, and what the step knows of the moves made in it.
    int m_computer = 0;
    int m_human = 0;
    unsigned m_command = 0;
    bool m_humanMove = false;
    int m_tilesBefore = 0;
    int m_gameEnds = 0;
    // The speed the view was given; it rolls at full speed in the run all the same.
    int m_speed = 0;
    bool m_speedAccepted = false;
};

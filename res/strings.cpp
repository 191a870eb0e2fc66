// The string table. German strings have the English ID plus 1000; the layout storage
// messages 61204 to 61208 are deliberately absent, so they fall back to English.

#include "res/resource.h"
#include "res/resource_tables.h"

namespace {

struct StringEntry {
    unsigned id;
    const char* text;
};

constexpr StringEntry kStrings[] = {
    {IDR_MAINFRAME, "rolvan\n\nRolvan\n\n\nRolvan.Document\nRolvan Document"},
    {AFX_IDS_APP_TITLE, "Rolvan"},
    {IDS_SAVE_BUTTON, "Save"},
    {IDS_RESET_BUTTON, "Reset"},
    {IDS_CANCEL_BUTTON, "Cancel"},
    {IDS_RESET_SCORES_QUESTION, "Do you really want to set the scores to zero ?"},
    {IDS_ABANDON_CHANGES_QUESTION, "Do you really want to abandon the changes ?"},
    {IDS_PROTECTED_SQUARE, "You can't change this square"},
    {IDS_PROTECTED_SQUARE_CAPTION, "Don't be silly"},
    {IDS_BOARD_NAME, "Board"},
    {IDS_BOARD_STATE, "Ball on column %1, row %2, moving %3. Your score %4, computer score %5."},
    {IDS_BOARD_BALL_GONE, "The ball has left the board. Your score %1, computer score %2."},
    {IDS_BOARD_EDITING,
     "Editing the board: the left mouse button marks a Border square, the right one a Home "
     "square."},
    {IDS_MOVING_UP, "up"},
    {IDS_MOVING_RIGHT, "right"},
    {IDS_MOVING_DOWN, "down"},
    {IDS_MOVING_LEFT, "left"},
    {IDS_LEFT_TILE_DESCRIPTION,
     "Lays the tile whose arcs join the left side to the top side and the right side to the "
     "bottom side."},
    {IDS_CENTRE_TILE_DESCRIPTION, "Lays the tile with the straight cross: the ball keeps its way."},
    {IDS_RIGHT_TILE_DESCRIPTION,
     "Lays the tile whose arcs join the top side to the right side and the bottom side to the "
     "left side."},
    {IDS_SQUARE_NAME, "%3, column %1, row %2%4."},
    {IDS_SQUARE_BALL, ", ball moving %1"},
    {IDS_SQUARE_EMPTY, "Empty"},
    {IDS_SQUARE_HOME, "Home"},
    {IDS_SQUARE_BORDER, "Border"},
    {IDS_SQUARE_LEFT_TILE, "Arcs left-top, right-bottom"},
    {IDS_SQUARE_CENTRE_TILE, "Cross"},
    {IDS_SQUARE_RIGHT_TILE, "Arcs top-right, bottom-left"},
    {IDS_HUMAN_LAID, "You laid %1."},
    {IDS_COMPUTER_LAID, "The computer laid %1."},
    {IDS_LEFT_TILE_LAID, "the arcs left-top, right-bottom"},
    {IDS_CENTRE_TILE_LAID, "the cross"},
    {IDS_RIGHT_TILE_LAID, "the arcs top-right, bottom-left"},
    {IDS_BALL_STOPS, "Ball on column %1, row %2, moving %3."},
    {IDS_BALL_HOME, "The ball reaches the Home square on column %1, row %2."},
    {IDS_BALL_BORDER, "The ball runs onto the Border square on column %1, row %2."},
    {IDS_BALL_LEAVES, "The ball leaves the board."},
    {IDS_HUMAN_SCORES, "Your point: your score %1, computer score %2."},
    {IDS_COMPUTER_SCORES, "The computer's point: your score %1, computer score %2."},
    {IDS_YOUR_MOVE, "Your move."},
    {IDS_COMPUTERS_MOVE, "The computer's move."},
    {IDS_NEW_GAME, "New game."},
    {IDS_COMPUTER_OPENS, "New game: the computer opens."},
    {IDS_SAVE_BUTTON + LANGUAGE_OFFSET_GERMAN, "Speichern"},
    {IDS_RESET_BUTTON + LANGUAGE_OFFSET_GERMAN, "Löschen"},
    {IDS_CANCEL_BUTTON + LANGUAGE_OFFSET_GERMAN, "Abbruch"},
    {IDS_RESET_SCORES_QUESTION + LANGUAGE_OFFSET_GERMAN,
     "Wollen Sie wirklich die Punkte löschen ?"},
    {IDS_ABANDON_CHANGES_QUESTION + LANGUAGE_OFFSET_GERMAN, "Wollen Sie wirklich abbrechen ?"},
    {IDS_PROTECTED_SQUARE + LANGUAGE_OFFSET_GERMAN, "Dieses Quadrat ist nicht ändbar."},
    {IDS_PROTECTED_SQUARE_CAPTION + LANGUAGE_OFFSET_GERMAN, "Keine gute Idee"},
    {IDS_BOARD_NAME + LANGUAGE_OFFSET_GERMAN, "Spielbrett"},
    {IDS_BOARD_STATE + LANGUAGE_OFFSET_GERMAN,
     "Ball auf Spalte %1, Zeile %2, rollt nach %3. Eigene Punkte %4, Computer Punkte %5."},
    {IDS_BOARD_BALL_GONE + LANGUAGE_OFFSET_GERMAN,
     "Der Ball hat das Brett verlassen. Eigene Punkte %1, Computer Punkte %2."},
    {IDS_BOARD_EDITING + LANGUAGE_OFFSET_GERMAN,
     "Das Brett wird bearbeitet: die linke Maustaste setzt ein Randquadrat, die rechte ein "
     "Zielquadrat."},
    {IDS_MOVING_UP + LANGUAGE_OFFSET_GERMAN, "oben"},
    {IDS_MOVING_RIGHT + LANGUAGE_OFFSET_GERMAN, "rechts"},
    {IDS_MOVING_DOWN + LANGUAGE_OFFSET_GERMAN, "unten"},
    {IDS_MOVING_LEFT + LANGUAGE_OFFSET_GERMAN, "links"},
    {IDS_LEFT_TILE_DESCRIPTION + LANGUAGE_OFFSET_GERMAN,
     "Legt das Quadrat, dessen Bögen die linke mit der oberen und die rechte mit der unteren "
     "Seite verbinden."},
    {IDS_CENTRE_TILE_DESCRIPTION + LANGUAGE_OFFSET_GERMAN,
     "Legt das Quadrat mit dem geraden Kreuz: der Ball behält seine Richtung."},
    {IDS_RIGHT_TILE_DESCRIPTION + LANGUAGE_OFFSET_GERMAN,
     "Legt das Quadrat, dessen Bögen die obere mit der rechten und die untere mit der linken "
     "Seite verbinden."},
    {IDS_SQUARE_NAME + LANGUAGE_OFFSET_GERMAN, "%3, Spalte %1, Zeile %2%4."},
    {IDS_SQUARE_BALL + LANGUAGE_OFFSET_GERMAN, ", Ball rollt nach %1"},
    {IDS_SQUARE_EMPTY + LANGUAGE_OFFSET_GERMAN, "Leer"},
    {IDS_SQUARE_HOME + LANGUAGE_OFFSET_GERMAN, "Ziel"},
    {IDS_SQUARE_BORDER + LANGUAGE_OFFSET_GERMAN, "Rand"},
    {IDS_SQUARE_LEFT_TILE + LANGUAGE_OFFSET_GERMAN, "Bögen links-oben, rechts-unten"},
    {IDS_SQUARE_CENTRE_TILE + LANGUAGE_OFFSET_GERMAN, "Kreuz"},
    {IDS_SQUARE_RIGHT_TILE + LANGUAGE_OFFSET_GERMAN, "Bögen oben-rechts, unten-links"},
    {IDS_HUMAN_LAID + LANGUAGE_OFFSET_GERMAN, "Sie legen %1."},
    {IDS_COMPUTER_LAID + LANGUAGE_OFFSET_GERMAN, "Der Computer legt %1."},
    {IDS_LEFT_TILE_LAID + LANGUAGE_OFFSET_GERMAN, "die Bögen links-oben, rechts-unten"},
    {IDS_CENTRE_TILE_LAID + LANGUAGE_OFFSET_GERMAN, "das Kreuz"},
    {IDS_RIGHT_TILE_LAID + LANGUAGE_OFFSET_GERMAN, "die Bögen oben-rechts, unten-links"},
    {IDS_BALL_STOPS + LANGUAGE_OFFSET_GERMAN, "Ball auf Spalte %1, Zeile %2, rollt nach %3."},
    {IDS_BALL_HOME + LANGUAGE_OFFSET_GERMAN, "Der Ball erreicht das Ziel auf Spalte %1, Zeile %2."},
    {IDS_BALL_BORDER + LANGUAGE_OFFSET_GERMAN,
     "Der Ball läuft auf den Rand auf Spalte %1, Zeile %2."},
    {IDS_BALL_LEAVES + LANGUAGE_OFFSET_GERMAN, "Der Ball verlässt das Brett."},
    {IDS_HUMAN_SCORES + LANGUAGE_OFFSET_GERMAN,
     "Punkt für Sie: Eigene Punkte %1, Computer Punkte %2."},
    {IDS_COMPUTER_SCORES + LANGUAGE_OFFSET_GERMAN,
     "Punkt für den Computer: Eigene Punkte %1, Computer Punkte %2."},
    {IDS_YOUR_MOVE + LANGUAGE_OFFSET_GERMAN, "Sie sind am Zug."},
    {IDS_COMPUTERS_MOVE + LANGUAGE_OFFSET_GERMAN, "Der Computer ist am Zug."},
    {IDS_NEW_GAME + LANGUAGE_OFFSET_GERMAN, "Neues Spiel."},
    {IDS_COMPUTER_OPENS + LANGUAGE_OFFSET_GERMAN, "Neues Spiel: der Computer eröffnet."},
};

}  // namespace

const char* FindStringResource(unsigned id) {
    for (const StringEntry& entry : kStrings) {
        if (entry.id == id)
            return entry.text;
    }
    return nullptr;
}

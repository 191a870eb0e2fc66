// The menu bars, English (128) and German (1128): the same tree with the same command IDs,
// only the texts differ.

#include <iterator>

#include "res/resource.h"
#include "res/resource_tables.h"

namespace {

constexpr MenuEntry Popup(const char* text) {
    return {MenuEntryKind::Popup, 0, text};
}
constexpr MenuEntry Item(unsigned id, const char* text) {
    return {MenuEntryKind::Item, id, text};
}
constexpr MenuEntry Separator() {
    return {MenuEntryKind::Separator, 0, nullptr};
}
constexpr MenuEntry End() {
    return {MenuEntryKind::EndPopup, 0, nullptr};
}

// The indentation shows the tree.
// clang-format off
constexpr MenuEntry kEnglishMenu[] = {
    Popup("&File"),
        Item(ID_FILE_SHOWSCORES, "&Show Scores"),
        Item(ID_FILE_RESETSCORES, "&Reset Scores"),
        Separator(),
        Item(ID_APP_EXIT, "E&xit"),
    End(),
    Popup("&Edit"),
        Item(ID_EDIT_EDITGRID, "&Edit Grid"),
        Separator(),
        Item(ID_EDIT_SAVEGRID, "&Save Grid"),
        Item(ID_EDIT_RESETGRID, "&Reset Grid"),
        Item(ID_EDIT_CANCEL, "&Cancel"),
    End(),
    Popup("&Moves"),
        Item(ID_MOVES_TOPSQUARE, "&Top Square"),
        Item(ID_MOVES_MIDDLESQUARE, "&Middle Square"),
        Item(ID_MOVES_BOTTOMSQUARE, "&Bottom Square"),
    End(),
    Popup("&Settings"),
        Popup("&Level"),
            Item(ID_LEVEL_ONE, "&One"),
            Item(ID_LEVEL_TWO, "&Two"),
            Item(ID_LEVEL_THREE, "Th&ree"),
            Item(ID_LEVEL_FOUR, "&Four"),
        End(),
        Popup("&Colours"),
            Item(ID_COLOURS_WINDOWBACKGROUND, "&Window Background"),
            Separator(),
            Item(ID_COLOURS_GRIDBACKGROUND, "&Grid Backgound"),
            Item(ID_COLOURS_GRIDLINES, "G&rid Lines"),
            Separator(),
            Item(ID_COLOURS_TILEBACKGROUND, "&Tile Backgound"),
            Item(ID_COLOURS_TILEBORDER, "Tile &Border"),
            Item(ID_COLOURS_TILELINES, "Tile &Lines"),
            Separator(),
            Item(ID_COLOURS_HOMESQUARE, "&Home Square"),
            Separator(),
            Item(ID_COLOURS_BALLCOLOUR, "&Ball Colour"),
        End(),
        Popup("&Ball"),
            Item(ID_BALL_SPEED, "&Ball Speed"),
            Item(ID_COLOURS_BALLCOLOUR, "&Ball Colour"),
        End(),
        Popup("&Grid"),
            Item(ID_GRID_SIZE, "&Size"),
            Item(ID_COLOURS_GRIDBACKGROUND, "&Backgound Colour"),
            Item(ID_COLOURS_GRIDLINES, "&Lines Colour"),
        End(),
    End(),
    Popup("&Language"),
        Item(ID_LANGUAGE_ENGLISH, "&English"),
        Item(ID_LANGUAGE_DEUTSCH, "&Deutsch"),
    End(),
    Popup("&Help"),
        Item(ID_APP_ABOUT, "&About rolvan..."),
    End(),
};

constexpr MenuEntry kGermanMenu[] = {
    Popup("&Datei"),
        Item(ID_FILE_SHOWSCORES, "&Stand zeigen"),
        Item(ID_FILE_RESETSCORES, "&Punkte löschen"),
        Separator(),
        Item(ID_APP_EXIT, "&Beenden"),
    End(),
    Popup("&Bearbeiten"),
        Item(ID_EDIT_EDITGRID, "Gitten &editieren"),
        Separator(),
        Item(ID_EDIT_SAVEGRID, "Gitter &speichern"),
        Item(ID_EDIT_RESETGRID, "Gitter &"),
        Item(ID_EDIT_CANCEL, "&Abbruch"),
    End(),
    Popup("&Zug"),
        Item(ID_MOVES_TOPSQUARE, "&Oberes Quadrat"),
        Item(ID_MOVES_MIDDLESQUARE, "&Mittleres Quadrat"),
        Item(ID_MOVES_BOTTOMSQUARE, "&Unterstes Quadrat"),
    End(),
    Popup("&Einstellungen"),
        Popup("&Schwierigkeitsgrad"),
            Item(ID_LEVEL_ONE, "&Eins"),
            Item(ID_LEVEL_TWO, "&Zwei"),
            Item(ID_LEVEL_THREE, "&Drei"),
            Item(ID_LEVEL_FOUR, "&Vier"),
        End(),
        Popup("&Farben"),
            Item(ID_COLOURS_WINDOWBACKGROUND, "&Fensterhintergrund"),
            Separator(),
            Item(ID_COLOURS_GRIDBACKGROUND, "&Gitterhintergrund"),
            Item(ID_COLOURS_GRIDLINES, "G&itterlinien"),
            Separator(),
            Item(ID_COLOURS_TILEBACKGROUND, "&Quadrathintergrund"),
            Item(ID_COLOURS_TILEBORDER, "Q&uadratrand"),
            Item(ID_COLOURS_TILELINES, "Qu&adratlinie"),
            Separator(),
            Item(ID_COLOURS_HOMESQUARE, "&Zielquadrat"),
            Separator(),
            Item(ID_COLOURS_BALLCOLOUR, "&Ballfarbe"),
        End(),
        Popup("&Ball"),
            Item(ID_BALL_SPEED, "&Geschwindigkeit"),
            Item(ID_COLOURS_BALLCOLOUR, "&Farbe"),
        End(),
        Popup("&Gitter"),
            Item(ID_GRID_SIZE, "&Größe"),
            Item(ID_COLOURS_GRIDBACKGROUND, "&Hintergrundfarbe"),
            Item(ID_COLOURS_GRIDLINES, "&Linienfarbe"),
        End(),
    End(),
    Popup("&Sprache"),
        Item(ID_LANGUAGE_ENGLISH, "&English"),
        Item(ID_LANGUAGE_DEUTSCH, "&Deutsch"),
    End(),
    Popup("&Hilfe"),
        Item(ID_APP_ABOUT, "&Über Rolvan..."),
    End(),
};

// clang-format on

constexpr MenuTemplate kMenus[] = {
    {IDR_MAINFRAME, kEnglishMenu, static_cast<int>(std::size(kEnglishMenu))},
    {IDR_MAINFRAME_GERMAN, kGermanMenu, static_cast<int>(std::size(kGermanMenu))},
};

}  // namespace

const MenuTemplate* FindMenuTemplate(unsigned id) {
    for (const MenuTemplate& menu : kMenus) {
        if (menu.id == id)
            return &menu;
    }
    return nullptr;
}

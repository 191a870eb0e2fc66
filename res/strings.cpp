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
    {IDS_SAVE_BUTTON + LANGUAGE_OFFSET_GERMAN, "Speichern"},
    {IDS_RESET_BUTTON + LANGUAGE_OFFSET_GERMAN, "Löschen"},
    {IDS_CANCEL_BUTTON + LANGUAGE_OFFSET_GERMAN, "Abbruch"},
    {IDS_RESET_SCORES_QUESTION + LANGUAGE_OFFSET_GERMAN,
     "Wollen Sie wirklich die Punkte löschen ?"},
    {IDS_ABANDON_CHANGES_QUESTION + LANGUAGE_OFFSET_GERMAN, "Wollen Sie wirklich abbrechen ?"},
    {IDS_PROTECTED_SQUARE + LANGUAGE_OFFSET_GERMAN, "Dieses Quadrat ist nicht ändbar."},
    {IDS_PROTECTED_SQUARE_CAPTION + LANGUAGE_OFFSET_GERMAN, "Keine gute Idee"},
};

}  // namespace

const char* FindStringResource(unsigned id) {
    for (const StringEntry& entry : kStrings) {
        if (entry.id == id)
            return entry.text;
    }
    return nullptr;
}

#pragma once

// The program's resources as data: menus, dialog templates and the string table. The
// framework layer builds its menus and dialogs from these tables; the icon is a picture
// of its own (res/icons/).

#include "shell/platform/windef.h"

// A menu is a flat list read like a resource script: Popup opens a submenu that runs to
// its EndPopup; Item and Separator stand in the innermost open popup.
enum class MenuEntryKind { Popup, Item, Separator, EndPopup };

struct MenuEntry {
    MenuEntryKind kind;
    unsigned id;
    const char* text;
};

struct MenuTemplate {
    unsigned id;
    const MenuEntry* entries;
    int count;
};

enum class ControlKind { PushButton, DefPushButton, Static, Edit, Slider, Icon };

// Position and size in dialog units. For an Icon control, text is unused and iconId names
// the icon.
struct ControlTemplate {
    ControlKind kind;
    int id;
    const char* text;
    int x, y, cx, cy;
    DWORD style;
    unsigned iconId;
};

struct DialogTemplate {
    unsigned id;
    const char* title;
    const char* fontName;
    int pointSize;
    int cx, cy;
    DWORD style;
    const ControlTemplate* controls;
    int count;
};

// Null when the resource does not exist. Texts are UTF-8.
const MenuTemplate* FindMenuTemplate(unsigned id);
const DialogTemplate* FindDialogTemplate(unsigned id);
const char* FindStringResource(unsigned id);

// The resources as the program sees them: the two menu bars with every ID and text, the
// dialog templates, the string table and the icon.

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "res/resource.h"
#include "res/resource_tables.h"
#include "shell/platform/cstring.h"
#include "shell/platform/menu.h"
#include "shell/platform/widgets_qt.h"

namespace {

// The menu as text: a popup is "title[items]", an item "id text", a separator "-".
std::string Describe(CMenu& menu, bool withTexts) {
    std::string text;
    for (int i = 0; i < menu.GetMenuItemCount(); ++i) {
        if (i > 0)
            text += withTexts ? " | " : " ";
        CString itemText;
        menu.GetMenuString(static_cast<UINT>(i), itemText, MF_BYPOSITION);
        const UINT id = menu.GetMenuItemID(i);
        if (id == static_cast<UINT>(-1)) {
            text += (withTexts ? itemText.str() : std::string("popup")) + "[" +
                    Describe(*menu.GetSubMenu(i), withTexts) + "]";
        } else if (id == 0) {
            text += "-";
        } else {
            text += std::to_string(id);
            if (withTexts)
                text += " " + itemText.str();
        }
    }
    return text;
}

std::string Describe(UINT menuId, bool withTexts) {
    CMenu menu;
    if (!menu.LoadMenu(menuId))
        return "missing";
    return Describe(menu, withTexts);
}

}  // namespace

TEST(MenuResourcesTest, BothMenuBarsHaveTheSameTreeOfCommandIds) {
    const std::string tree =
        "popup[32788 32789 - 57665] "
        "popup[32793 - 32796 32798 32797] "
        "popup[32772 32773 32774] "
        "popup[popup[32783 32784 32785 32786] "
        "popup[32775 - 32776 32777 - 32778 32779 32780 - 32782 - 32781] "
        "popup[32792 32781] popup[32804 32776 32777]] "
        "popup[32800 32801] "
        "popup[57664]";
    EXPECT_EQ(Describe(IDR_MAINFRAME, false), tree);
    EXPECT_EQ(Describe(IDR_MAINFRAME_GERMAN, false), tree);
}

TEST(MenuResourcesTest, TheEnglishMenuBarHasTheTextsOfTheCommandTable) {
    EXPECT_EQ(
        Describe(IDR_MAINFRAME, true),
        "&File[32788 &Show Scores | 32789 &Reset Scores | - | 57665 E&xit] | "
        "&Edit[32793 &Edit Grid | - | 32796 &Save Grid | 32798 &Reset Grid | 32797 &Cancel] | "
        "&Moves[32772 &Top Square | 32773 &Middle Square | 32774 &Bottom Square] | "
        "&Settings[&Level[32783 &One | 32784 &Two | 32785 Th&ree | 32786 &Four] | "
        "&Colours[32775 &Window Background | - | 32776 &Grid Backgound | 32777 G&rid Lines | "
        "- | 32778 &Tile Backgound | 32779 Tile &Border | 32780 Tile &Lines | - | "
        "32782 &Home Square | - | 32781 &Ball Colour] | "
        "&Ball[32792 &Ball Speed | 32781 &Ball Colour] | "
        "&Grid[32804 &Size | 32776 &Backgound Colour | 32777 &Lines Colour]] | "
        "&Language[32800 &English | 32801 &Deutsch] | "
        "&Help[57664 &About rolvan...]");
}

TEST(MenuResourcesTest, TheGermanMenuBarHasTheGermanTexts) {
    EXPECT_EQ(Describe(IDR_MAINFRAME_GERMAN, true),
              "&Datei[32788 &Stand zeigen | 32789 &Punkte löschen | - | 57665 &Beenden] | "
              "&Bearbeiten[32793 Gitten &editieren | - | 32796 Gitter &speichern | "
              "32798 Gitter & | 32797 &Abbruch] | "
              "&Zug[32772 &Oberes Quadrat | 32773 &Mittleres Quadrat | 32774 &Unterstes Quadrat] | "
              "&Einstellungen[&Schwierigkeitsgrad[32783 &Eins | 32784 &Zwei | 32785 &Drei | "
              "32786 &Vier] | "
              "&Farben[32775 &Fensterhintergrund | - | 32776 &Gitterhintergrund | "
              "32777 G&itterlinien | - | 32778 &Quadrathintergrund | 32779 Q&uadratrand | "
              "32780 Qu&adratlinie | - | 32782 &Zielquadrat | - | 32781 &Ballfarbe] | "
              "&Ball[32792 &Geschwindigkeit | 32781 &Farbe] | "
              "&Gitter[32804 &Größe | 32776 &Hintergrundfarbe | 32777 &Linienfarbe]] | "
              "&Sprache[32800 &English | 32801 &Deutsch] | "
              "&Hilfe[57664 &Über Rolvan...]");
}

TEST(MenuResourcesTest, AMenuThatDoesNotExistLoadsNothing) {
    CMenu menu;
    EXPECT_FALSE(menu.LoadMenu(129));
    EXPECT_EQ(menu.m_hMenu, nullptr);
    EXPECT_EQ(menu.GetMenuState(ID_APP_EXIT, MF_BYCOMMAND), 0xFFFFFFFFu);
}

TEST(StringResourcesTest, TheStringTableHoldsBothLanguagesAndNoLayoutMessages) {
    const struct {
        unsigned id;
        const char* text;
    } strings[] = {
        {57344, "Rolvan"},
        {128, "rolvan\n\nRolvan\n\n\nRolvan.Document\nRolvan Document"},
        {61209, "Save"},
        {62209, "Speichern"},
        {61210, "Reset"},
        {62210, "Löschen"},
        {61211, "Cancel"},
        {62211, "Abbruch"},
        {61223, "Do you really want to set the scores to zero ?"},
        {62223, "Wollen Sie wirklich die Punkte löschen ?"},
        {61224, "Do you really want to abandon the changes ?"},
        {62224, "Wollen Sie wirklich abbrechen ?"},
        {61225, "You can't change this square"},
        {62225, "Dieses Quadrat ist nicht ändbar."},
        {61226, "Don't be silly"},
        {62226, "Keine gute Idee"},
    };
    for (const auto& entry : strings) {
        CString text;
        EXPECT_TRUE(text.LoadString(entry.id)) << entry.id;
        EXPECT_EQ(text.str(), entry.text) << entry.id;
    }
    for (unsigned id = 61204; id <= 61208; ++id) {
        CString text("previous");
        EXPECT_FALSE(text.LoadString(id)) << id;
        EXPECT_TRUE(text.IsEmpty());
        EXPECT_FALSE(text.LoadString(id + 1000)) << id + 1000;
    }
}

TEST(DialogResourcesTest, EveryDialogExistsInBothLanguagesWithItsTitleAndFont) {
    const struct {
        unsigned id;
        const char* title;
        int pointSize, cx, cy, controls;
    } dialogs[] = {
        {100, "About rolvan", 8, 217, 58, 3},    {1100, "Über Rolvan", 8, 217, 58, 3},
        {136, "Current Scores", 10, 186, 85, 7}, {1136, "Aktueller Stand", 10, 186, 85, 7},
        {137, "Graphics Speed", 12, 186, 95, 6}, {1137, "Grafikgeschwindigkeit", 12, 186, 95, 6},
        {147, "Grid Size", 10, 186, 96, 7},      {1147, "Gittergröße", 10, 186, 96, 7},
    };
    for (const auto& expected : dialogs) {
        const DialogTemplate* dialog = FindDialogTemplate(expected.id);
        ASSERT_NE(dialog, nullptr) << expected.id;
        EXPECT_STREQ(dialog->title, expected.title);
        EXPECT_STREQ(dialog->fontName, "MS Sans Serif");
        EXPECT_EQ(dialog->pointSize, expected.pointSize);
        EXPECT_EQ(dialog->cx, expected.cx);
        EXPECT_EQ(dialog->cy, expected.cy);
        EXPECT_EQ(dialog->count, expected.controls);
        EXPECT_TRUE(dialog->style & DS_CENTER);
    }
    EXPECT_EQ(FindDialogTemplate(101), nullptr);
}

TEST(DialogResourcesTest, TheGermanTwinsKeepTheirOwnPlacesAndTexts) {
    const ControlTemplate* aboutIcon = &FindDialogTemplate(1100)->controls[0];
    EXPECT_EQ(aboutIcon->kind, ControlKind::Icon);
    EXPECT_EQ(aboutIcon->iconId, IDR_MAINFRAME);
    EXPECT_EQ((std::array{aboutIcon->x, aboutIcon->y, aboutIcon->cx, aboutIcon->cy}),
              (std::array{11, 18, 20, 20}));
    const ControlTemplate* englishIcon = &FindDialogTemplate(100)->controls[0];
    EXPECT_EQ((std::array{englishIcon->x, englishIcon->y, englishIcon->cx, englishIcon->cy}),
              (std::array{11, 19, 21, 20}));

    const ControlTemplate* cancel = &FindDialogTemplate(1137)->controls[1];
    EXPECT_EQ(cancel->id, IDCANCEL);
    EXPECT_STREQ(cancel->text, "Abbruch");
    EXPECT_EQ((std::array{cancel->x, cancel->y, cancel->cx, cancel->cy}),
              (std::array{116, 70, 49, 15}));
    const ControlTemplate* fast = &FindDialogTemplate(1137)->controls[5];
    EXPECT_STREQ(fast->text, "Schnell");
    EXPECT_EQ(fast->style & SS_TYPEMASK, SS_RIGHT);
    EXPECT_EQ((std::array{fast->x, fast->y, fast->cx, fast->cy}), (std::array{130, 24, 32, 10}));

    const ControlTemplate* reset = &FindDialogTemplate(1136)->controls[4];
    EXPECT_EQ(reset->id, IDC_RESET);
    EXPECT_STREQ(reset->text, "Löschen");
    EXPECT_TRUE(reset->style & BS_NOTIFY);
    EXPECT_STREQ(FindDialogTemplate(1147)->controls[5].text, "Waagerecht (X)");
}

TEST(DialogResourcesTest, ControlsCarryTheStylesTheDialogsRelyOn) {
    const DialogTemplate* scores = FindDialogTemplate(136);
    EXPECT_EQ(scores->controls[0].kind, ControlKind::DefPushButton);
    EXPECT_TRUE(scores->controls[5].style & ES_READONLY);
    EXPECT_TRUE(scores->controls[6].style & WS_BORDER);
    const DialogTemplate* gridSize = FindDialogTemplate(147);
    EXPECT_TRUE(gridSize->controls[2].style & BS_NOTIFY);
    EXPECT_TRUE(gridSize->controls[3].style & ES_NUMBER);
    EXPECT_EQ(gridSize->controls[5].style & SS_TYPEMASK, SS_RIGHT);
    const ControlTemplate& slider = FindDialogTemplate(137)->controls[3];
    EXPECT_EQ(slider.kind, ControlKind::Slider);
    EXPECT_EQ(slider.id, IDC_SPEED_SLIDER);
    EXPECT_TRUE(slider.style & TBS_TOP);
    EXPECT_TRUE(slider.style & WS_TABSTOP);
    const DialogTemplate* about = FindDialogTemplate(100);
    EXPECT_TRUE(about->controls[1].style & SS_NOPREFIX);
    EXPECT_STREQ(about->controls[1].text, "Rolvan Version 2.2");
}

// Every size comes from the one SVG; a screen with two device pixels per pixel gets the
// 64-pixel picture for the classic 32-pixel icon.
TEST(IconResourcesTest, TheProgramIconComesInEveryThemeSize) {
    const QIcon icon = ProgramIcon(IDR_MAINFRAME);
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
    }
    const QPixmap sharp = IconPixmap(IDR_MAINFRAME, 2.0);
    EXPECT_EQ(sharp.size(), QSize(64, 64));
    EXPECT_EQ(sharp.devicePixelRatio(), 2.0);
    // The corner of the board: grid background just inside the teal frame.
    EXPECT_EQ(IconPixmap(IDR_MAINFRAME).toImage().pixelColor(6, 6), QColor(0, 128, 64));
    EXPECT_TRUE(ProgramIcon(129).isNull());
}

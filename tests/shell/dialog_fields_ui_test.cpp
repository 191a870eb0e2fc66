// The fields of the scores and grid size dialogs as a screen reader finds them, read
// through Qt's accessibility interfaces: each named by its label, and the label saying the
// field's value.

#include <QAccessible>
#include <QAccessibleInterface>
#include <QLabel>
#include <QWidget>

#include <algorithm>
#include <string>
#include <vector>

#include "support/rolvan_fixture.h"

namespace {

using DialogFieldsTest = RolvanTest;

std::string NameOf(QObject* object) {
    return QAccessible::queryAccessibleInterface(object)->text(QAccessible::Name).toStdString();
}

}  // namespace

// Each field of the scores and grid size dialogs is named by the static text before it, and
// that text, which shows as it did, says the field's value to a screen reader as the value
// changes. Nothing in the dialog names another object, so Orca reads both texts, each
// once, as the dialog opens.
TEST_F(DialogFieldsTest, FieldsAreNamedByTheirLabels) {
    const struct {
        UINT language;
        UINT command;
        int fields[2];
        const char* labels[2];
        const char* said[2];
        const char* changed[2];  // after Reset, or X typed as 7
    } cases[] = {
        {ID_LANGUAGE_ENGLISH,
         ID_FILE_SHOWSCORES,
         {IDC_COMPUTER_SCORE, IDC_YOUR_SCORE},
         {"Computer Score : ", "Your Score : "},
         {"Computer Score : 3", "Your Score : 5"},
         {"Computer Score : 0", "Your Score : 0"}},
        {ID_LANGUAGE_DEUTSCH,
         ID_FILE_SHOWSCORES,
         {IDC_COMPUTER_SCORE, IDC_YOUR_SCORE},
         {"Computer Punkte : ", "Eigene Punkte : "},
         {"Computer Punkte : 3", "Eigene Punkte : 5"},
         {"Computer Punkte : 0", "Eigene Punkte : 0"}},
        {ID_LANGUAGE_ENGLISH,
         ID_GRID_SIZE,
         {IDC_XSIZE, IDC_YSIZE},
         {"Horizontal (X)", "Vertical (Y)"},
         {"Horizontal (X) 15", "Vertical (Y) 10"},
         {"Horizontal (X) 7", "Vertical (Y) 10"}},
        {ID_LANGUAGE_DEUTSCH,
         ID_GRID_SIZE,
         {IDC_XSIZE, IDC_YSIZE},
         {"Waagerecht (X)", "Senkrecht (Y)"},
         {"Waagerecht (X) 15", "Senkrecht (Y) 10"},
         {"Waagerecht (X) 7", "Senkrecht (Y) 10"}},
    };
    StartGame();
    view->computerScore = 3;
    view->humanScore = 5;
    for (const auto& c : cases) {
        Command(c.language);
        bool opened = false;
        actOnDialog = [&](CDialog& dialog) {
            opened = true;
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(dialog.m_hWnd);
            EXPECT_EQ(face->text(QAccessible::Description).toStdString(), "");
            // The labels, found as a screen reader finds them: by position, with no relation.
            std::vector<QLabel*> labels;
            for (QLabel* label : dialog.m_hWnd->findChildren<QLabel*>()) {
                if (!label->text().isEmpty())
                    labels.push_back(label);
            }
            std::sort(labels.begin(), labels.end(),
                      [](QLabel* a, QLabel* b) { return a->y() < b->y(); });
            ASSERT_EQ(labels.size(), 2u);
            for (int i = 0; i < 2; ++i) {
                QWidget* edit = dialog.GetDlgItem(c.fields[i])->GetSafeHwnd();
                EXPECT_EQ(NameOf(edit), c.labels[i]);
                EXPECT_EQ(labels[i]->text().toStdString(), c.labels[i]);
                EXPECT_EQ(NameOf(labels[i]), c.said[i]);
                for (QObject* object :
                     {static_cast<QObject*>(edit), static_cast<QObject*>(labels[i])})
                    EXPECT_TRUE(
                        QAccessible::queryAccessibleInterface(object)->relations().isEmpty());
            }
            if (c.command == ID_GRID_SIZE) {
                DialogUser(dialog).Type(IDC_XSIZE, "7");
            } else {
                DialogUser(dialog).Click(IDC_RESET);
            }
            for (int i = 0; i < 2; ++i)
                EXPECT_EQ(NameOf(labels[i]), c.changed[i]);
            DialogUser(dialog).Click(IDCANCEL);
        };
        Command(c.command);
        EXPECT_TRUE(opened);
    }
}

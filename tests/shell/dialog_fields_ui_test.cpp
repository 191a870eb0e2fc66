// The fields of the scores and grid size dialogs as a screen reader finds them, read
// through Qt's accessibility interfaces: each named by its label, and the dialog saying them
// all with their values.

#include <QAccessible>
#include <QAccessibleInterface>
#include <QLabel>
#include <QWidget>

#include <string>
#include <vector>

#include "support/rolvan_fixture.h"

namespace {

using DialogFieldsTest = RolvanTest;

// The objects of the description change events Qt sends, whoever sends them.
std::vector<QObject*> g_describedObjects;
void RecordDescriptionChange(QAccessibleEvent* event) {
    if (event->type() == QAccessible::DescriptionChanged)
        g_describedObjects.push_back(event->object());
}

}  // namespace

// Each field of the scores and grid size dialogs is named by the static text before it,
// which shows as it did, and the dialog's description says every field with its value as
// the values change, without announcing a change: a screen reader would say the values
// again after reading the dialog as it opens.
TEST_F(DialogFieldsTest, FieldsAreNamedByTheirLabels) {
    const struct {
        UINT language;
        UINT command;
        int fields[2];
        const char* labels[2];
        const char* description;
        const char* changed;  // after Reset, or X typed as 7
    } cases[] = {
        {ID_LANGUAGE_ENGLISH,
         ID_FILE_SHOWSCORES,
         {IDC_COMPUTER_SCORE, IDC_YOUR_SCORE},
         {"Computer Score : ", "Your Score : "},
         "Computer Score : 3, Your Score : 5",
         "Computer Score : 0, Your Score : 0"},
        {ID_LANGUAGE_DEUTSCH,
         ID_FILE_SHOWSCORES,
         {IDC_COMPUTER_SCORE, IDC_YOUR_SCORE},
         {"Computer Punkte : ", "Eigene Punkte : "},
         "Computer Punkte : 3, Eigene Punkte : 5",
         "Computer Punkte : 0, Eigene Punkte : 0"},
        {ID_LANGUAGE_ENGLISH,
         ID_GRID_SIZE,
         {IDC_XSIZE, IDC_YSIZE},
         {"Horizontal (X)", "Vertical (Y)"},
         "Horizontal (X) 15, Vertical (Y) 10",
         "Horizontal (X) 7, Vertical (Y) 10"},
        {ID_LANGUAGE_DEUTSCH,
         ID_GRID_SIZE,
         {IDC_XSIZE, IDC_YSIZE},
         {"Waagerecht (X)", "Senkrecht (Y)"},
         "Waagerecht (X) 15, Senkrecht (Y) 10",
         "Waagerecht (X) 7, Senkrecht (Y) 10"},
    };
    StartGame();
    view->computerScore = 3;
    view->humanScore = 5;
    for (const auto& c : cases) {
        Command(c.language);
        bool opened = false;
        QObject* dialogWidget = nullptr;
        actOnDialog = [&](CDialog& dialog) {
            opened = true;
            dialogWidget = dialog.m_hWnd;
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(dialog.m_hWnd);
            EXPECT_EQ(face->text(QAccessible::Description).toStdString(), c.description);
            for (int i = 0; i < 2; ++i) {
                QWidget* edit = dialog.GetDlgItem(c.fields[i])->GetSafeHwnd();
                QAccessibleInterface* field = QAccessible::queryAccessibleInterface(edit);
                EXPECT_EQ(field->text(QAccessible::Name).toStdString(), c.labels[i]);
                const auto labels = field->relations(QAccessible::Label);
                ASSERT_EQ(labels.size(), 1);
                auto* label = qobject_cast<QLabel*>(labels.front().first->object());
                ASSERT_NE(label, nullptr);
                EXPECT_EQ(label->buddy(), edit);
            }
            EXPECT_EQ(LookAtModalWindow(&dialog).labels,
                      (std::vector<std::string>{c.labels[0], c.labels[1]}));
            if (c.command == ID_GRID_SIZE) {
                DialogUser(dialog).Type(IDC_XSIZE, "7");
            } else {
                DialogUser(dialog).Click(IDC_RESET);
            }
            EXPECT_EQ(face->text(QAccessible::Description).toStdString(), c.changed);
            DialogUser(dialog).Click(IDCANCEL);
        };
        g_describedObjects.clear();
        const QAccessible::UpdateHandler previous =
            QAccessible::installUpdateHandler(RecordDescriptionChange);
        Command(c.command);
        QAccessible::installUpdateHandler(previous);
        EXPECT_TRUE(opened);
        for (QObject* object : g_describedObjects)
            EXPECT_NE(object, dialogWidget);
    }
}

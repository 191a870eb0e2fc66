// The modal seam: message boxes, the script for dialogs and colour pickers, and the
// helpers with which tests act on dialogs or answer the real ones.

#include "shell/platform/seams.h"

#include <QApplication>
#include <QColorDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

#include <functional>
#include <string>

#include "res/resource.h"
#include "shell/platform/app.h"
#include "shell/platform/dialog.h"
#include "shell/platform/modal_qt.h"
#include "shell/platform/widgets_qt.h"

namespace {

ModalScript* g_script = nullptr;

CString ApplicationTitle() {
    if (CWinApp* app = AfxGetApp())
        return app->m_pszAppName;
    CString title;
    title.LoadString(AFX_IDS_APP_TITLE);
    return title;
}

// The answer of a box closed with Escape or its close box.
int EscapeAnswer(UINT buttons) {
    switch (buttons) {
        case MB_OKCANCEL:
        case MB_YESNOCANCEL:
            return IDCANCEL;
        case MB_YESNO:
            return IDNO;
        default:
            return IDOK;
    }
}

struct ButtonAnswer {
    QMessageBox::StandardButton button;
    int answer;
};

std::vector<ButtonAnswer> ButtonsOf(UINT buttons) {
    switch (buttons) {
        case MB_OKCANCEL:
            return {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
        case MB_YESNO:
            return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
        case MB_YESNOCANCEL:
            return {{QMessageBox::Yes, IDYES},
                    {QMessageBox::No, IDNO},
                    {QMessageBox::Cancel, IDCANCEL}};
        default:
            return {{QMessageBox::Ok, IDOK}};
    }
}

QMessageBox::Icon IconOf(UINT icon) {
    switch (icon) {
        case MB_ICONHAND:
            return QMessageBox::Critical;
        case MB_ICONQUESTION:
            return QMessageBox::Question;
        case MB_ICONEXCLAMATION:
            return QMessageBox::Warning;
        case MB_ICONASTERISK:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

QWidget* Control(CDialog& dialog, int nID) {
    CWnd* control = dialog.GetDlgItem(nID);
    return control != nullptr ? control->m_hWnd : nullptr;
}

void SendMouse(QWidget* widget, QEvent::Type type) {
    const QPointF local = QRectF(widget->rect()).center();
    const QPointF global = widget->mapToGlobal(local);
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, local, global, Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void SendKey(CDialog& dialog, int key) {
    if (dialog.m_hWnd == nullptr)
        return;
    QWidget* target = dialog.m_hWnd->focusWidget() ? dialog.m_hWnd->focusWidget() : dialog.m_hWnd;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
}

}  // namespace

ModalScript* CurrentModalScript() {
    return g_script;
}

ScopedModalScript::ScopedModalScript(ModalScript script)
    : m_previous(g_script), m_script(std::move(script)) {
    g_script = &m_script;
}

ScopedModalScript::~ScopedModalScript() {
    g_script = m_previous;
}

void GiveModalFrame(QWidget* window) {
    FlushAccessibleNotices();
    window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
}

int ShowMessageBox(QWidget* owner, LPCTSTR text, LPCTSTR caption, UINT type) {
    MessageBoxRequest request;
    request.text = text ? text : "";
    request.caption = caption ? CString(caption).str() : ApplicationTitle().str();
    request.buttons = type & MB_TYPEMASK;
    request.icon = type & MB_ICONMASK;
    // As the classic framework shows them: a question without an icon gets the
    // exclamation mark.
    if (request.icon == 0)
        request.icon = MB_ICONEXCLAMATION;
    request.hasOwner = owner != nullptr;

    if (EndingTheGame())
        return EscapeAnswer(request.buttons);
    if (g_script != nullptr) {
        return g_script->messageBox ? g_script->messageBox(request) : EscapeAnswer(request.buttons);
    }

    QMessageBox box(IconOf(request.icon), QString::fromStdString(request.caption),
                    QString::fromStdString(request.text), QMessageBox::NoButton, owner);
    GiveModalFrame(&box);
    const std::vector<ButtonAnswer> buttons = ButtonsOf(request.buttons);
    for (const ButtonAnswer& button : buttons)
        box.addButton(button.button);
    box.setDefaultButton(buttons.front().button);
    const int escape = EscapeAnswer(request.buttons);
    for (const ButtonAnswer& button : buttons) {
        if (button.answer == escape)
            box.setEscapeButton(button.button);
    }
    box.exec();
    const QMessageBox::StandardButton clicked = box.standardButton(box.clickedButton());
    for (const ButtonAnswer& button : buttons) {
        if (button.button == clicked)
            return button.answer;
    }
    return escape;
}

// --- DialogUser

void DialogUser::Click(int nID) {
    QWidget* button = Control(m_dialog, nID);
    if (button == nullptr)
        return;
    SendMouse(button, QEvent::MouseButtonPress);
    SendMouse(button, QEvent::MouseButtonRelease);
}

void DialogUser::DoubleClick(int nID) {
    QWidget* button = Control(m_dialog, nID);
    if (button == nullptr)
        return;
    // The order in which Qt delivers a double-click to a widget: the second press comes
    // as the double-click event alone.
    SendMouse(button, QEvent::MouseButtonPress);
    SendMouse(button, QEvent::MouseButtonRelease);
    SendMouse(button, QEvent::MouseButtonDblClick);
    SendMouse(button, QEvent::MouseButtonRelease);
}

void DialogUser::Type(int nID, const char* text) {
    auto* edit = qobject_cast<QLineEdit*>(Control(m_dialog, nID));
    if (edit == nullptr || edit->isReadOnly())
        return;
    edit->setFocus(Qt::OtherFocusReason);
    edit->clear();
    for (const QChar character : QString::fromUtf8(text ? text : ""))
        edit->insert(QString(character));
}

void DialogUser::MoveSlider(int nID, int nPos) {
    if (auto* slider = qobject_cast<QSlider*>(Control(m_dialog, nID)))
        slider->setValue(nPos);
}

void DialogUser::PressKey(int nID, UINT virtualKey) {
    QWidget* control = Control(m_dialog, nID);
    if (control == nullptr)
        return;
    static const struct {
        UINT virtualKey;
        int key;
    } kKeys[] = {{VK_HOME, Qt::Key_Home},     {VK_END, Qt::Key_End},   {VK_PRIOR, Qt::Key_PageUp},
                 {VK_NEXT, Qt::Key_PageDown}, {VK_LEFT, Qt::Key_Left}, {VK_RIGHT, Qt::Key_Right},
                 {VK_UP, Qt::Key_Up},         {VK_DOWN, Qt::Key_Down}};
    for (const auto& entry : kKeys) {
        if (entry.virtualKey == virtualKey) {
            control->setFocus(Qt::OtherFocusReason);
            QKeyEvent press(QEvent::KeyPress, entry.key, Qt::NoModifier);
            QApplication::sendEvent(control, &press);
            QKeyEvent release(QEvent::KeyRelease, entry.key, Qt::NoModifier);
            QApplication::sendEvent(control, &release);
            return;
        }
    }
}

void DialogUser::PressEnter() {
    SendKey(m_dialog, Qt::Key_Return);
}

void DialogUser::PressEscape() {
    SendKey(m_dialog, Qt::Key_Escape);
}

void DialogUser::CloseBox() {
    if (m_dialog.m_hWnd != nullptr)
        m_dialog.m_hWnd->close();
}

bool DialogUser::IsOpen() const {
    return m_dialog.m_hWnd != nullptr && !m_dialog.HasEnded() && m_dialog.m_hWnd->isVisible();
}

std::string DialogUser::Title() const {
    return m_dialog.m_hWnd != nullptr ? m_dialog.m_hWnd->windowTitle().toStdString()
                                      : std::string();
}

std::string DialogUser::Text(int nID) const {
    CWnd* control = m_dialog.GetDlgItem(nID);
    if (control == nullptr)
        return std::string();
    CString text;
    control->GetWindowText(text);
    return text.str();
}

int DialogUser::SliderPos(int nID) const {
    auto* slider = qobject_cast<QSlider*>(Control(m_dialog, nID));
    return slider != nullptr ? slider->value() : 0;
}

bool DialogUser::IsDefaultButton(int nID) const {
    auto* button = qobject_cast<QPushButton*>(Control(m_dialog, nID));
    return button != nullptr && button->isDefault();
}

CSize DialogUser::ClientSize() const {
    if (m_dialog.m_hWnd == nullptr)
        return CSize{};
    return CSize{m_dialog.m_hWnd->width(), m_dialog.m_hWnd->height()};
}

CRect DialogUser::ControlRect(int nID) const {
    QWidget* control = Control(m_dialog, nID);
    if (control == nullptr)
        return CRect{};
    const QRect rect = control->geometry();
    return CRect{rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

// --- driving the real dialogs

ModalWindowLook LookAtModalWindow(CDialog* dialog) {
    QWidget* window = dialog != nullptr ? dialog->m_hWnd : QApplication::activeModalWidget();
    ModalWindowLook look;
    if (window == nullptr)
        return look;
    look.open = window->isVisible();
    look.title = window->windowTitle().toStdString();
    for (const QPushButton* button : window->findChildren<QPushButton*>())
        look.buttons.push_back(button->text().toStdString());
    for (const QLabel* label : window->findChildren<QLabel*>()) {
        if (!label->pixmap().isNull())
            look.showsIcon = true;
        else if (!label->text().isEmpty())
            look.labels.push_back(label->text().toStdString());
    }
    const Qt::WindowFlags flags = window->windowFlags();
    look.closeBoxOnly = (flags & Qt::CustomizeWindowHint) && (flags & Qt::WindowCloseButtonHint) &&
                        !(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    return look;
}

void RunFromEventLoop(int delayMs, std::function<void()> action) {
    QTimer::singleShot(delayMs, QCoreApplication::instance(), std::move(action));
}

BOOL AnswerOpenMessageBox(int answer, std::string* text) {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr)
        return FALSE;
    if (text != nullptr)
        *text = box->text().toStdString();
    for (const ButtonAnswer& button : ButtonsOf(MB_YESNOCANCEL)) {
        if (button.answer == answer && box->button(button.button) != nullptr) {
            box->button(button.button)->click();
            return TRUE;
        }
    }
    if (answer == IDOK && box->button(QMessageBox::Ok) != nullptr) {
        box->button(QMessageBox::Ok)->click();
        return TRUE;
    }
    return FALSE;
}

CDialog* OpenDialog() {
    auto* widget = dynamic_cast<DialogWidget*>(QApplication::activeModalWidget());
    return widget != nullptr ? dynamic_cast<CDialog*>(widget->owner) : nullptr;
}

BOOL AnswerOpenColorDialog(std::optional<COLORREF> colour, COLORREF* initial) {
    auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr)
        return FALSE;
    if (initial != nullptr)
        *initial = FromQColor(dialog->currentColor());
    if (colour) {
        dialog->setCurrentColor(ToQColor(*colour));
        dialog->accept();
    } else {
        dialog->reject();
    }
    return TRUE;
}

#include "shell/platform/dialog.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QSlider>
#include <QStringList>

#include <limits>
#include <utility>
#include <vector>

#include "res/resource_tables.h"
#include "shell/platform/app.h"
#include "shell/platform/modal_qt.h"
#include "shell/platform/widgets_qt.h"

namespace {

QSlider* SliderOf(HWND widget) {
    return qobject_cast<QSlider*>(widget);
}

Qt::Alignment StaticAlignment(DWORD style) {
    switch (style & SS_TYPEMASK) {
        case SS_CENTER:
            return Qt::AlignHCenter | Qt::AlignTop;
        case SS_RIGHT:
            return Qt::AlignRight | Qt::AlignTop;
        default:
            return Qt::AlignLeft | Qt::AlignTop;
    }
}

// An icon control: the icon at the device pixel ratio of the screen the dialog stands on,
// picked again when the dialog moves to a screen of another ratio, so it stays sharp.
class IconLabel : public QLabel {
public:
    IconLabel(unsigned iconId, QWidget* parent) : QLabel(parent), m_iconId(iconId) { ShowIcon(); }

protected:
    bool event(QEvent* e) override {
        if (SaysDeviceRatioChanged(e) && pixmap().devicePixelRatio() != devicePixelRatioF()) {
            ShowIcon();
        }
        return QLabel::event(e);
    }

private:
    void ShowIcon() { setPixmap(IconPixmap(m_iconId, devicePixelRatioF())); }

    unsigned m_iconId;
};

// Dialog units to pixels, from the dialog font's average character width and height.
struct DialogUnits {
    explicit DialogUnits(const QFont& font) {
        const QFontMetrics metrics(font);
        const int alphabet = metrics.horizontalAdvance(
            QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
        baseX = (alphabet / 26 + 1) / 2;
        baseY = metrics.height();
    }
    int X(int units) const { return units * baseX / 4; }
    int Y(int units) const { return units * baseY / 8; }

    int baseX;
    int baseY;
};

struct PlacedControl {
    const ControlTemplate* control;
    QWidget* widget;
};

// The static text that stands before an edit on its line (to its left, its middle within
// the edit's height) names the edit for assistive technology, as the classic dialog manager
// names a field by its label.
//
// A screen reader reads a dialog that opens by its title and the static texts in it that
// name nothing, so the label carries the field's value in its own accessible name: "Your
// Score : 3" is heard once, as the dialog opens, and follows the value. That is why the
// edit is named by setting its name, not through a buddy: a buddy would make the label
// name something, and Orca would leave it out. (A description of the dialog that says the
// values is read twice by Orca 48.) The label shows the same text as before.
void LabelEdits(const std::vector<PlacedControl>& placed) {
    for (const PlacedControl& edit : placed) {
        if (edit.control->kind != ControlKind::Edit)
            continue;
        const ControlTemplate& field = *edit.control;
        const PlacedControl* nearest = nullptr;
        for (const PlacedControl& label : placed) {
            const ControlTemplate& text = *label.control;
            const int middle = text.y + text.cy / 2;
            const bool before = text.x + text.cx <= field.x;
            const bool onLine = middle >= field.y && middle < field.y + field.cy;
            if (text.kind == ControlKind::Static && before && onLine &&
                (nearest == nullptr ||
                 text.x + text.cx > nearest->control->x + nearest->control->cx)) {
                nearest = &label;
            }
        }
        if (nearest == nullptr)
            continue;
        auto* label = static_cast<QLabel*>(nearest->widget);
        auto* lineEdit = static_cast<QLineEdit*>(edit.widget);
        lineEdit->setAccessibleName(label->text());
        const auto sayValue = [label = QPointer<QLabel>(label), lineEdit] {
            if (label != nullptr)
                label->setAccessibleName(label->text().trimmed() + u' ' + lineEdit->text());
        };
        // Qt would tell of a receiver of textChanged other than the edit itself as a field
        // the edit controls.
        QObject::connect(lineEdit, &QLineEdit::textChanged, lineEdit, sayValue);
        sayValue();
    }
}

// Text of an edit as a 32-bit integer: optional blanks, an optional sign, digits.
bool ParseInteger(const QString& text, int& value) {
    static const QRegularExpression integer(QStringLiteral("^\\s*[+-]?\\d+\\s*$"));
    if (!integer.match(text).hasMatch())
        return false;
    bool ok = false;
    const qlonglong number = text.trimmed().toLongLong(&ok);
    if (!ok || number < std::numeric_limits<int>::min() ||
        number > std::numeric_limits<int>::max()) {
        return false;
    }
    value = static_cast<int>(number);
    return true;
}

}  // namespace

// --- DialogWidget

DialogWidget::DialogWidget(CDialog* dialog, QWidget* parent)
    : BoundWidget<QDialog>(dialog, parent) {}

void DialogWidget::reject() {
    if (auto* dialog = dynamic_cast<CDialog*>(owner))
        WndBridge::Cancel(dialog);
}

void WndBridge::Cancel(CDialog* dialog) {
    dialog->OnCancel();
}

// --- CSliderCtrl

void CSliderCtrl::SetRange(int nMin, int nMax, BOOL bRedraw) {
    (void)bRedraw;
    QSlider* slider = SliderOf(m_hWnd);
    if (slider == nullptr)
        return;
    const QSignalBlocker quiet(slider);
    slider->setRange(nMin, nMax);
    // The classic slider's page is a fifth of its range.
    slider->setPageStep(std::max(1, (nMax - nMin) / 5));
}

int CSliderCtrl::GetRangeMin() const {
    const QSlider* slider = SliderOf(m_hWnd);
    return slider != nullptr ? slider->minimum() : 0;
}

int CSliderCtrl::GetRangeMax() const {
    const QSlider* slider = SliderOf(m_hWnd);
    return slider != nullptr ? slider->maximum() : 0;
}

void CSliderCtrl::SetPos(int nPos) {
    QSlider* slider = SliderOf(m_hWnd);
    if (slider == nullptr)
        return;
    const QSignalBlocker quiet(slider);
    slider->setValue(nPos);
}

int CSliderCtrl::GetPos() const {
    const QSlider* slider = SliderOf(m_hWnd);
    return slider != nullptr ? slider->sliderPosition() : 0;
}

void CSliderCtrl::SetTicFreq(int nFreq) {
    if (QSlider* slider = SliderOf(m_hWnd))
        slider->setTickInterval(std::max(1, nFreq));
}

// --- CDialog

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pOwner(pParentWnd) {}

CDialog::~CDialog() {
    m_bound.clear();
    m_wrappers.clear();
    DestroyWindow();
}

BOOL CDialog::BuildFromTemplate() {
    const DialogTemplate* dialogTemplate = FindDialogTemplate(m_nIDTemplate);
    if (dialogTemplate == nullptr)
        return FALSE;

    CWnd* owner = m_pOwner;
    if (owner == nullptr && AfxGetApp() != nullptr)
        owner = AfxGetApp()->m_pMainWnd;
    auto* dialog = new DialogWidget(this, OwnerWidget(owner));
    GiveModalFrame(dialog);
    AttachWidget(dialog, owner, 0, true);
    dialog->setWindowTitle(LocalText(dialogTemplate->title));
    QFont font(LocalText(dialogTemplate->fontName));
    font.setPointSize(dialogTemplate->pointSize);
    dialog->setFont(font);
    const DialogUnits units(font);
    dialog->setFixedSize(units.X(dialogTemplate->cx), units.Y(dialogTemplate->cy));
    std::vector<PlacedControl> placed;

    for (int i = 0; i < dialogTemplate->count; ++i) {
        const ControlTemplate& control = dialogTemplate->controls[i];
        const QRect rect(units.X(control.x), units.Y(control.y), units.X(control.cx),
                         units.Y(control.cy));
        QWidget* widget = nullptr;
        switch (control.kind) {
            case ControlKind::PushButton:
            case ControlKind::DefPushButton: {
                const DWORD style = control.kind == ControlKind::DefPushButton
                                        ? (control.style | BS_DEFPUSHBUTTON)
                                        : control.style;
                auto* button = new ButtonWidget(nullptr, dialog, this, control.id, style);
                button->setText(LocalText(control.text));
                button->setAutoDefault(true);
                button->setDefault(control.kind == ControlKind::DefPushButton);
                widget = button;
                break;
            }
            case ControlKind::Static: {
                auto* label = new QLabel(LocalText(control.text), dialog);
                label->setTextFormat(Qt::PlainText);
                label->setAlignment(StaticAlignment(control.style));
                widget = label;
                break;
            }
            case ControlKind::Edit: {
                auto* edit = new QLineEdit(dialog);
                edit->setReadOnly(control.style & ES_READONLY);
                edit->setFrame(control.style & WS_BORDER);
                if (control.style & ES_NUMBER) {
                    edit->setValidator(new QRegularExpressionValidator(
                        QRegularExpression(QStringLiteral("[0-9]*")), edit));
                }
                widget = edit;
                break;
            }
            case ControlKind::Slider: {
                auto* slider = new QSlider(Qt::Horizontal, dialog);
                slider->setTickPosition((control.style & TBS_TOP) ? QSlider::TicksAbove
                                                                  : QSlider::TicksBelow);
                const int id = control.id;
                // Only the user moves send notifications; SetPos and SetRange block them.
                QObject::connect(
                    slider, &QSlider::valueChanged, dialog, [this, id, slider](int pos) {
                        ControlScrolled(id, slider->isSliderDown() ? TB_THUMBTRACK : TB_ENDTRACK,
                                        pos);
                    });
                widget = slider;
                break;
            }
            case ControlKind::Icon:
                widget = new IconLabel(control.iconId, dialog);
                break;
        }
        if (control.kind == ControlKind::Icon) {
            // An icon control takes the size of its icon.
            widget->setGeometry(QRect(rect.topLeft(), widget->sizeHint()));
        } else {
            widget->setGeometry(rect);
        }
        if (control.kind != ControlKind::Static && control.kind != ControlKind::Icon) {
            widget->setFocusPolicy((control.style & WS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus);
        }
        if (control.id != IDC_STATIC)
            m_controls[control.id] = widget;
        if (control.kind == ControlKind::Static || control.kind == ControlKind::Edit)
            placed.push_back({&control, widget});
    }
    LabelEdits(placed);
    return TRUE;
}

int CDialog::DoModal() {
    if (m_hWnd != nullptr)
        return -1;
    if (EndingTheGame())
        return IDCANCEL;
    m_ended = false;
    m_nModalResult = -1;
    if (!BuildFromTemplate())
        return -1;
    auto* dialog = static_cast<QDialog*>(m_hWnd);

    const BOOL focusFirstTabStop = OnInitDialog();
    if (!m_ended && focusFirstTabStop) {
        const DialogTemplate* dialogTemplate = FindDialogTemplate(m_nIDTemplate);
        for (int i = 0; i < dialogTemplate->count; ++i) {
            const ControlTemplate& control = dialogTemplate->controls[i];
            if ((control.style & WS_TABSTOP) && m_controls.count(control.id)) {
                m_controls[control.id]->setFocus(Qt::TabFocusReason);
                break;
            }
        }
    }
    if (!m_ended) {
        if (ModalScript* script = CurrentModalScript()) {
            dialog->show();
            if (script->dialog)
                script->dialog(*this);
            // Nobody closed it: the close box does, and a dialog that refuses even that
            // is ended, so that no test waits for ever.
            if (!m_ended)
                OnCancel();
            if (!m_ended)
                EndDialog(IDCANCEL);
        } else {
            const int code = dialog->exec();
            if (!m_ended)
                m_nModalResult = code;
        }
    }

    // The controls go with the window; bound control objects must not keep them.
    for (auto& [id, control] : m_bound)
        control->m_hWnd = nullptr;
    m_bound.clear();
    m_wrappers.clear();
    m_controls.clear();
    DestroyWindow();
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult) {
    m_nModalResult = nResult;
    m_ended = true;
    if (auto* dialog = qobject_cast<QDialog*>(m_hWnd))
        dialog->done(nResult);
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange exchange(this, bSaveAndValidate);
    DoDataExchange(&exchange);
    return exchange.m_bFailed ? FALSE : TRUE;
}

void CDialog::DoDataExchange(CDataExchange* pDX) {
    (void)pDX;
}

CWnd* CDialog::GetDlgItem(int nID) {
    if (auto bound = m_bound.find(nID); bound != m_bound.end())
        return bound->second;
    auto control = m_controls.find(nID);
    if (control == m_controls.end())
        return nullptr;
    auto& wrapper = m_wrappers[nID];
    if (!wrapper) {
        wrapper = std::make_unique<CWnd>();
        WndBridge::Attach(wrapper.get(), control->second, this, nID, false);
    }
    return wrapper.get();
}

void CDialog::SetDlgItemInt(int nID, UINT nValue, BOOL bSigned) {
    const QString text =
        bSigned ? QString::number(static_cast<int>(nValue)) : QString::number(nValue);
    if (CWnd* control = GetDlgItem(nID))
        control->SetWindowText(text.toUtf8().constData());
}

UINT CDialog::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) {
    (void)bSigned;
    int value = 0;
    bool ok = false;
    if (CWnd* control = GetDlgItem(nID)) {
        CString text;
        control->GetWindowText(text);
        ok = ParseInteger(LocalText(text), value);
    }
    if (lpTrans != nullptr)
        *lpTrans = ok ? TRUE : FALSE;
    return ok ? static_cast<UINT>(value) : 0;
}

void CDialog::SetDlgItemText(int nID, LPCTSTR lpszString) {
    if (CWnd* control = GetDlgItem(nID))
        control->SetWindowText(lpszString);
}

int CDialog::GetFocusedControlID() const {
    if (m_hWnd == nullptr)
        return 0;
    const QWidget* focused = m_hWnd->focusWidget();
    for (const auto& [id, widget] : m_controls) {
        if (widget == focused)
            return id;
    }
    return 0;
}

BOOL CDialog::OnCommand(UINT nID, int nCode) {
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

void CDialog::ControlScrolled(int nID, UINT nSBCode, int nPos) {
    OnHScroll(nSBCode, static_cast<UINT>(nPos), GetDlgItem(nID));
}

void CDialog::Bind(int nID, CWnd& control) {
    auto widget = m_controls.find(nID);
    if (widget == m_controls.end() || control.m_hWnd != nullptr)
        return;
    WndBridge::Attach(&control, widget->second, this, nID, false);
    m_bound[nID] = &control;
    m_wrappers.erase(nID);
}

// --- data exchange

CDataExchange::CDataExchange(CDialog* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

void CDataExchange::Fail() {
    m_bFailed = TRUE;
    if (m_pDlgWnd == nullptr || m_idLastControl == 0)
        return;
    if (CWnd* control = m_pDlgWnd->GetDlgItem(m_idLastControl); control && control->m_hWnd) {
        control->m_hWnd->setFocus(Qt::OtherFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(control->m_hWnd))
            edit->selectAll();
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) {
    if (pDX == nullptr || pDX->m_pDlgWnd == nullptr || pDX->m_bFailed)
        return;
    CWnd* control = pDX->m_pDlgWnd->GetDlgItem(nIDC);
    if (control == nullptr)
        return;
    pDX->m_idLastControl = nIDC;
    if (!pDX->m_bSaveAndValidate) {
        control->SetWindowText(QString::number(value).toUtf8().constData());
        return;
    }
    CString text;
    control->GetWindowText(text);
    int parsed = 0;
    if (!ParseInteger(LocalText(text), parsed)) {
        AfxMessageBox("Please enter an integer.", MB_OK | MB_ICONEXCLAMATION);
        pDX->Fail();
        return;
    }
    value = parsed;
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int nMin, int nMax) {
    if (pDX == nullptr || !pDX->m_bSaveAndValidate || pDX->m_bFailed)
        return;
    if (value >= nMin && value <= nMax)
        return;
    const QString prompt =
        QStringLiteral("Please enter an integer between %1 and %2.").arg(nMin).arg(nMax);
    AfxMessageBox(prompt.toUtf8().constData(), MB_OK | MB_ICONEXCLAMATION);
    pDX->Fail();
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
    if (pDX == nullptr || pDX->m_pDlgWnd == nullptr)
        return;
    pDX->m_pDlgWnd->Bind(nIDC, rControl);
}

#include "shell/platform/colordialog.h"

#include <QColorDialog>

#include "shell/platform/app.h"
#include "shell/platform/modal_qt.h"
#include "shell/platform/widgets_qt.h"

void WhitenCustomColoursOnce() {
    static bool done = false;
    if (done)
        return;
    done = true;
    for (int i = 0; i < QColorDialog::customCount(); ++i)
        QColorDialog::setCustomColor(i, Qt::white);
}

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd)
    : m_color(clrInit & 0x00FFFFFF), m_pParentWnd(pParentWnd) {
    (void)dwFlags;
}

int CColorDialog::DoModal() {
    WhitenCustomColoursOnce();
    if (ModalScript* script = CurrentModalScript()) {
        if (!script->colour)
            return IDCANCEL;
        const std::optional<COLORREF> chosen = script->colour(m_color);
        if (!chosen)
            return IDCANCEL;
        m_color = *chosen & 0x00FFFFFF;
        return IDOK;
    }
    CWnd* owner = m_pParentWnd;
    if (owner == nullptr && AfxGetApp() != nullptr)
        owner = AfxGetApp()->m_pMainWnd;
    QColorDialog dialog(ToQColor(m_color), OwnerWidget(owner));
    // The desktop's own chooser (GTK on GNOME) has no custom colours.
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted)
        return IDCANCEL;
    m_color = FromQColor(dialog.selectedColor());
    return IDOK;
}

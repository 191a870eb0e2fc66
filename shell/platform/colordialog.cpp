#include "shell/platform/colordialog.h"

#include <QColorDialog>
#include <QFile>
#include <QLockFile>
#include <QPointer>
#include <QSaveFile>
#include <QSettings>

#include "shell/platform/app.h"
#include "shell/platform/modal_qt.h"
#include "shell/platform/widgets_qt.h"

// The run's custom colours live in QColorDialog's own table, which every picker of the
// process shares. Qt fills that table from the user's QtProject.conf, the file all Qt
// programs of the user share, and writes the table back there whenever a picker is
// destroyed after any custom colour was set (the program's whitening as well as the
// user's "Add to Custom Colors"). So the program puts the file back as it was after
// each picker: what the user keeps for other Qt programs stays theirs.

namespace {

bool g_whitenPending = true;

void WhitenCustomColoursIfNewRun() {
    if (!g_whitenPending)
        return;
    g_whitenPending = false;
    for (int i = 0; i < QColorDialog::customCount(); ++i)
        QColorDialog::setCustomColor(i, Qt::white);
}

// QtProject.conf as it stands on disk: its bytes, or that there is none.
struct SharedQtSettings {
    QString path;
    bool exists = false;
    bool readable = false;
    QByteArray bytes;
};

SharedQtSettings ReadSharedQtSettings() {
    SharedQtSettings file;
    file.path = QSettings(QSettings::UserScope, QStringLiteral("QtProject")).fileName();
    QFile conf(file.path);
    file.exists = conf.exists();
    if (file.exists && conf.open(QIODevice::ReadOnly)) {
        file.bytes = conf.readAll();
        file.readable = conf.error() == QFile::NoError;
    }
    return file;
}

// Under the lock QSettings takes, so no other Qt program writes the file meanwhile.
void PutBack(const SharedQtSettings& file) {
    if (file.path.isEmpty() || (file.exists && !file.readable))
        return;
    QLockFile lock(file.path + QStringLiteral(".lock"));
    lock.tryLock(5000);
    if (!file.exists) {
        QFile::remove(file.path);
        return;
    }
    QFile current(file.path);
    if (current.open(QIODevice::ReadOnly) && current.readAll() == file.bytes)
        return;
    current.close();
    QSaveFile restored(file.path);
    restored.setDirectWriteFallback(true);
    if (restored.open(QIODevice::WriteOnly)) {
        restored.write(file.bytes);
        restored.commit();
    }
}

}  // namespace

void StartColourPickerRun() {
    g_whitenPending = true;
}

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd)
    : m_color(clrInit & 0x00FFFFFF), m_pParentWnd(pParentWnd) {
    (void)dwFlags;
}

int CColorDialog::DoModal() {
    if (EndingTheGame())
        return IDCANCEL;
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

    SharedQtSettings shared = ReadSharedQtSettings();
    WhitenCustomColoursIfNewRun();
    QPointer<QColorDialog> dialog = new QColorDialog(ToQColor(m_color), OwnerWidget(owner));
    GiveModalFrame(dialog);
    // The desktop's own chooser (GTK on GNOME) has no custom colours.
    dialog->setOption(QColorDialog::DontUseNativeDialog);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    if (dialog != nullptr) {
        if (accepted)
            m_color = FromQColor(dialog->selectedColor());
        // Read again just before Qt writes: another program may have changed the file
        // while the picker was open, and that change stays.
        shared = ReadSharedQtSettings();
        delete dialog;
    }
    PutBack(shared);
    return accepted ? IDOK : IDCANCEL;
}

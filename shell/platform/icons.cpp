// The program's icon (resource 128), in every size the icon theme has, all rendered from
// one SVG when the program is built.

#include <QIcon>
#include <QPixmap>

#include "res/resource.h"
#include "shell/platform/widgets_qt.h"

namespace {

constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

}  // namespace

QIcon ProgramIcon(unsigned id) {
    QIcon icon;
    if (id != IDR_MAINFRAME)
        return icon;
    for (const int size : kIconSizes) {
        icon.addFile(QStringLiteral(":/icons/%1x%1/org.quendel.Rolvan.png").arg(size),
                     QSize(size, size));
    }
    return icon;
}

// The classic icon size; on a screen with more device pixels per pixel the picture comes
// from a larger size, so it stays sharp.
QPixmap IconPixmap(unsigned id, qreal devicePixelRatio) {
    const QIcon icon = ProgramIcon(id);
    if (icon.isNull())
        return QPixmap();
    return icon.pixmap(QSize(32, 32), devicePixelRatio);
}

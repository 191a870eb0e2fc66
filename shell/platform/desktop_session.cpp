#include "shell/platform/desktop_session.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

#include "shell/platform/display_server.h"

namespace {

bool OnGnome(const DesktopSession& session) {
    const QStringList desktops =
        QString::fromStdString(session.currentDesktop).split(u':', Qt::SkipEmptyParts);
    for (const QString& desktop : desktops) {
        if (desktop.compare(QLatin1String("GNOME"), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// Qt takes the Wayland plugin in a Wayland session by itself.
bool InWaylandSession(const DesktopSession& session) {
    return !session.waylandDisplay.empty() ||
           QString::fromStdString(session.sessionType)
                   .compare(QLatin1String("wayland"), Qt::CaseInsensitive) == 0;
}

std::string Variable(const char* name) {
    return qEnvironmentVariable(name).toStdString();
}

// Whether the desktop portal says which buttons a window's title bar carries, asked as Qt's
// GNOME-like frames ask it. They draw no button without an answer.
bool PortalGivesButtonLayout() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QDBusMessage read = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.portal.Desktop"),
        QStringLiteral("/org/freedesktop/portal/desktop"),
        QStringLiteral("org.freedesktop.portal.Settings"), QStringLiteral("ReadAll"));
    const QString wmPreferences = QStringLiteral("org.gnome.desktop.wm.preferences");
    read << QStringList{wmPreferences};
    // A running portal answers at once; one that the bus starts first takes a moment. The
    // wait only happens on GNOME's Wayland with a Qt that draws GNOME-like frames.
    const QDBusMessage reply = bus.call(read, QDBus::Block, 3000);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return false;
    // a{sa{sv}}: each namespace with its settings.
    const QDBusArgument namespaces = qvariant_cast<QDBusArgument>(reply.arguments().first());
    bool found = false;
    namespaces.beginMap();
    while (!namespaces.atEnd()) {
        QString name;
        QVariantMap settings;
        namespaces.beginMapEntry();
        namespaces >> name >> settings;
        namespaces.endMapEntry();
        QVariant layout = settings.value(QStringLiteral("button-layout"));
        if (layout.userType() == qMetaTypeId<QDBusVariant>())
            layout = qvariant_cast<QDBusVariant>(layout).variant();
        if (name == wmPreferences && !layout.toString().isEmpty())
            found = true;
    }
    namespaces.endMap();
    return found;
}

}  // namespace

std::string PlatformForSession(const DesktopSession& session) {
    if (!session.platform.empty())
        return "";
    if (session.qtVersion >= 0x060800 || !OnGnome(session) || !InWaylandSession(session) ||
        session.x11Display.empty()) {
        return "";
    }
    return "xcb;wayland";
}

bool FramesNeedPortal(const DesktopSession& session) {
    return session.qtVersion >= 0x060800 && session.decoration.empty() && OnGnome(session);
}

DesktopSession CurrentDesktopSession() {
    DesktopSession session;
    session.platform = Variable("QT_QPA_PLATFORM");
    session.currentDesktop = Variable("XDG_CURRENT_DESKTOP");
    session.sessionType = Variable("XDG_SESSION_TYPE");
    session.waylandDisplay = Variable("WAYLAND_DISPLAY");
    session.x11Display = Variable("DISPLAY");
    session.decoration = Variable("QT_WAYLAND_DECORATION");
    const QStringList parts = QString::fromLatin1(qVersion()).split(u'.');
    for (int i = 0; i < 3; ++i)
        session.qtVersion = session.qtVersion << 8 | (i < parts.size() ? parts[i].toInt() : 0);
    return session;
}

void ChoosePlatformForDesktop() {
    const std::string platform = PlatformForSession(CurrentDesktopSession());
    if (!platform.empty())
        qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(platform));
}

// Qt picks a window's frame when it first shows the window, so the choice made here, after
// the application and before the main window, still counts.
void ChooseWindowFrames() {
    if (!OnWaylandDisplay() || !FramesNeedPortal(CurrentDesktopSession()))
        return;
    if (!PortalGivesButtonLayout())
        qputenv("QT_WAYLAND_DECORATION", "bradient");
}

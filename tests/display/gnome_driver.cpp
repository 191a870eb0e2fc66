// Acts on a GNOME Shell session the way a person at it would, through the shell's own D-Bus
// interfaces: presses keys, lists the windows, takes pictures of the screen and finds a window's
// picture in them. tests/display/gnome.sh runs it inside the session's bus.
//
//   gnome_driver keys KEY...              alt+s, g, Escape, ...: pressed and let go in turn
//   gnome_driver keyboard                 one keyboard for as long as it runs: each line it
//                                         reads is KEY... as above, answered "sent"
//   gnome_driver windows                  one line a window: title, app id, width, height,
//                                         whether it has the focus
//   gnome_driver shot FILE                a picture of the whole screen
//   gnome_driver windowshot FILE          a picture of the window that has the focus, framed
//   gnome_driver find SCREEN WINDOW       where WINDOW's picture stands in SCREEN: x y w h
//   gnome_driver portal LAYOUT            stands in for the desktop portal's settings until
//                                         ended: the title bars' button layout is LAYOUT
//
// The shell lets only certain programs see its windows and take pictures; a program that owns
// the bus name of GNOME's desktop portal is one of them.

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QFileInfo>
#include <QImage>
#include <QStringList>
#include <QThread>
#include <QVariantMap>

#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "display/picture_search.h"

namespace {

const QString kShell = QStringLiteral("org.gnome.Shell");
const QString kMutter = QStringLiteral("org.gnome.Mutter.RemoteDesktop");

QDBusMessage Call(const QString& service, const QString& path, const QString& interface,
                  const QString& method, const QVariantList& arguments = {}) {
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, method);
    call.setArguments(arguments);
    QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, 20000);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        std::fprintf(stderr, "%s.%s: %s\n", qPrintable(interface), qPrintable(method),
                     qPrintable(reply.errorMessage()));
    }
    return reply;
}

bool OwnPortalName() {
    const auto reply = QDBusConnection::sessionBus().interface()->registerService(
        QStringLiteral("org.freedesktop.impl.portal.desktop.gnome"),
        QDBusConnectionInterface::ReplaceExistingService,
        QDBusConnectionInterface::AllowReplacement);
    return reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered;
}

// X11 key symbols of the keys the tests press.
std::optional<unsigned> KeySymbol(const QString& name) {
    static const struct {
        const char* name;
        unsigned symbol;
    } kNamed[] = {{"Escape", 0xff1b}, {"Return", 0xff0d}, {"Tab", 0xff09},   {"space", 0x20},
                  {"Left", 0xff51},   {"Up", 0xff52},     {"Right", 0xff53}, {"Down", 0xff54},
                  {"alt", 0xffe9},    {"ctrl", 0xffe3},   {"shift", 0xffe1}, {"super", 0xffeb}};
    for (const auto& key : kNamed) {
        if (name.compare(QLatin1String(key.name), Qt::CaseInsensitive) == 0)
            return key.symbol;
    }
    if (name.size() == 1 && name[0].isLetterOrNumber() && name[0].unicode() < 0x80)
        return name[0].toLower().unicode();
    return std::nullopt;
}

// A remote-input session of mutter's, for as long as the program runs.
class KeyboardSession {
public:
    bool Start() {
        const QDBusMessage created =
            Call(kMutter, QStringLiteral("/org/gnome/Mutter/RemoteDesktop"), kMutter,
                 QStringLiteral("CreateSession"));
        if (created.type() != QDBusMessage::ReplyMessage || created.arguments().isEmpty())
            return false;
        m_path = qvariant_cast<QDBusObjectPath>(created.arguments().first()).path();
        if (Call(kMutter, m_path, kMutter + QStringLiteral(".Session"), QStringLiteral("Start"))
                .type() != QDBusMessage::ReplyMessage) {
            return false;
        }
        // GNOME 48 loses the first key of each session: a lone Shift goes first, and the new
        // keyboard gets a moment to settle before the keys that count.
        Send(0xffe1, true);
        Send(0xffe1, false);
        QThread::msleep(300);
        return true;
    }
    ~KeyboardSession() {
        if (!m_path.isEmpty())
            Call(kMutter, m_path, kMutter + QStringLiteral(".Session"), QStringLiteral("Stop"));
    }
    void Send(unsigned symbol, bool pressed) {
        Call(kMutter, m_path, kMutter + QStringLiteral(".Session"),
             QStringLiteral("NotifyKeyboardKeysym"), {QVariant::fromValue(symbol), pressed});
        QThread::msleep(30);
    }

private:
    QString m_path;
};

bool PressKeys(KeyboardSession& session, const QStringList& keys) {
    for (const QString& chord : keys) {
        std::vector<unsigned> symbols;
        for (const QString& part : chord.split(u'+')) {
            const std::optional<unsigned> symbol = KeySymbol(part);
            if (!symbol) {
                std::fprintf(stderr, "no key called %s\n", qPrintable(part));
                return false;
            }
            symbols.push_back(*symbol);
        }
        for (unsigned symbol : symbols)
            session.Send(symbol, true);
        for (auto symbol = symbols.rbegin(); symbol != symbols.rend(); ++symbol)
            session.Send(*symbol, false);
        // Time for the menu a key opens to show before the next key arrives.
        QThread::msleep(300);
    }
    return true;
}

int PressKeys(const QStringList& keys) {
    KeyboardSession session;
    if (!session.Start())
        return 1;
    return PressKeys(session, keys) ? 0 : 2;
}

// A keyboard of its own for a whole test, as a person has one: only its very first key can
// go astray (it is a Shift), where each remote-input session of GNOME 48 loses its first.
int Keyboard() {
    KeyboardSession session;
    if (!session.Start())
        return 1;
    std::string line;
    while (std::getline(std::cin, line)) {
        const bool pressed =
            PressKeys(session, QString::fromStdString(line).split(u' ', Qt::SkipEmptyParts));
        std::printf("%s\n", pressed ? "sent" : "refused");
        std::fflush(stdout);
    }
    return 0;
}

int ListWindows() {
    const QDBusMessage reply =
        Call(kShell, QStringLiteral("/org/gnome/Shell/Introspect"),
             kShell + QStringLiteral(".Introspect"), QStringLiteral("GetWindows"));
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return 1;
    // a{ta{sv}}: each window's id with its properties.
    const QDBusArgument windows = qvariant_cast<QDBusArgument>(reply.arguments().first());
    windows.beginMap();
    while (!windows.atEnd()) {
        quint64 id = 0;
        QVariantMap properties;
        windows.beginMapEntry();
        windows >> id;
        windows.beginMap();
        while (!windows.atEnd()) {
            QString key;
            QDBusVariant value;
            windows.beginMapEntry();
            windows >> key >> value;
            windows.endMapEntry();
            properties.insert(key, value.variant());
        }
        windows.endMap();
        windows.endMapEntry();
        std::printf("%s\t%s\t%d\t%d\t%s\n", qPrintable(properties.value("title").toString()),
                    qPrintable(properties.value("app-id").toString()),
                    properties.value("width").toInt(), properties.value("height").toInt(),
                    properties.value("has-focus").toBool() ? "focus" : "-");
    }
    windows.endMap();
    return 0;
}

int TakePicture(const QString& method, const QVariantList& options, const QString& file) {
    QVariantList arguments = options;
    arguments << QFileInfo(file).absoluteFilePath();
    const QDBusMessage reply = Call(kShell, QStringLiteral("/org/gnome/Shell/Screenshot"),
                                    kShell + QStringLiteral(".Screenshot"), method, arguments);
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
                   reply.arguments().first().toBool()
               ? 0
               : 1;
}

int FindWindow(const QString& screenFile, const QString& windowFile) {
    const QImage screen = QImage(screenFile).convertToFormat(QImage::Format_RGB32);
    const QImage window = QImage(windowFile).convertToFormat(QImage::Format_ARGB32);
    if (screen.isNull() || window.isNull())
        return 1;
    const std::optional<QRect> found = FindPicture(screen, window);
    if (!found)
        return 1;
    std::printf("%d %d %d %d\n", found->x(), found->y(), found->width(), found->height());
    return 0;
}

using SettingsByNamespace = QMap<QString, QVariantMap>;

// The desktop portal's settings as far as window frames read them: GNOME's window manager
// preferences with the button layout, nothing else.
class PortalSettings : public QDBusVirtualObject {
public:
    explicit PortalSettings(QString layout) : m_layout(std::move(layout)) {}

    QString introspect(const QString&) const override { return QString(); }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        const QString preferences = QStringLiteral("org.gnome.desktop.wm.preferences");
        const QString layout = QStringLiteral("button-layout");
        QDBusMessage reply;
        if (message.member() == QLatin1String("ReadAll")) {
            SettingsByNamespace settings;
            const QStringList wanted = message.arguments().value(0).toStringList();
            if (wanted.isEmpty() || wanted.contains(preferences))
                settings[preferences] = QVariantMap{{layout, m_layout}};
            reply = message.createReply(QVariant::fromValue(settings));
        } else if ((message.member() == QLatin1String("Read") ||
                    message.member() == QLatin1String("ReadOne")) &&
                   message.arguments().value(0).toString() == preferences &&
                   message.arguments().value(1).toString() == layout) {
            QVariant value = QVariant::fromValue(QDBusVariant(m_layout));
            // Read wraps the value in one variant more than ReadOne.
            if (message.member() == QLatin1String("Read"))
                value = QVariant::fromValue(QDBusVariant(value));
            reply = message.createReply(value);
        } else {
            reply =
                message.createErrorReply(QStringLiteral("org.freedesktop.portal.Error.NotFound"),
                                         QStringLiteral("Requested setting not found"));
        }
        std::printf("%s %s\n", qPrintable(message.member()),
                    qPrintable(message.arguments().value(0).toString()));
        std::fflush(stdout);
        connection.send(reply);
        return true;
    }

private:
    QString m_layout;
};

int ServePortal(QCoreApplication& application, const QString& layout) {
    qDBusRegisterMetaType<SettingsByNamespace>();
    QDBusConnection bus = QDBusConnection::sessionBus();
    PortalSettings settings(layout);
    if (!bus.registerVirtualObject(QStringLiteral("/org/freedesktop/portal/desktop"), &settings) ||
        !bus.registerService(QStringLiteral("org.freedesktop.portal.Desktop"))) {
        std::fprintf(stderr, "gnome_driver: the portal's name or path is taken\n");
        return 1;
    }
    return application.exec();
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments().mid(1);
    const QString command = arguments.value(0);
    if (command == QLatin1String("find") && arguments.size() == 3)
        return FindWindow(arguments[1], arguments[2]);
    if (command == QLatin1String("portal") && arguments.size() == 2)
        return ServePortal(application, arguments[1]);
    if (!QDBusConnection::sessionBus().isConnected()) {
        std::fprintf(stderr, "gnome_driver: no session bus\n");
        return 1;
    }
    if (command == QLatin1String("keys"))
        return PressKeys(arguments.mid(1));
    if (command == QLatin1String("keyboard"))
        return Keyboard();
    if (!OwnPortalName()) {
        std::fprintf(stderr, "gnome_driver: the portal's name is taken\n");
        return 1;
    }
    if (command == QLatin1String("windows"))
        return ListWindows();
    if (command == QLatin1String("shot") && arguments.size() == 2)
        return TakePicture(QStringLiteral("Screenshot"), {false, false}, arguments[1]);
    if (command == QLatin1String("windowshot") && arguments.size() == 2)
        return TakePicture(QStringLiteral("ScreenshotWindow"), {true, false, false}, arguments[1]);
    std::fprintf(stderr,
                 "usage: gnome_driver keys|keyboard|windows|shot|windowshot|find|portal ...\n");
    return 2;
}

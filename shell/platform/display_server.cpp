#include "shell/platform/display_server.h"

#include <QGuiApplication>

#ifdef ROLVAN_WAYLAND_THROUGH_PLATFORM_INTERFACE
#include <qpa/qplatformnativeinterface.h>
#endif

#include <wayland-client.h>

namespace {

#ifdef ROLVAN_WAYLAND_THROUGH_PLATFORM_INTERFACE
// Qt 6.4 hands its connection out only through the platform's private native interface,
// whose binary layout holds for one Qt version (the package pins it).
wl_display* ConnectionOf(QGuiApplication* application) {
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return nullptr;
    QPlatformNativeInterface* native = application->platformNativeInterface();
    if (native == nullptr)
        return nullptr;
    return static_cast<wl_display*>(
        native->nativeResourceForIntegration(QByteArrayLiteral("wl_display")));
}
#else
// From Qt 6.5 the application says so itself; it has no such interface on other platforms.
wl_display* ConnectionOf(QGuiApplication* application) {
#if QT_CONFIG(wayland)
    if (auto* wayland = application->nativeInterface<QNativeInterface::QWaylandApplication>())
        return wayland->display();
#else
    Q_UNUSED(application);
#endif
    return nullptr;
}
#endif

// Qt's connection while the application is a Wayland client, else null. Looked up once per
// application object.
wl_display* WaylandDisplay() {
    static const QGuiApplication* lookedUpFor = nullptr;
    static wl_display* display = nullptr;
    auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (application != lookedUpFor) {
        lookedUpFor = application;
        display = application != nullptr ? ConnectionOf(application) : nullptr;
    }
    return display;
}

}  // namespace

// Only the outgoing side: buffer releases and frame callbacks stay with Qt, which reads
// them on threads of its own and dispatches the releases when its backing store runs
// short of buffers; input and window events stay queued for the event loop.
void SendRequestsToDisplayServer() {
    if (wl_display* display = WaylandDisplay())
        wl_display_flush(display);
}

bool OnWaylandDisplay() {
    return WaylandDisplay() != nullptr;
}

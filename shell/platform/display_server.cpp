#include "shell/platform/display_server.h"

#include <qpa/qplatformnativeinterface.h>
#include <QGuiApplication>

#include <wayland-client.h>

namespace {

// Qt's connection while the application is a Wayland client, else null. Looked up once per
// application object; Qt 6.5 offers it publicly as QNativeInterface::QWaylandApplication.
wl_display* WaylandDisplay() {
    static const QGuiApplication* lookedUpFor = nullptr;
    static wl_display* display = nullptr;
    auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (application != lookedUpFor) {
        lookedUpFor = application;
        display = nullptr;
        QPlatformNativeInterface* native = nullptr;
        if (application != nullptr &&
            QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
            native = application->platformNativeInterface();
        if (native != nullptr)
            display = static_cast<wl_display*>(
                native->nativeResourceForIntegration(QByteArrayLiteral("wl_display")));
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

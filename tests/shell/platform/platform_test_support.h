#pragma once

// What the framework layer's own tests share: input events as Qt delivers them, and a
// settings file of the test's own.

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include <unistd.h>

#include <filesystem>
#include <string>

// Qt delivers a double-click to a widget as press, release, double-click, release.
inline void SendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

inline void ClickWidget(QWidget* widget, Qt::MouseButton button = Qt::LeftButton) {
    const QPoint centre = widget->rect().center();
    SendMouse(widget, QEvent::MouseButtonPress, centre, button);
    SendMouse(widget, QEvent::MouseButtonRelease, centre, button);
}

inline void DoubleClickWidget(QWidget* widget) {
    const QPoint centre = widget->rect().center();
    SendMouse(widget, QEvent::MouseButtonPress, centre, Qt::LeftButton);
    SendMouse(widget, QEvent::MouseButtonRelease, centre, Qt::LeftButton);
    SendMouse(widget, QEvent::MouseButtonDblClick, centre, Qt::LeftButton);
    SendMouse(widget, QEvent::MouseButtonRelease, centre, Qt::LeftButton);
}

// Returns whether some widget took the key.
inline bool PressKey(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent event(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(widget, &event);
    return event.isAccepted();
}

// Runs what Qt has queued, including deletions of widgets and menus.
inline void ProcessEvents() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A path for a settings file in a folder of this test's own.
inline std::string FreshProfilePath(const std::string& name) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("rolvan-platform-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::filesystem::path file = folder / (name + ".conf");
    std::filesystem::remove(file);
    return file.string();
}

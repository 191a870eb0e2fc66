#pragma once

// How the program meets the desktop it starts on: the display platform Qt is asked for and
// the frame Qt draws around windows where the desktop draws none. Decided once at start-up,
// from the environment and Qt's version; a user's own QT_QPA_PLATFORM or
// QT_WAYLAND_DECORATION always stands.

#include <string>

// What start-up reads of its session.
struct DesktopSession {
    std::string platform;        // QT_QPA_PLATFORM
    std::string currentDesktop;  // XDG_CURRENT_DESKTOP, a list separated by colons
    std::string sessionType;     // XDG_SESSION_TYPE
    std::string waylandDisplay;  // WAYLAND_DISPLAY
    std::string x11Display;      // DISPLAY
    std::string decoration;      // QT_WAYLAND_DECORATION
    int qtVersion = 0;           // as QT_VERSION: 0x060402 for Qt 6.4.2
};

// The platform to ask Qt for, or "" to leave the choice to Qt (or to the user).
//
// GNOME's compositor draws no frames for Wayland clients and places a dialog over its
// window only when told that the dialog is modal, which Qt tells it from 6.8 on. An older
// Qt on GNOME's Wayland would show dialogs in a plain frame of its own, wherever the
// compositor puts a new window; through XWayland the desktop frames them and centres them
// over the game. So there the game runs on X11, and falls back to Wayland without it.
std::string PlatformForSession(const DesktopSession& session);

// Whether Qt, drawing its own frames on GNOME's Wayland, takes GNOME-like ones that get their
// buttons from the desktop portal's settings: Qt 6.8 and later, unless the user chose a frame.
// Without a portal that answers, those frames have no buttons at all, not even a close box.
bool FramesNeedPortal(const DesktopSession& session);

// The session as the environment and the running Qt say it.
DesktopSession CurrentDesktopSession();

// Before the QApplication is made: asks Qt for the platform PlatformForSession chooses.
void ChoosePlatformForDesktop();

// After the QApplication is made, before the first window: where Qt's GNOME-like frames would
// have no buttons because no desktop portal answers, Qt's plain frame, with its close box,
// takes their place.
void ChooseWindowFrames();

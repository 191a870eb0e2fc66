// The platform and the frames start-up asks Qt for, by the session it starts in.

#include <QtGlobal>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "shell/platform/desktop_session.h"

namespace {

constexpr int kQt64 = 0x060402;
constexpr int kQt68 = 0x060802;

DesktopSession GnomeWayland(int qtVersion) {
    DesktopSession session;
    session.currentDesktop = "GNOME";
    session.sessionType = "wayland";
    session.waylandDisplay = "wayland-0";
    session.x11Display = ":0";
    session.qtVersion = qtVersion;
    return session;
}

TEST(DesktopSession, OnlyAnOlderQtOnGnomesWaylandGoesThroughXWayland) {
    struct Case {
        const char* what;
        DesktopSession session;
        std::string platform;
    };
    std::vector<Case> cases;
    cases.push_back({"Qt 6.4 on GNOME's Wayland", GnomeWayland(kQt64), "xcb;wayland"});
    cases.push_back({"Qt 6.8 speaks to GNOME itself", GnomeWayland(kQt68), ""});
    cases.push_back({"the last Qt before 6.8", GnomeWayland(0x0607ff), "xcb;wayland"});
    {
        DesktopSession session = GnomeWayland(kQt64);
        session.platform = "wayland";
        cases.push_back({"the user's own platform stands", session, ""});
    }
    {
        DesktopSession session = GnomeWayland(kQt64);
        session.x11Display.clear();
        cases.push_back({"no XWayland to go through", session, ""});
    }
    for (const char* desktop : {"ubuntu:GNOME", "GNOME-Classic:GNOME", "gnome"}) {
        DesktopSession session = GnomeWayland(kQt64);
        session.currentDesktop = desktop;
        cases.push_back({desktop, session, "xcb;wayland"});
    }
    for (const char* desktop : {"KDE", "sway", "", "GNOME-Flashback", "XGNOME"}) {
        DesktopSession session = GnomeWayland(kQt64);
        session.currentDesktop = desktop;
        cases.push_back({"another desktop", session, ""});
    }
    {
        DesktopSession session = GnomeWayland(kQt64);
        session.sessionType = "x11";
        session.waylandDisplay.clear();
        cases.push_back({"GNOME on X11 is X11 anyway", session, ""});
    }
    {
        DesktopSession session = GnomeWayland(kQt64);
        session.sessionType.clear();
        cases.push_back({"a Wayland display without a session type", session, "xcb;wayland"});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(PlatformForSession(c.session), c.platform);
    }
}

TEST(DesktopSession, OnlyQtsGnomeLikeFramesWaitForThePortal) {
    EXPECT_TRUE(FramesNeedPortal(GnomeWayland(kQt68)));
    EXPECT_TRUE(FramesNeedPortal(GnomeWayland(0x060b02)));
    EXPECT_FALSE(FramesNeedPortal(GnomeWayland(kQt64)));
    DesktopSession chosen = GnomeWayland(kQt68);
    chosen.decoration = "adwaita";
    EXPECT_FALSE(FramesNeedPortal(chosen));
    DesktopSession kde = GnomeWayland(kQt68);
    kde.currentDesktop = "KDE";
    EXPECT_FALSE(FramesNeedPortal(kde));
}

TEST(DesktopSession, QtsVersionIsReadAsQtWritesIt) {
    EXPECT_EQ(CurrentDesktopSession().qtVersion, QT_VERSION);
}

}  // namespace

# Drawing surface: pens, brushes, bitmaps, surfaces and their pixel rules.
list(APPEND ROLVAN_UI_SOURCES
  shell/platform/dc.cpp
  shell/platform/dc_image_owner.cpp
)

# The framework layer: windows, commands, menus, dialogs, settings and the test seam.
list(APPEND ROLVAN_UI_SOURCES
  shell/platform/accessibility.cpp
  shell/platform/app.cpp
  shell/platform/button.cpp
  shell/platform/cmdtarget.cpp
  shell/platform/colordialog.cpp
  shell/platform/cstring.cpp
  shell/platform/desktop_session.cpp
  shell/platform/dialog.cpp
  shell/platform/display_server.cpp
  shell/platform/document.cpp
  shell/platform/frame.cpp
  shell/platform/icons.cpp
  shell/platform/ini_settings.cpp
  shell/platform/menu.cpp
  shell/platform/profile.cpp
  shell/platform/seams.cpp
  shell/platform/system.cpp
  shell/platform/translation.cpp
  shell/platform/view.cpp
  shell/platform/wnd.cpp
)

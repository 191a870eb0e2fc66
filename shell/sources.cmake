list(APPEND ROLVAN_RULES_SOURCES
  shell/stored_values.cpp
)
list(APPEND ROLVAN_UI_SOURCES
  shell/rolvan_app.cpp
  shell/main_frame.cpp
  shell/rolvan_view.cpp
  shell/localized_string.cpp
  shell/about_box.cpp
  shell/accessible_board.cpp
  shell/ball_speed_dialog.cpp
)

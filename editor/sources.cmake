list(APPEND ROLVAN_RULES_SOURCES
  editor/layout_codec.cpp
  editor/layout_storage.cpp
  editor/edit_rules.cpp
)
list(APPEND ROLVAN_UI_SOURCES
  editor/stored_layout_view.cpp
  editor/edit_mode.cpp
  editor/grid_size.cpp
  editor/grid_size_dialog.cpp
)

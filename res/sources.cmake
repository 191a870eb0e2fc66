# The resource tables are plain data and need no Qt.
list(APPEND ROLVAN_RULES_SOURCES
  res/dialogs.cpp
  res/menus.cpp
  res/strings.cpp
)

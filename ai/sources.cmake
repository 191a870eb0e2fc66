list(APPEND ROLVAN_RULES_SOURCES
  ai/move_search.cpp
)
list(APPEND ROLVAN_UI_SOURCES
  ai/levels.cpp
)

list(APPEND ROLVAN_RULES_SOURCES
  ai/move_search.cpp
)

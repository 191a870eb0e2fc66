list(APPEND ROLVAN_RULES_SOURCES
  shell/stored_values.cpp
)

list(APPEND ROLVAN_RULES_SOURCES
  editor/layout_codec.cpp
  editor/layout_storage.cpp
)

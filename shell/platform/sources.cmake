# Drawing surface: pens, brushes, bitmaps, surfaces and their pixel rules.
list(APPEND ROLVAN_UI_SOURCES
  shell/platform/dc.cpp
  shell/platform/dc_image_owner.cpp
)


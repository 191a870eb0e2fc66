# The arithmetic of the pictures and the ball's steps needs no window.
list(APPEND ROLVAN_RULES_SOURCES
  render/ball_motion.cpp
  render/button_geometry.cpp
  render/tile_strokes.cpp
)
list(APPEND ROLVAN_UI_SOURCES
  render/square_pictures.cpp
  render/view_painting.cpp
  render/tile_buttons.cpp
  render/colour_commands.cpp
)

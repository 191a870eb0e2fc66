list(APPEND ROLVAN_RULES_SOURCES
  game/board.cpp
  game/geometry.cpp
  game/ball_path.cpp
  game/start_position.cpp
)

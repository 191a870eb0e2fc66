list(APPEND ROLVAN_RULES_SOURCES
  game/board.cpp
  game/geometry.cpp
  game/ball_path.cpp
  game/start_position.cpp
)
list(APPEND ROLVAN_UI_SOURCES
  game/turns.cpp
  game/scores_dialog.cpp
  game/animation.cpp
)

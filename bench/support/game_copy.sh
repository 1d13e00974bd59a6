# Sourced by the bench scripts: which engine builds they can run, and a scratch
# copy of the game folder (without the player's settings) holding the chosen
# one as ./engine.

# Prints the path of ENGINE in BUILD_DIR: korvane (the game), korvane_spinning,
# korvane_at_nav2 or bare_window (benchmark builds).
engine_binary() {  # BUILD_DIR ENGINE
  case $2 in
    korvane) echo "$1/game/korvane" ;;
    korvane_spinning | korvane_at_nav2 | bare_window) echo "$1/bench/$2" ;;
    *) echo "unknown engine $2" >&2; return 2 ;;
  esac
}

copy_game_with_engine() {  # BUILD_DIR ENGINE_BINARY SCRATCH_DIR
  cp -r "$1/game" "$3/game"
  rm -f "$3/game/settings.cfg"
  cp "$2" "$3/game/engine"
}

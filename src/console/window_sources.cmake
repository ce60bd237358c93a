# The main window: console log, input line, control panel, quick buttons and menus.
target_sources(zc_console PRIVATE
  completion_popup.cpp
  console_fonts.cpp
  console_log.cpp
  control_panel.cpp
  function_menus.cpp
  history_walk.cpp
  input_line.cpp
  main_menu.cpp
  main_window.cpp
  name_completion.cpp
  quick_buttons.cpp
  session_file.cpp
  session_keeper.cpp
)

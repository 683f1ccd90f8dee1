# kolt-cli, run as a real process on fixture homes.
kolt_add_test(test_app_cli SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_cli.cpp LIBS kolt_core)
target_compile_definitions(test_app_cli PRIVATE KOLT_CLI="$<TARGET_FILE:kolt-cli>")
add_dependencies(test_app_cli kolt-cli)

# The terminal port on a pseudo-terminal.
kolt_add_test(test_app_terminal_ui
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_terminal_ui.cpp ${PROJECT_SOURCE_DIR}/src/app/TerminalUi.cpp
  LIBS kolt_core)

# kolt-cli: the core on a terminal (no Widgets), beside kolt-helper in the build folder.
add_executable(kolt-cli main_cli.cpp TerminalUi.cpp TerminalUi.h CliTurns.cpp CliTurns.h)
target_link_libraries(kolt-cli PRIVATE kolt_programs kolt_platform kolt_exchange)
set_target_properties(kolt-cli PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

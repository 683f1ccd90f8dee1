# Sending and receiving turns on real parts: Info-ZIP archives, a local SMTP server
# (aiosmtpd), the Steel Panthers adapter on temporary installations, and kolt-cli run as
# two players' processes.
kolt_add_test(test_exchange_turns
  SOURCES
    turns/TurnsFixture.h
    turns/test_turns_receive.cpp
    turns/test_turns_send.cpp
    turns/test_turns_working.cpp
    turns/test_turns_passes.cpp
  LIBS kolt_exchange kolt_programs kolt_platform_linux
  ENV "DBUS_SESSION_BUS_ADDRESS="
  TIMEOUT 180)
target_include_directories(test_exchange_turns PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_definitions(test_exchange_turns PRIVATE
  SMTP_SERVER_SCRIPT="${CMAKE_CURRENT_SOURCE_DIR}/mail/smtp_server.py")

# The same game between two players, each a kolt-cli process with its own home.
kolt_add_test(test_exchange_turns_two_players
  SOURCES turns/test_turns_two_players.cpp
  LIBS kolt_core
  TIMEOUT 300)
target_include_directories(test_exchange_turns_two_players PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_definitions(test_exchange_turns_two_players PRIVATE
  KOLT_CLI="$<TARGET_FILE:kolt-cli>"
  SMTP_SERVER_SCRIPT="${CMAKE_CURRENT_SOURCE_DIR}/mail/smtp_server.py")
add_dependencies(test_exchange_turns_two_players kolt-cli)

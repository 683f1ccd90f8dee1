# The settings dialog and the SMTP progress window (offscreen), the latter on a real
# local SMTP server.
find_package(Qt6 REQUIRED COMPONENTS Test)
kolt_add_test(test_ui_mail
  SOURCES mail/test_mail_windows.cpp
  LIBS kolt_ui kolt_exchange Qt6::Test
  GUI
  ENV "DBUS_SESSION_BUS_ADDRESS="
  TIMEOUT 120)
target_include_directories(test_ui_mail PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/../exchange)
target_compile_definitions(test_ui_mail PRIVATE
  SMTP_SERVER_SCRIPT="${CMAKE_CURRENT_SOURCE_DIR}/../exchange/mail/smtp_server.py")

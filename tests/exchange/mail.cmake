# Mail transport against real peers: a local SMTP server (aiosmtpd) and stand-in
# desktop mail clients on PATH.
kolt_add_test(test_exchange_mail
  SOURCES
    mail/test_mail_parts.cpp
    mail/test_mail_smtp.cpp
    mail/test_mail_desktop.cpp
    mail/RecordingProgress.h
    mail/SmtpTestServer.h
  LIBS kolt_exchange
  # No session bus: the password goes to the file store, never a developer's keyring.
  ENV "DBUS_SESSION_BUS_ADDRESS="
  TIMEOUT 180)
target_compile_definitions(test_exchange_mail PRIVATE
  SMTP_SERVER_SCRIPT="${CMAKE_CURRENT_SOURCE_DIR}/mail/smtp_server.py")
target_include_directories(test_exchange_mail PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
find_package(Qt6Keychain CONFIG QUIET)
if(Qt6Keychain_FOUND)
  target_sources(test_exchange_mail PRIVATE mail/test_mail_keyring.cpp)
  target_compile_definitions(test_exchange_mail PRIVATE KOLT_HAVE_KEYCHAIN)
endif()

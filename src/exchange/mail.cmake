# Mail transport: SMTP through libcurl, hand-off to the desktop mail client, the SMTP
# password store, the test message.
target_sources(kolt_exchange PRIVATE
  mail/DesktopMailClient.cpp mail/DesktopMailClient.h
  mail/FilePasswordStore.cpp mail/FilePasswordStore.h
  mail/MailProgress.cpp mail/MailProgress.h
  mail/MailText.cpp mail/MailText.h
  mail/MailTransport.h
  mail/Mailer.cpp mail/Mailer.h
  mail/PasswordStore.cpp mail/PasswordStore.h
  mail/SmtpSender.cpp mail/SmtpSender.h
  mail/TestMessage.cpp mail/TestMessage.h
)
target_link_libraries(kolt_exchange PUBLIC PkgConfig::LIBCURL)

# The desktop keyring is used when the build finds QtKeychain; without it the password
# file is the only store.
find_package(Qt6Keychain CONFIG QUIET)
if(Qt6Keychain_FOUND)
  target_sources(kolt_exchange PRIVATE mail/KeyringPasswordStore.cpp mail/KeyringPasswordStore.h)
  target_compile_definitions(kolt_exchange PRIVATE KOLT_HAVE_KEYCHAIN)
  target_link_libraries(kolt_exchange PRIVATE Qt6Keychain::Qt6Keychain)
endif()

#include "exchange/mail/PasswordStore.h"

#include <QCoreApplication>

#include "exchange/mail/FilePasswordStore.h"
#ifdef KOLT_HAVE_KEYCHAIN
#include "exchange/mail/KeyringPasswordStore.h"
#endif

namespace kolt {

#ifdef KOLT_HAVE_KEYCHAIN
namespace {

bool UseKeyring() {
  // A keyring needs the session bus (and an event loop for its jobs); without them the
  // keyring calls would only fail slowly.
  static const bool use =
      !qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS").isEmpty() && QCoreApplication::instance() != nullptr;
  return use;
}

}  // namespace
#endif

PasswordStore& ImapPasswordStore() {
#ifdef KOLT_HAVE_KEYCHAIN
  if (UseKeyring()) {
    static KeyringPasswordStore keyring(QStringLiteral("imap"), QStringLiteral("imap-password"));
    return keyring;
  }
#endif
  static FilePasswordStore file(QString(), QStringLiteral("imap-password"));
  return file;
}

PasswordStore& DefaultPasswordStore() {
#ifdef KOLT_HAVE_KEYCHAIN
  if (UseKeyring()) {
    static KeyringPasswordStore keyring;
    return keyring;
  }
#endif
  static FilePasswordStore file;
  return file;
}

}  // namespace kolt

#include "exchange/mail/PasswordStore.h"

#include <QCoreApplication>

#include "exchange/mail/FilePasswordStore.h"
#ifdef KOLT_HAVE_KEYCHAIN
#include "exchange/mail/KeyringPasswordStore.h"
#endif

namespace kolt {

PasswordStore& DefaultPasswordStore() {
#ifdef KOLT_HAVE_KEYCHAIN
  // A keyring needs the session bus (and an event loop for its jobs); without them the
  // keyring calls would only fail slowly.
  static const bool useKeyring =
      !qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS").isEmpty() && QCoreApplication::instance() != nullptr;
  if (useKeyring) {
    static KeyringPasswordStore keyring;
    return keyring;
  }
#endif
  static FilePasswordStore file;
  return file;
}

}  // namespace kolt

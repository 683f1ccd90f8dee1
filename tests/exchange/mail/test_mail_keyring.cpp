// The keyring store when no keyring answers: the password must still be kept, in the
// password file, and quickly.
#include <gtest/gtest.h>

#include "mail/QtPrinters.h"

#ifdef KOLT_HAVE_KEYCHAIN
#include <QElapsedTimer>

#include "exchange/mail/FilePasswordStore.h"
#include "exchange/mail/KeyringPasswordStore.h"
#include "support/TempHome.h"

using namespace kolt;
using namespace kolt::test;

TEST(KeyringPasswordStore, FallsBackToThePasswordFile) {
  TempHome home;
  const QByteArray old = qgetenv("DBUS_SESSION_BUS_ADDRESS");
  qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + QFile::encodeName(home.Root()) + "/no-bus");
  KeyringPasswordStore store;
  QElapsedTimer timer;
  timer.start();
  ASSERT_TRUE(store.WritePassword("kept"));
  EXPECT_EQ(store.Location(), home.File("smtp-password"));
  EXPECT_EQ(FilePasswordStore().ReadPassword(), "kept");
  EXPECT_EQ(store.ReadPassword(), "kept");
  ASSERT_TRUE(store.WritePassword(""));
  EXPECT_FALSE(QFile::exists(home.File("smtp-password")));
  EXPECT_LT(timer.elapsed(), 10000);
  qputenv("DBUS_SESSION_BUS_ADDRESS", old);
}
#endif

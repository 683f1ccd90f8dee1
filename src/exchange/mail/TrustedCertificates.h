#pragma once

#include <QString>
#include <optional>

#include "exchange/mail/ServerCertificate.h"

namespace kolt {

// The certificates the user chose to trust from the settings dialog, one per server
// ("host:port"), in the home folder's "trusted-certificates". A connection to such a
// server accepts that certificate's key and nothing else.
class TrustedCertificates {
 public:
  static QString Path();
  static std::optional<ServerCertificate> Find(const QString& server);
  // Replaces what was trusted for `server`. False when the file could not be written.
  [[nodiscard]] static bool Trust(const QString& server, const ServerCertificate& certificate);
};

}  // namespace kolt

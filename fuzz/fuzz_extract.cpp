// A received archive: unpacked into a folder of its own, it never places anything outside
// that folder, whatever its entries claim.
#include <QDirIterator>

#include "FuzzSupport.h"
#include "exchange/archive/SafeExtractor.h"

using namespace kolt;

namespace {

// Every path below `folder`, files and links included.
QStringList Everything(const QString& folder) {
  QStringList paths;
  QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) paths.append(it.next());
  return paths;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString archive = fuzz::WriteInput(QStringLiteral("in/received.zip"), fuzz::Bytes(data, size));
  const QString root = fuzz::Folder() + QStringLiteral("/box");
  const QString target = root + QStringLiteral("/target");
  QDir(root).removeRecursively();
  QDir().mkpath(target);
  ExtractLimits limits;
  limits.maxBytes = qint64(16) << 20;
  SafeExtractor extractor([](const QString&) {}, [] { return std::optional<QByteArray>(); }, limits);
  (void)extractor.Extract(archive, target);
  for (const QString& path : Everything(root))
    fuzz::Require(path == target || path.startsWith(target + QChar('/')));
  fuzz::Require(Everything(fuzz::Folder() + QStringLiteral("/in")).size() == 1);
  return 0;
}

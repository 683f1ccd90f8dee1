// A user-defined program's description rule on a game file: the first line of the input
// is the rule, the rest the file.
#include "FuzzSupport.h"
#include "programs/CUSTOM/CUSTOM_Game.h"

using namespace kolt;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray input = fuzz::Bytes(data, size);
  const qsizetype newline = input.indexOf('\n');
  const QString rule = QString::fromLatin1(newline < 0 ? input : input.left(newline));
  const QString path =
      fuzz::WriteInput(QStringLiteral("game.sav"), newline < 0 ? QByteArray() : input.mid(newline + 1));
  fuzz::QuietUi ui;
  (void)DescriptionRule(ui, path, rule);
  return 0;
}

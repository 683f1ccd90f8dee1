// SENDER.TXT from another player: any bytes read without harm, and what was read is
// written and read again as the same record (a turn passed on keeps its sender).
#include "FuzzSupport.h"
#include "exchange/turns/SenderRecord.h"

using namespace kolt;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Folder();
  const SenderRecord first = ParseSenderFile(fuzz::Bytes(data, size));
  const SenderRecord again = ParseSenderFile(SenderFileBytes(first));
  fuzz::Require(again.address == first.address && again.timeZoneText == first.timeZoneText &&
                again.bias == first.bias && again.version == first.version);
  return 0;
}

#pragma once

#include "exchange/archive/ArchiveWrapper.h"
#include "exchange/archive/MemoryArchiveLog.h"
#include "exchange/mail/Mailer.h"
#include "exchange/turns/TurnExchange.h"
#include "model/ProgramList.h"
#include "model/Services.h"

namespace kolt::test {

// One player's turn exchange wired as the application wires it, with the archive
// window's lines kept in memory and no mail progress window: the real archive wrapper,
// mailer and exchange engine over the given port, toolbox and program list. A test may
// hand the exchange a transport of its own instead of the mailer.
struct ExchangeParts {
  ExchangeParts(UiPort& ui, Wintools& tools, ProgramList& programs, MailTransport* transport = nullptr)
      : archive(ui, log),
        mailer(ui),
        exchange(ui, tools, programs, archive, transport ? *transport : static_cast<MailTransport&>(mailer)) {
  }

  // What adapters get: the port, the toolbox and this exchange's receive batches.
  Services ServicesFor(UiPort& ui, Wintools& tools) {
    TurnExchange* x = &exchange;
    return Services{ui, tools, [x] { return x->NewBatch(); }};
  }

  MemoryArchiveLog log;
  ArchiveWrapper archive;
  Mailer mailer;
  TurnExchange exchange;
};

}  // namespace kolt::test

#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include "exchange/turns/ReceiveEngine.h"
#include "model/ProgramList.h"

namespace kolt {

// What became of one received KLT archive, told the same way by kolt-cli and the window:
// taken in, or the reason it was not.
struct ReceiveOutcome {
  Q_DECLARE_TR_FUNCTIONS(ReceiveOutcome)

 public:
  enum class Kind {
    TakenIn,    // unpacked; a program's batch took its files in (or found them in place)
    Refused,    // not unpacked or not taken in: the user was told why, or chose so
    Stopped,    // copying stopped at a file: the user was told why
    Declined,   // the user did not confirm older files
    NoFiles,    // a program's folder held nothing the program takes
    NoProgram,  // no folder of an installed program
  };

  // The outcome of TurnExchange::ReceivedFile returning `taken`, from the records before
  // and after it and, when nothing came in, the unpacked archive it left in the receive
  // folder. `programs` are the installed programs.
  static ReceiveOutcome Of(bool taken, const ReceiveRecords& before, const ReceiveRecords& after,
                           const ProgramList& programs);

  bool TakenIn() const { return kind == Kind::TakenIn; }

  Kind kind = Kind::TakenIn;
  // Why not, as in "... was not taken in: <reason>"; empty when taken in.
  QString reason;
  // NoProgram: the folders at the top of the archive, as named there; a folder named
  // after a program that is not set up holds a turn for it.
  QStringList folders;
};

}  // namespace kolt

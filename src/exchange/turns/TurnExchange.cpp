#include "exchange/turns/TurnExchange.h"

#include "core/UiPort.h"

// Placeholder bodies until sending and receiving land: each says so plainly.
namespace kolt {

namespace {
const QString kNotYet = QStringLiteral("Sending and receiving turns is not available yet.");
}

TurnExchange::TurnExchange(UiPort& ui, Wintools& tools, ProgramList& programs, ArchiveWrapper& archive,
                           MailTransport& mail)
    : m_ui(ui), m_tools(tools), m_programs(programs), m_archive(archive), m_mail(mail) {}

TurnExchange::~TurnExchange() = default;

bool TurnExchange::SendGroup(const QString&, const GameList&, int, int, bool, bool) {
  m_ui.MsgBox(kNotYet, Buttons::Ok, Icon::Information);
  return false;
}

bool TurnExchange::ReceivedFile(const QString&) {
  m_ui.MsgBox(kNotYet, Buttons::Ok, Icon::Information);
  return false;
}

void TurnExchange::ProcessWorkingFolder() {}

bool TurnExchange::DeleteTempDir(QString*) { return true; }

void TurnExchange::DecompressFolder(const QString&) {}

void TurnExchange::SetWorkingFolderCommand() { m_ui.MsgBox(kNotYet, Buttons::Ok, Icon::Information); }

std::unique_ptr<ReceiveBatch> TurnExchange::NewBatch() { return nullptr; }

}  // namespace kolt

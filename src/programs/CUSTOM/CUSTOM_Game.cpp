#include "programs/CUSTOM/CUSTOM_Game.h"

namespace kolt {

// Not complete yet.

void CUSTOM_Game::Init(std::shared_ptr<Program> program, const QString& subfolder, const QString& fileName) {
  (void)subfolder;
  m_program = std::move(program);
  m_fileName = fileName;
  m_valid = false;
}

QString CUSTOM_Game::GetModified() const {
  return QString();
}

qint64 CUSTOM_Game::GetSize() const {
  return 0;
}

QStringList CUSTOM_Game::GetFiles() const {
  return {};
}

void CUSTOM_Game::Delete() {}

QString CUSTOM_Game::GetModifiedStamp() const {
  return QString();
}

QString DescriptionRule(UiPort& ui, const QString& path, const QString& rule) {
  (void)ui, (void)path, (void)rule;
  return QString();
}

}  // namespace kolt

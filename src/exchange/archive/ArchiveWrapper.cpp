#include "exchange/archive/ArchiveWrapper.h"

#include <archive.h>

#include <QFileInfo>
#include <algorithm>

#include "core/UiPort.h"
#include "exchange/archive/ArchiveCodes.h"
#include "exchange/archive/ZipWriter.h"

namespace kolt {
namespace {

// The name of the component in error boxes, e.g. "libarchive 3.6.2".
QString Component() {
  return QString::fromLatin1(archive_version_string());
}

QString TrimLineEnds(const QString& text) {
  qsizetype begin = 0, end = text.size();
  auto lineEnd = [](QChar c) { return c == QChar('\r') || c == QChar('\n'); };
  while (begin < end && lineEnd(text[begin])) ++begin;
  while (end > begin && lineEnd(text[end - 1])) --end;
  return text.mid(begin, end - begin);
}

}  // namespace

ArchiveWrapper::ArchiveWrapper(UiPort& ui, ArchiveLog& log) : m_ui(ui), m_log(log) {}

void ArchiveWrapper::UnzipInit() {
  SetZipFName(QString());
  SetExtractRoot(QString());
  m_log.SetMode(ArchiveLog::Mode::Unzip);
  m_log.ClearLines();
  m_messages.clear();
}

void ArchiveWrapper::ZipInit() {
  m_log.SetMode(ArchiveLog::Mode::Zip);
  SetZipFName(QString());
  SetExtractRoot(QString());
  m_log.ClearLines();
  m_messages.clear();
}

void ArchiveWrapper::SetZipFName(const QString& path) {
  m_zipFName = path;
  m_log.SetArchiveName(path);
}

void ArchiveWrapper::SetExtractRoot(const QString& folder) {
  m_extractRoot = folder;
  m_log.SetExtractRoot(folder);
}

void ArchiveWrapper::AddMessage(const QString& text) {
  const QStringList pieces = text.split(QChar('\n'));
  for (const QString& piece : pieces) {
    const QString line = TrimLineEnds(piece);
    if (line.isEmpty()) continue;
    m_log.AddLine(line);
    m_messages.append(line);
  }
  m_ui.DoEvents();
}

QString ArchiveWrapper::FailureText() const {
  // The progress lines of the extractor and the writer, in their own spelling.
  static const QStringList progress = {QStringLiteral("Archive:  "), QStringLiteral("  inflating: "),
                                       QStringLiteral("   creating: "), QStringLiteral("  adding: "),
                                       QStringLiteral("Done!")};
  QStringList reasons;
  for (const QString& line : m_messages) {
    const bool isProgress = std::any_of(progress.begin(), progress.end(),
                                        [&line](const QString& p) { return line.startsWith(p); });
    if (!isProgress) reasons.append(line);
  }
  return reasons.join(QChar('\r'));
}

QString ArchiveWrapper::WithFailureText(const QString& message) const {
  const QString reasons = FailureText();
  return reasons.isEmpty() ? message : message + QStringLiteral("\r\r") + reasons;
}

std::optional<QByteArray> ArchiveWrapper::AskPassword() {
  if (m_skipPasswords) return std::nullopt;
  const std::optional<QString> answer = m_ui.InputBox(tr("Please Enter The Password!"), QString());
  // An empty answer or Cancel skips this entry and every later one of the run.
  if (!answer || answer->isEmpty()) {
    m_skipPasswords = true;
    return std::nullopt;
  }
  return answer->toUtf8().left(256);
}

bool ArchiveWrapper::Unzip() {
  SafeExtractor extractor([this](const QString& line) { AddMessage(line); }, [this] { return AskPassword(); },
                          m_limits);
  AddMessage(QStringLiteral("Archive:  ") + m_zipFName);
  const int code = extractor.Extract(m_zipFName, m_extractRoot);
  if (!extractor.FailedCall().isEmpty()) {
    RaiseError(code, tr("out of memory"), Component());
    //: %1: the archive library and its version, %2: the function that failed
    m_ui.ShowError(tr("%1 %2 failed").arg(Component(), extractor.FailedCall()));
  }
  m_lastCode = code;
  AddMessage(code == 0 ? QStringLiteral("Done!") : QStringLiteral("Retcode: ") + QString::number(code));
  return code == 0;
}

bool ArchiveWrapper::Zip(const QString& archivePath, const QString& rootFolder, const QStringList& names) {
  QString shown = m_extractRoot;
  for (const QString& name : names)
    shown += (name == QStringLiteral("*") ? QFileInfo(rootFolder).fileName() : name) + QChar(' ');
  SetExtractRoot(shown);
  ZipWriter writer([this](const QString& line) { AddMessage(line); });
  const int code = writer.Zip(archivePath, rootFolder, names);
  if (!writer.FailedCall().isEmpty()) {
    RaiseError(code, tr("the ZIP writer is not available"), Component());
    //: %1: the archive library and its version, %2: the function that failed
    m_ui.ShowError(tr("%1 %2 failed").arg(Component(), writer.FailedCall()));
  }
  m_lastCode = code;
  AddMessage(code == 0 ? QStringLiteral("Done!") : QStringLiteral("Return code:") + QString::number(code));
  return code == 0;
}

}  // namespace kolt

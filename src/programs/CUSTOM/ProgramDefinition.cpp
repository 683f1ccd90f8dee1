#include "programs/CUSTOM/ProgramDefinition.h"

#include <QCoreApplication>

#include <algorithm>
#include <utility>

#include "core/FileNames.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "core/Utilities.h"
#include "programs/BuiltinProgram.h"

namespace kolt {
namespace {

const QString kSettings = QStringLiteral("Settings");
const QString kFileTypes = QStringLiteral("FileTypes");

QString FileSection(std::size_t index) {
  return QStringLiteral("File") + QString::number(index);
}

bool Flag(const QString& value) {
  return LeadingNumber(value) != 0;
}

// The Settings keys in the order the editor has always written them.
std::pair<const char*, QString ProgramDefinition::*> const kSettingKeys[] = {
    {"LongName", &ProgramDefinition::LongName},
    {"EXE", &ProgramDefinition::EXE},
    {"EMailSubDir", &ProgramDefinition::EMailSubDir},
    {"Uninstall", &ProgramDefinition::Uninstall},
    {"KOLTFilePattern", &ProgramDefinition::KOLTFilePattern},
    {"Description", &ProgramDefinition::Description},
    {"CommandLine", &ProgramDefinition::CommandLine},
    {"Contact", &ProgramDefinition::Contact},
    {"ContactEMail", &ProgramDefinition::ContactEMail},
};

// The flags of a file type in the order they are written.
std::pair<const char*, bool CUSTOM_File::*> const kFlagKeys[] = {
    {"Primary", &CUSTOM_File::Primary},
    {"Modified", &CUSTOM_File::Modified},
    {"CheckSame", &CUSTOM_File::CheckSame},
    {"Required", &CUSTOM_File::Required},
};

// A reader drops one pair of quotes around a value (as Windows does), so a value that is
// itself in quotes, like the command line "%f" "%p", gets a pair more to read back whole.
QString Stored(const QString& value) {
  const QString t = value.trimmed();
  const bool quoted =
      t.size() >= 2 && (t.front() == QChar('"') || t.front() == QChar('\'')) && t.back() == t.front();
  return quoted ? QChar('"') + value + QChar('"') : value;
}

QString UpperExtension(const QString& name) {
  const qsizetype dot = name.lastIndexOf(QChar('.'));
  return dot < 0 ? QString() : name.mid(dot + 1).toUpper();
}

}  // namespace

QString ProgramDefinition::PathFor(const QString& shortName) {
  const QString home = App().homeFolder;
  const QString name = shortName + QStringLiteral(".INI");
  const QString found = FindEntryNoCase(home, name);
  return found.isEmpty() ? home + QChar('/') + name : found;
}

bool ProgramDefinition::TooLarge(const QString& path) {
  return IniFileTooLarge(path);
}

ProgramDefinition ProgramDefinition::Read(const QString& path) {
  ProgramDefinition definition;
  for (const auto& [key, field] : kSettingKeys)
    definition.*field = IniRead(kSettings, QLatin1String(key), QString(), path);
  const long long count =
      std::clamp(LeadingInteger(IniRead(kSettings, kFileTypes, QString(), path)), 0LL, kMaxFileTypes);
  for (long long i = 0; i < count; ++i) {
    const QString section = FileSection(std::size_t(i));
    CUSTOM_File file;
    file.Ext = IniRead(section, QStringLiteral("Ext"), QString(), path);
    for (const auto& [key, flag] : kFlagKeys)
      file.*flag = Flag(IniRead(section, QLatin1String(key), QString(), path));
    definition.Files.push_back(file);
  }
  return definition;
}

bool ProgramDefinition::Write(const QString& path) const {
  for (const auto& [key, field] : kSettingKeys) {
    if (!IniWrite(kSettings, QLatin1String(key), Stored(this->*field), path)) return false;
  }
  if (!IniWrite(kSettings, kFileTypes, QString::number(Files.size()), path)) return false;
  for (std::size_t i = 0; i < Files.size(); ++i) {
    const QString section = FileSection(i);
    if (!IniWrite(section, QStringLiteral("Ext"), Stored(Files[i].Ext), path)) return false;
    for (const auto& [key, flag] : kFlagKeys) {
      if (!IniWrite(section, QLatin1String(key), Files[i].*flag ? QStringLiteral("1") : QString(), path))
        return false;
    }
  }
  return true;
}

bool ProgramDefinition::WriteLongName(const QString& path, const QString& longName) {
  return IniWrite(kSettings, QStringLiteral("LongName"), Stored(longName), path);
}

bool ProgramDefinition::Compact(const QString& path) {
  return CompactIniFile(path);
}

QStringList ProgramDefinition::FileTypeWarnings() const {
  if (Files.empty())
    return {QCoreApplication::translate("ProgramDefinition", "At least one file type is required.")};
  QStringList warnings;
  bool primary = false, modified = false, checkSame = false, required = false;
  for (const CUSTOM_File& file : Files) {
    if (file.Primary) {
      if (primary)
        warnings.append(QCoreApplication::translate("ProgramDefinition",
                                                    "Only one file type can have the Primary checked."));
      primary = true;
    }
    if (file.Modified) {
      if (modified)
        warnings.append(QCoreApplication::translate("ProgramDefinition",
                                                    "Only one file type can have the Modified checked."));
      modified = true;
    }
    checkSame = checkSame || file.CheckSame;
    required = required || file.Required;
  }
  if (!primary)
    warnings.append(
        QCoreApplication::translate("ProgramDefinition", "One file type must have the Primary checked."));
  if (!modified)
    warnings.append(
        QCoreApplication::translate("ProgramDefinition", "One file type must have the Modified checked."));
  if (!checkSame)
    warnings.append(QCoreApplication::translate("ProgramDefinition",
                                                "At least one file type must have the Check Same checked."));
  if (!required)
    warnings.append(QCoreApplication::translate("ProgramDefinition",
                                                "At least one file type must have the Required checked."));
  for (std::size_t i = 0; i < Files.size(); ++i) {
    for (std::size_t j = i + 1; j < Files.size(); ++j) {
      if (Files[i].Ext.compare(Files[j].Ext, Qt::CaseInsensitive) == 0) {
        warnings.append(
            QCoreApplication::translate("ProgramDefinition", "Each extension should be different."));
        return warnings;
      }
    }
  }
  return warnings;
}

QString ProgramDefinition::ModifiedExt() const {
  QString ext;
  for (const CUSTOM_File& file : Files) {
    if (file.Modified) ext = file.Ext;  // the last one wins
  }
  return ext;
}

const CUSTOM_File* ProgramDefinition::FileTypeOf(const QString& fileName) const {
  const QString extension = UpperExtension(fileName);
  for (const CUSTOM_File& type : Files) {
    if (type.Ext.toUpper() == extension) return &type;
  }
  return nullptr;
}

QStringList ProgramDefinition::UninstallNames() const {
  QStringList names;
  for (const QString& part : Uninstall.split(QChar('|'))) {
    const QString name = part.trimmed();
    if (!name.isEmpty()) names.append(name);
  }
  return names;
}

bool ProgramDefinition::ExeIsPlainName() const {
  return !EXE.isEmpty() && !EXE.contains(QChar('/')) && !EXE.contains(QChar('\\')) &&
         EXE != QStringLiteral(".") && EXE != QStringLiteral("..");
}

bool ProgramDefinition::GameFolderLeavesInstallation(const QString& installation) const {
  return !installation.isEmpty() && LeadsOutOf(installation, EMailSubDir);
}

}  // namespace kolt

#pragma once

#include <QString>

// Where Windows programs live under Wine and how their paths translate.
namespace kolt {

// $WINEPREFIX, else ~/.wine.
QString DefaultWinePrefix();

// The folder above the "drive_c" component of `unixPath` (compared without regard to
// case), or empty when the path has none.
QString WinePrefixOf(const QString& unixPath);

// "C:\..." for a path below a prefix's drive_c, "Z:\..." for any other absolute path
// (Wine's z: drive is the Unix root). Relative paths are made absolute first.
QString UnixToWindowsPath(const QString& unixPath);

// The Unix path of "D:\..." through `prefix`'s dosdevices links (c: -> ../drive_c,
// z: -> /), each part looked up without regard to case; parts that do not exist are
// kept as written. Empty for anything that is not a drive path, or for a drive the
// prefix does not have. "..", "." and empty parts are refused (empty result), so a value
// from the registry cannot climb out of its drive.
QString WindowsToUnixPath(const QString& prefix, const QString& windowsPath);

}  // namespace kolt

#pragma once

// Result codes of Unzip and Zip. The numbers follow Info-ZIP's unzip and zip where the
// meaning is the same, so that "Retcode: 9" reads as it always has to people who know
// those tools.
namespace kolt {

namespace UnzipCode {
constexpr int Ok = 0;
constexpr int Warning = 1;       // extracted, but some entries were skipped (no password) or none held
constexpr int ArchiveError = 2;  // damaged or unreadable data; nothing extracted
constexpr int Refused = 3;       // unsafe or oversized archive; nothing extracted
constexpr int NoMemory = 4;
constexpr int NotFound = 9;       // no such file, or not an archive we read
constexpr int BadParameter = 10;  // no archive or no target folder given
constexpr int DiskError = 50;     // the target folder cannot take the files
constexpr int BadPassword = 82;   // every file was encrypted and skipped
}  // namespace UnzipCode

namespace ZipCode {
constexpr int Ok = 0;
constexpr int NoMemory = 4;
constexpr int ReadError = 11;     // an input file could not be read
constexpr int Nothing = 12;       // no name matched a file
constexpr int WriteError = 14;    // writing the archive failed
constexpr int CreateError = 15;   // the archive could not be created
constexpr int BadParameter = 16;  // a name that leaves the root folder, or no archive path
}  // namespace ZipCode

}  // namespace kolt

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kolt {

// Telling whether a Wine command can run 32-bit Windows programs, and picking out what
// Wine said when a program failed under it.

// The exit code of the program MakeWineProbeProgram builds.
constexpr int kWineProbeExitCode = 42;

// A complete 32-bit Windows program (PE32, i386, GUI, no imports) whose entry point is
// `mov eax, 42; ret`: a Wine that runs 32-bit programs ends it with kWineProbeExitCode.
QByteArray MakeWineProbeProgram();

// A line of Wine's error output that tells of a failure: an "err:" channel line, a
// message of the loader ("wine: failed to load ..."), or the note of Debian's wrapper
// that wine32 is missing.
bool IsWineErrorLine(const QString& line);

// What Wine said in `errorOutput`, for a message box: its lines without the
// fixme/warn/trace chatter, at most `maxLines` (a last line tells how many more there
// were). Empty when no line tells of a failure.
QStringList WineSaid(const QByteArray& errorOutput, int maxLines = 20);

}  // namespace kolt

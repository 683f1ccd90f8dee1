#pragma once

#include <QString>

namespace kolt {

// One file type of a user-defined program: section "File<i>" of its definition file.
struct CUSTOM_File {
  QString Ext;  // without the dot
  bool Primary = false;
  bool CheckSame = false;
  bool Required = false;
  bool Modified = false;

  bool operator==(const CUSTOM_File&) const = default;
};

}  // namespace kolt

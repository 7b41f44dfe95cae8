// The Qt side of the CP932 boundary: the document keeps CP932 bytes, the widgets show QString.
#pragma once

#include <QString>
#include <string>

namespace morvane {

// CP932 bytes to a QString. Bytes that are not valid CP932 are shown as U+FFFD rather than
// dropped, so a damaged value is still visible to the user.
QString FromCp932(const std::string& cp932);

// A QString to CP932 bytes. Characters CP932 cannot hold become "?"; callers that must refuse
// such input check CanEncodeCp932 first.
std::string ToCp932(const QString& text);

// True when every character of text has a CP932 form.
bool CanEncodeCp932(const QString& text);

}  // namespace morvane

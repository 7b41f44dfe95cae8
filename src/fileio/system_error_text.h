// The reason of a failed system call (an errno value) in Japanese; the C library's texts
// follow the locale and are often English.
#pragma once

#include <string>

namespace morvane::fileio {

std::string SystemErrorText(int error);

}  // namespace morvane::fileio

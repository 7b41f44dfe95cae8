// The one iconv loop: the codec and the emulator's driver both convert through it, the codec
// with a descriptor per call and the driver with descriptors it keeps open.
#pragma once

#include <iconv.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace morvane {

// Converts in through the open descriptor cd into out (replacing what out held), growing out as
// needed. A sequence the target cannot hold, or an incomplete one at the end, stops the run with
// false and *failed_at set to its offset in in; with substitute it becomes "?" instead and the
// run goes on past the sequence.
bool RunIconv(iconv_t cd, std::string_view in, std::string& out, bool substitute,
              size_t* failed_at = nullptr);

// True when text holds only ASCII bytes, which every conversion here leaves as they are.
bool IsAscii(std::string_view text);

// Length of the UTF-8 sequence a lead byte starts; 1 for a byte that starts none.
size_t Utf8SequenceLength(unsigned char lead);

}  // namespace morvane

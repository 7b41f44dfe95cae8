// Database product codes as stored in project files.
#pragma once

namespace morvane {

constexpr int kProductNone = 0;
constexpr int kProductRedBrick = 1;
constexpr int kProductOracle8 = 2;
constexpr int kProductBroadbase = 3;
constexpr int kProductOracle7 = 4;

}  // namespace morvane

// The products, one file each in this folder (everything the program knows of each), and what
// their item lists share.
// product_profile.cpp lists them; nothing else reads these.
#pragma once

#include "model/item_def.h"
#include "model/product_profile.h"

namespace morvane {

// The value kinds of the default items, short for the lists.
namespace product_lists {
inline constexpr int T = kValueKindText;
inline constexpr int N = kValueKindNumber;
}  // namespace product_lists

const ProductProfile& RedBrickProfile();
const ProductProfile& Oracle8Profile();
const ProductProfile& Oracle7Profile();
const ProductProfile& BroadbaseProfile();
const ProductProfile& OdbcProfile();

}  // namespace morvane

#include "model/product_profile.h"

#include "model/products/product_profiles.h"

namespace morvane {
namespace {

const ProductProfile kNoProduct{.name = "未選択"};

// Every product, one line each, in menu order.
std::span<const ProductProfile* const> Profiles() {
  static const ProductProfile* const kProfiles[] = {
      &RedBrickProfile(), &Oracle8Profile(), &Oracle7Profile(), &BroadbaseProfile(), &OdbcProfile(),
  };
  return kProfiles;
}

}  // namespace

std::optional<Product> ProductFromCode(int code) {
  if (code == ProductCode(Product::None)) return Product::None;
  for (const ProductProfile* profile : Profiles()) {
    if (ProductCode(profile->product) == code) return profile->product;
  }
  return std::nullopt;
}

const std::vector<Product>& MenuProducts() {
  static const std::vector<Product> products = [] {
    std::vector<Product> in_order;
    for (const ProductProfile* profile : Profiles()) in_order.push_back(profile->product);
    return in_order;
  }();
  return products;
}

std::string_view MenuName(Product product) {
  const ProductProfile& profile = ProfileOf(product);
  return profile.menuName.empty() ? profile.name : profile.menuName;
}

const ProductProfile& ProfileOf(Product product) {
  for (const ProductProfile* profile : Profiles()) {
    if (profile->product == product) return *profile;
  }
  return kNoProduct;
}

bool IsStatisticsItem(const ProductProfile& profile, std::string_view name) {
  for (const char* statistic : profile.lists.statistics) {
    if (name == statistic) return true;
  }
  return false;
}

std::optional<Product> ProductFromCommandWord(std::string_view word) {
  for (const ProductProfile* profile : Profiles()) {
    if (profile->commandWord == word) return profile->product;
  }
  return std::nullopt;
}

}  // namespace morvane

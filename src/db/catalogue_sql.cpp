#include "db/catalogue_sql.h"

#include "model/data_kind.h"

namespace morvane {

namespace {

// Single quotes doubled, as inside an SQL string literal.
std::string QuoteLiteralText(std::string_view text) {
  std::string quoted;
  quoted.reserve(text.size());
  for (char c : text) {
    quoted += c;
    if (c == '\'') quoted += '\'';
  }
  return quoted;
}

}  // namespace

const ProductCatalogue* CatalogueOf(Product product) {
  const ProductProfile& profile = ProfileOf(product);
  return profile.catalogue ? &profile.catalogue() : nullptr;
}

std::optional<CatalogueSql> BuildCatalogueSql(Product product, DataKind data_kind,
                                              std::string_view owner_name) {
  const ProductCatalogue* catalogue = CatalogueOf(product);
  if (catalogue == nullptr) return std::nullopt;
  const StatementTexts texts = catalogue->For(data_kind);
  if (texts.catalogue == nullptr) return std::nullopt;

  CatalogueSql sql;
  sql.count = texts.count;
  if (ProfileOf(product).ownerIsLogin) {
    sql.catalogue = "SELECT '" + QuoteLiteralText(owner_name) + texts.catalogue;
  } else {
    sql.catalogue = texts.catalogue;
  }
  return sql;
}

}  // namespace morvane

// Database products and what each one means to the program: its names, the rules its catalogue
// follows, where its rows keep their values, and its default item lists. Code that behaves
// differently per product asks the product's profile instead of testing the product itself.
#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "model/er_data.h"
#include "model/type_rules.h"

namespace morvane {

struct ProductCatalogue;
struct StandardLayout;

// Database products. The menus list them as Red Brick, Oracle 8, Oracle 7, Broadbase, ODBC; the
// numbers (those of the project file) do not follow that order. Odbc is any data source, read
// through the driver's catalogue functions.
enum class Product : int {
  None = 0,
  RedBrick = 1,
  Oracle8 = 2,
  Broadbase = 3,
  Oracle7 = 4,
  Odbc = 5
};

// The products a project can be made for, in menu order.
const std::vector<Product>& MenuProducts();

// The number the project file keeps for a product, and back; nothing for an unknown number.
constexpr int ProductCode(Product product) { return static_cast<int>(product); }
std::optional<Product> ProductFromCode(int code);

// One default item: its header (UTF-8) and value kind.
struct DefaultItem {
  const char* nameUtf8;
  int valueKind;
};

// The default catalogue lists of a product: (2,1), (2,2), (3,1), (3,2), (4,1).
struct ProductItemLists {
  std::span<const DefaultItem> tableTable, tableColumn, indexTable, indexColumn, tableIndexTable;
  // Names of the items (of any catalogue list) whose values change without any change of the
  // schema: row counts, statistics gathered by the server, storage positions. Comparisons of
  // two fetches leave them out unless asked.
  std::span<const char* const> statistics{};
};

// Where the byte size of a fetched table column comes from.
enum class ColumnSizeSource {
  kNone,       // sizes are not summed
  kCatalogue,  // the catalogue row gives it
  kTypeRules,  // worked out from type, length and scale by the product's type rules
};

struct ProductProfile {
  Product product = Product::None;
  std::string_view name{};             // UTF-8, as in the status bar and window caption
  std::string_view menuName{};         // UTF-8, the New menu's caption when it differs from name
  std::string_view commandWord{};      // the command line's word for it, e.g. "redbrick"
  std::string_view dataSourceWord{};   // data sources whose driver name holds it are offered
  bool offersEveryDataSource = false;  // every data source is offered, whatever its driver
  // Its catalogue is read through the driver's catalogue functions (the generic ODBC product).
  bool readsCatalogueFunctions = false;
  // The catalogue is read for one owner, the login name in capitals; the statements begin with
  // that owner as a literal.
  bool ownerIsLogin = false;
  // Tables carry the counts of columns up to 250 bytes and from 251 bytes (fetched and imported).
  bool columnCountsBySize = false;
  TypeRules typeRules{};  // how column types give sizes; none for a product without them
  ColumnSizeSource columnSize = ColumnSizeSource::kNone;
  bool acceptsExplain = false;            // the free SQL may be an EXPLAIN as well as a SELECT
  bool hasRelationships = false;          // ER windows offer the relation menu
  std::optional<size_t> countPosition{};  // where a table row keeps its COUNT
  // Where a catalogue column row keeps name, type, length, scale and key mark.
  TColumnValuePositions columnPositions{};
  ProductItemLists lists{};
  // Where its items go on the bundled template (標準レイアウト).
  const StandardLayout& (*standardLayout)() = nullptr;
  // The statements that read its catalogue; none for a product read through the driver.
  const ProductCatalogue& (*catalogue)() = nullptr;
};

// True when `name` (CP932; the names are ASCII) is one of the product's statistics items.
bool IsStatisticsItem(const ProductProfile& profile, std::string_view name);

// The New menu's caption of a product (UTF-8).
std::string_view MenuName(Product product);

// The profile of a product; Product::None has the empty one named "未選択".
const ProductProfile& ProfileOf(Product product);

// The product a command-line word names, or nothing.
std::optional<Product> ProductFromCommandWord(std::string_view word);

// Where an Excel file's column rows keep their values (the Excel file column list).
inline constexpr TColumnValuePositions kExcelColumnPositions{1, 2, 6, 7, 11};

// Where the column rows of a catalogue keep their values: the product's positions, or the Excel
// file column list's for tables read from a workbook.
inline TColumnValuePositions ColumnValuePositionsFor(Product product, bool excelFile) {
  return excelFile ? kExcelColumnPositions : ProfileOf(product).columnPositions;
}

}  // namespace morvane

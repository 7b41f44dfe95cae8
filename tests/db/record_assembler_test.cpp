#include "db/record_assembler.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "model/data_kind.h"

namespace morvane {
namespace {

using Texts = std::vector<std::string_view>;

TEST(RecordAssemblerTest, ARowBelongsToTheRecordOfItsOwnerAndName) {
  TTableRec record;
  record.values = TValueList{"SALES", "ORDERS", "TABLE"};
  // The type is not part of the key: such a row still belongs to the record.
  EXPECT_TRUE(RowBelongsTo(record, Texts{"SALES", "ORDERS", "VIEW"}, 2));
  EXPECT_FALSE(RowBelongsTo(record, Texts{"SALES", "ORDERS2", "TABLE"}, 2));
  EXPECT_FALSE(RowBelongsTo(record, Texts{"sales", "ORDERS", "TABLE"}, 2));
  EXPECT_FALSE(RowBelongsTo(record, Texts{"SALES", "ORDERS ", "TABLE"}, 2));
}

}  // namespace
}  // namespace morvane

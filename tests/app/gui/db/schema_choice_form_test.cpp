// The schema choice of a generic ODBC fetch: which schemas are offered and checked, and the
// choice remembered per data source.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>

#include "app/gui/app_settings.h"
#include "app/gui/db/schema_choice_form.h"
#include "text/codec.h"

namespace morvane {
namespace {

TEST(SchemaChoiceFormTest, OffersUserSchemasCheckedAsRememberedAndKeepsTheChoicePerDataSource) {
  const std::string accounts = ToCp932("会計");
  TSchemaChoice choice;
  choice.schemas = {{"public", false}, {"pg_catalog", true}, {"sales", false}, {accounts, false}};
  TfrmSchemaChoice form;
  // The first time every schema but the system's is checked.
  form.Load(choice);
  ASSERT_EQ(form.lstSchema->count(), 3);
  form.Apply(choice);
  EXPECT_EQ(choice.chosen, (std::vector<std::string>{"public", "sales", accounts}));

  QTemporaryDir dir;
  QSettings file(dir.filePath(QStringLiteral("morvane.ini")), QSettings::IniFormat);
  TAppSettings settings(&file);
  EXPECT_FALSE(settings.OdbcSchemas(QStringLiteral("Sales DB")).has_value());
  form.lstSchema->item(0)->setCheckState(Qt::Unchecked);
  form.Apply(choice);
  settings.SetOdbcSchemas(QStringLiteral("Sales DB"), *choice.checked);
  EXPECT_FALSE(settings.OdbcSchemas(QStringLiteral("Other/DB")).has_value());

  // Later the remembered choice is checked, and nothing checked is no choice.
  choice.checked = settings.OdbcSchemas(QStringLiteral("Sales DB"));
  form.Load(choice);
  form.Apply(choice);
  EXPECT_EQ(choice.chosen, (std::vector<std::string>{"sales", accounts}));
  EXPECT_TRUE(form.cmdOK->isEnabled());
  for (int i = 0; i < form.lstSchema->count(); ++i) {
    form.lstSchema->item(i)->setCheckState(Qt::Unchecked);
  }
  EXPECT_FALSE(form.cmdOK->isEnabled());
}

}  // namespace
}  // namespace morvane

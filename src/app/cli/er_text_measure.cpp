#include "app/cli/er_text_measure.h"

#include "model/item_def.h"

#ifdef MORVANE_CLI_ER_IMAGE
#include <QGuiApplication>

#include "er_picture/er_painting.h"
#endif

namespace morvane {

#ifdef MORVANE_CLI_ER_IMAGE
// Fonts need a QGuiApplication; the offscreen platform needs no display.
struct CliERTextMeasure::Gui {
  std::unique_ptr<QGuiApplication> app;
};

CliERTextMeasure::CliERTextMeasure() : gui_(std::make_unique<Gui>()) {
  if (QGuiApplication::instance() == nullptr) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "morvane-cli";
    static char* argv[] = {name, nullptr};
    gui_->app = std::make_unique<QGuiApplication>(argc, argv);
  }
  measure_ = ERTextMeasure();
}
#else
struct CliERTextMeasure::Gui {};

CliERTextMeasure::CliERTextMeasure() {
  measure_ = {[](std::string_view text) { return EstimateTextWidth(text); },
              [](std::string_view text) { return EstimateTextWidth(text); }};
}
#endif

CliERTextMeasure::~CliERTextMeasure() = default;

}  // namespace morvane

#include "app/cli/text_progress.h"

#include <unistd.h>

#include <algorithm>

namespace morvane {
namespace {

constexpr int kBarWidth = 30;

}  // namespace

TextProgressBar::TextProgressBar(std::FILE* out)
    : out_(out), enabled_(::isatty(::fileno(out)) != 0) {}

void TextProgressBar::Begin(const std::string& activity_utf8, int total) {
  activity_ = activity_utf8;
  total_ = total;
  shown_ = -1;
  Draw(0);
}

void TextProgressBar::Step(int done) {
  if (total_ <= 0) return;
  const long long clamped = std::clamp<long long>(done, 0, total_);
  Draw(static_cast<int>(clamped * 100 / total_));
}

void TextProgressBar::End() {
  if (!enabled_ || shown_ < 0) return;
  std::fputs("\r\x1b[K", out_);
  std::fflush(out_);
  shown_ = -1;
}

void TextProgressBar::Draw(int percent) {
  if (!enabled_ || percent == shown_) return;
  shown_ = percent;
  const int filled = percent * kBarWidth / 100;
  std::string bar(static_cast<size_t>(filled), '#');
  bar.append(static_cast<size_t>(kBarWidth - filled), '.');
  std::fprintf(out_, "\r%s [%s] %3d%%", activity_.c_str(), bar.c_str(), percent);
  std::fflush(out_);
}

}  // namespace morvane

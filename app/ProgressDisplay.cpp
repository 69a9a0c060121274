// The progress of a run on stderr.
#include "ProgressDisplay.h"

#include <unistd.h>

#include <cmath>
#include <cstdio>

namespace {

constexpr int kBarWidth = 30;
constexpr double kLineIntervalSeconds = 2.0;

std::string Bar(double fraction) {
  const double filledShare = std::fmin(std::fmax(fraction, 0.0), 1.0);
  const int filled = static_cast<int>(std::lround(filledShare * kBarWidth));
  std::string bar(kBarWidth + 2, '-');
  bar.front() = '[';
  bar.back() = ']';
  bar.replace(1, filled, filled, '#');
  return bar;
}

}  // namespace

bool ParseDoneOfAll(const std::string& text, long& done, long& all) {
  char rest = 0;
  return std::sscanf(text.c_str(), "%ld/%ld%c", &done, &all, &rest) == 2 && done >= 0 &&
         all >= done;
}

ProgressDisplay::Mode ProgressDisplay::ModeFor(bool quiet) {
  if (quiet) return Mode::kQuiet;
  return isatty(STDERR_FILENO) ? Mode::kBar : Mode::kLines;
}

ProgressDisplay::ProgressDisplay(Mode mode, std::ostream& out)
    : _mode(mode), _out(out), _start(std::chrono::steady_clock::now()) {}

void ProgressDisplay::Show(const StatusBarView& status) {
  if (_mode == Mode::kQuiet || !status.progressOn) return;
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - _start).count();
  if (_mode == Mode::kBar) {
    _out << "\r" << Bar(status.fraction) << " " << Describe(status, seconds) << "\033[K"
         << std::flush;
    _barShown = true;
  } else if (seconds - _lastLineSeconds >= kLineIntervalSeconds) {
    _out << "thinfold: " << Describe(status, seconds) << "\n" << std::flush;
    _lastLineSeconds = seconds;
  }
}

void ProgressDisplay::Finish() {
  if (_barShown) _out << "\r\033[K" << std::flush;
  _barShown = false;
}

std::string ProgressDisplay::Describe(const StatusBarView& status, double seconds) const {
  char text[128];
  long done = 0, all = 0;
  const long percent = std::lround(status.fraction * 100.0);
  if (!ParseDoneOfAll(status.text, done, all)) {
    std::snprintf(text, sizeof text, "%3ld%% %s", percent, status.text.c_str());
    return text;
  }
  const double rate = seconds > 0 ? static_cast<double>(done) / seconds : 0.0;
  std::snprintf(text, sizeof text, "%3ld%% %ld/%ld tracks, %.1f tracks/s", percent, done, all,
                rate);
  return text;
}

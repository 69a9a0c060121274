#include "system/LineChannel.h"

#include <cstdio>

void LineChannel::Write(const std::string& line) {
  std::lock_guard lock(_mutex);
  if (!_sink) {
    std::fprintf(stderr, "%s\n", line.c_str());
    return;
  }
  // A copy, so that a receiver that replaces itself does not destroy the running function.
  const standin::LineSink sink = _sink;
  sink(line);
}

standin::LineSink LineChannel::Replace(standin::LineSink sink) {
  std::lock_guard lock(_mutex);
  standin::LineSink previous = std::move(_sink);
  _sink = std::move(sink);
  return previous;
}

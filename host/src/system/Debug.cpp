// The host's debug output and assertion reports.
#include <cstdarg>
#include <cstdio>
#include <string>

#include "system/LineChannel.h"
#include "c4d_debug.h"
#include "c4d_standin.h"

namespace {

LineChannel& DebugChannel() {
  static LineChannel* channel = new LineChannel;
  return *channel;
}

std::string FormatLine(const char* format, va_list args) {
  va_list measure;
  va_copy(measure, args);
  const int length = std::vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  if (length <= 0) return std::string();
  std::string line(static_cast<size_t>(length) + 1, '\0');
  std::vsnprintf(line.data(), line.size(), format, args);
  line.resize(static_cast<size_t>(length));
  return line;
}

}  // namespace

void GeDebugOut(const char* format, ...) {
  if (!format) return;
  va_list args;
  va_start(args, format);
  const std::string line = FormatLine(format, args);
  va_end(args);
  DebugChannel().Write(line);
}

void GeAssertFailed(const char* file, int line, const char* expression) {
  GeDebugOut("%s(%d): %s", file ? file : "", line, expression ? expression : "");
}

standin::LineSink standin::SetDebugSink(LineSink sink) {
  return DebugChannel().Replace(std::move(sink));
}

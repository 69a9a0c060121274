// The host's console: GePrint lines and the headless stand-in's message boxes.
#include "system/LineChannel.h"
#include "c4d_general.h"
#include "c4d_standin.h"

namespace {

LineChannel& ConsoleChannel() {
  static LineChannel* channel = new LineChannel;
  return *channel;
}

}  // namespace

void GePrint(const String& line) { ConsoleChannel().Write(line.ToUtf8()); }

void GeOutString(const String& text, LONG) { ConsoleChannel().Write(text.ToUtf8()); }

standin::LineSink standin::SetConsoleSink(LineSink sink) {
  return ConsoleChannel().Replace(std::move(sink));
}

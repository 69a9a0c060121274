// One output channel of the stand-in (console or debug output): lines go to a replaceable
// receiver, by default stderr. Lines from several threads are delivered one at a time.
#ifndef HOST_LINECHANNEL_H
#define HOST_LINECHANNEL_H

#include <mutex>
#include <string>

#include "c4d_standin.h"

class LineChannel {
 public:
  // Delivers one line. A receiver may itself write to a channel on the same thread.
  void Write(const std::string& line);
  // Installs sink (an empty one restores stderr) and returns the previous receiver.
  standin::LineSink Replace(standin::LineSink sink);

 private:
  std::recursive_mutex _mutex;
  standin::LineSink _sink;
};

#endif

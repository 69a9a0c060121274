// Core messages: any thread posts an event with SpecialEventAdd; the host's main thread delivers
// it, in posting order, to the CoreMessage of every open dialog.
#ifndef C4D_EVENTS_H
#define C4D_EVENTS_H

#include <cstdint>

#include "c4d_container.h"
#include "c4d_types.h"

// A pointer-sized unsigned integer.
typedef std::uintptr_t VULONG;

// A container or message id written as four characters, as the host spells them ('Mci1').
constexpr LONG FourCharId(char a, char b, char c, char d) {
  return static_cast<LONG>((static_cast<ULONG>(static_cast<UCHAR>(a)) << 24) |
                           (static_cast<ULONG>(static_cast<UCHAR>(b)) << 16) |
                           (static_cast<ULONG>(static_cast<UCHAR>(c)) << 8) |
                           static_cast<ULONG>(static_cast<UCHAR>(d)));
}

// Ids of the two parameters in a core message container.
constexpr LONG BFM_CORE_PAR1 = FourCharId('M', 'c', 'i', '1');
constexpr LONG BFM_CORE_PAR2 = FourCharId('M', 'c', 'i', '2');

// Queues the event messageid with two parameters; safe from any thread. TRUE when queued.
Bool SpecialEventAdd(LONG messageid, VULONG p1 = 0, VULONG p2 = 0);

// A parameter of a core message (id BFM_CORE_PAR1 or BFM_CORE_PAR2); 0 when missing. The
// container keeps it as a number entry, exact for values below 2^53.
VULONG GetCoreMessageParam(const BaseContainer& msg, LONG parameterId);

// What receives core messages on the main thread: a dialog registers itself while it is open
// (standin::RegisterCoreMessageReceiver). msg's id is the event id.
class CoreMessageReceiver {
 public:
  virtual ~CoreMessageReceiver() = default;
  virtual Bool CoreMessage(LONG id, const BaseContainer& msg) = 0;
};

#endif

// Links hold the atom's registry id, never a pointer, so they cannot dangle.
#include <atomic>

#include "document/AtomRegistry.h"
#include "c4d_basedocument.h"
#include "c4d_standin.h"

namespace {

std::atomic<LLONG> resolveCount{0};

void CountResolve() { resolveCount.fetch_add(1, std::memory_order_relaxed); }

}  // namespace

LLONG standin::GetLinkResolveCount() { return resolveCount.load(std::memory_order_relaxed); }

BaseLink* BaseLink::Alloc() { return gNew BaseLink; }

void BaseLink::Free(BaseLink*& link) { gDelete(link); }

void BaseLink::SetLink(C4DAtom* atom) { _atomId = atom ? atom->GetAtomId() : 0; }

BaseList2D* BaseLink::GetLink(const BaseDocument* doc, LONG instanceOf) const {
  CountResolve();
  if (!doc) return nullptr;
  // The lock keeps the element alive while its document and type are checked.
  auto lock = atomregistry::ReadLock();
  auto* element = dynamic_cast<BaseList2D*>(atomregistry::Find(_atomId));
  if (!element) return nullptr;
  if (instanceOf != 0 && !element->IsInstanceOf(instanceOf)) return nullptr;
  if (element != doc && element->GetDocument() != doc) return nullptr;
  return element;
}

BaseList2D* BaseLink::ForceGetLink() const {
  CountResolve();
  auto lock = atomregistry::ReadLock();
  return dynamic_cast<BaseList2D*>(atomregistry::Find(_atomId));
}

// The stand-in's controls of dialogs: the user's presses and edits, inspection, and the mouse
// pointer.
#include <algorithm>
#include <cmath>
#include <vector>

#include "gui/DialogLayout.h"
#include "gui/DialogWindow.h"
#include "gui/GadgetAccess.h"
#include "c4d_standin_gui.h"

namespace {

struct PointerState {
  LONG pointer = MOUSE_NORMAL;
  std::vector<LONG> history;
};

PointerState& Pointer() {
  static PointerState* state = new PointerState;
  return *state;
}

// The dialog (dialog or a sub-dialog attached to it, at any depth) that holds gadget id.
GeDialog* OwnerOf(GeDialog& dialog, LONG id) {
  standin::DialogWindow* window = standin::GadgetAccess::Window(dialog);
  if (!window) return nullptr;
  if (window->Find(id)) return &dialog;
  for (C4DGadget* area : window->SubDialogAreas())
    if (SubDialog* sub = area->GetState().subDialog)
      if (GeDialog* owner = OwnerOf(*sub, id)) return owner;
  return nullptr;
}

// The owner of an enabled gadget id of one of kinds, or null.
GeDialog* UsableOwner(GeDialog& dialog, LONG id, std::initializer_list<GADGETKIND> kinds) {
  GeDialog* owner = OwnerOf(dialog, id);
  const C4DGadget* gadget = owner ? owner->FindGadget(id) : nullptr;
  if (!gadget || !gadget->IsEnabled()) return nullptr;
  return std::find(kinds.begin(), kinds.end(), gadget->GetKind()) != kinds.end() ? owner : nullptr;
}

Bool Act(GeDialog& owner, LONG id) {
  BaseContainer msg(BFM_ACTION);
  msg.SetLong(BFM_ACTION_ID, id);
  msg.SetData(BFM_ACTION_VALUE, owner.FindGadget(id)->GetState().value);
  return owner.Command(id, msg);
}

// Stores a typed value in a number field or combo box; FALSE when the gadget refuses it.
Bool Store(GeDialog& owner, LONG id, const GeData& typed) {
  C4DGadget* gadget = standin::GadgetAccess::Window(owner)->Find(id);
  GadgetState& state = standin::GadgetAccess::State(*gadget);
  if (state.kind == GADGET_COMBOBOX && !state.children.GetDataPointer(typed.GetLong()))
    return FALSE;
  if (!std::isfinite(typed.GetReal())) return FALSE;
  const Real value = std::clamp(typed.GetReal(), state.minValue, state.maxValue);
  if (state.kind == GADGET_COMBOBOX || state.format == FORMAT_LONG)
    state.value = GeData(static_cast<LONG>(std::clamp<Real>(value, MINLONGl, MAXLONGl)));
  else
    state.value = GeData(value);
  state.ambiguous = FALSE;
  return TRUE;
}

}  // namespace

void SetMousePointer(LONG pointer) {
  Pointer().pointer = pointer;
  Pointer().history.push_back(pointer);
}

namespace standin {

LONG GetMousePointer() { return Pointer().pointer; }

std::vector<LONG> GetMousePointerHistory() { return Pointer().history; }

void ClearMousePointerHistory() { Pointer().history.clear(); }

DialogInfo GetDialogInfo(GeDialog& dialog) {
  DialogWindow* window = GadgetAccess::Window(dialog);
  if (!dialog.IsOpen() || !window) return DialogInfo{};
  LayoutWindow(*window);
  DialogWindow& top = window->Top();
  return DialogInfo{top.title, top.pluginId, top.subId,
                    top.width, top.height,   top.layoutChangedCount};
}

const C4DGadget* FindGadget(const GeDialog& dialog, LONG id) {
  GeDialog* owner = OwnerOf(const_cast<GeDialog&>(dialog), id);
  return owner ? owner->FindGadget(id) : nullptr;
}

GeDialog* FindGadgetOwner(GeDialog& dialog, LONG id) { return OwnerOf(dialog, id); }

Bool PressButton(GeDialog& dialog, LONG id) {
  GeDialog* owner = UsableOwner(dialog, id, {GADGET_BUTTON});
  return owner ? Act(*owner, id) : FALSE;
}

Bool EditReal(GeDialog& dialog, LONG id, Real value) {
  GeDialog* owner = UsableOwner(dialog, id, {GADGET_EDITNUMBER});
  if (!owner || !Store(*owner, id, GeData(value))) return FALSE;
  return Act(*owner, id);
}

Bool EditLong(GeDialog& dialog, LONG id, LONG value) {
  GeDialog* owner = UsableOwner(dialog, id, {GADGET_EDITNUMBER, GADGET_COMBOBOX});
  if (!owner || !Store(*owner, id, GeData(value))) return FALSE;
  return Act(*owner, id);
}

Bool ClickCheckbox(GeDialog& dialog, LONG id) {
  GeDialog* owner = UsableOwner(dialog, id, {GADGET_CHECKBOX});
  if (!owner) return FALSE;
  GadgetState& state = GadgetAccess::State(*GadgetAccess::Window(*owner)->Find(id));
  state.value = GeData(state.ambiguous || !state.value.GetBool());
  state.ambiguous = FALSE;
  return Act(*owner, id);
}

Bool SendCommand(GeDialog& dialog, LONG id) {
  GeDialog* owner =
      UsableOwner(dialog, id, {GADGET_BUTTON, GADGET_EDITNUMBER, GADGET_COMBOBOX, GADGET_CHECKBOX});
  return owner ? Act(*owner, id) : FALSE;
}

}  // namespace standin

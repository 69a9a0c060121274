// Gadget values of dialogs: enabling, numbers with limits, check boxes, merged (ambiguous)
// values, and messages to gadgets.
#include "gui/DialogWindow.h"
#include "gui/GadgetAccess.h"
#include "c4d_gui.h"

namespace {

Bool TakesNumbers(const C4DGadget* gadget) {
  return gadget && (gadget->GetKind() == GADGET_EDITNUMBER || gadget->GetKind() == GADGET_COMBOBOX);
}

C4DGadget* CheckboxOf(C4DGadget* gadget) {
  return gadget && gadget->GetKind() == GADGET_CHECKBOX ? gadget : nullptr;
}

}  // namespace

Bool GeDialog::Enable(const GadgetPtr& id, Bool enabled) {
  C4DGadget* gadget = FindOwnGadget(id.GetId());
  if (!gadget) return FALSE;
  standin::GadgetAccess::State(*gadget).enabled = enabled ? TRUE : FALSE;
  return TRUE;
}

Bool GeDialog::IsEnabled(const GadgetPtr& id) const {
  const C4DGadget* gadget = FindOwnGadget(id.GetId());
  return gadget && gadget->IsEnabled();
}

Bool GeDialog::SetNumber(const GadgetPtr& id, const GeData& value, Bool ambiguous, Real min,
                         Real max, Real step, LONG format) {
  C4DGadget* gadget = FindOwnGadget(id.GetId());
  if (!TakesNumbers(gadget)) return FALSE;
  GadgetState& state = standin::GadgetAccess::State(*gadget);
  state.value = value;
  state.ambiguous = ambiguous;
  state.minValue = min;
  state.maxValue = max;
  state.step = step;
  state.format = format;
  return TRUE;
}

Bool GeDialog::SetReal(const GadgetPtr& id, Real value, Real min, Real max, Real step,
                       LONG format) {
  return SetNumber(id, GeData(value), FALSE, min, max, step, format);
}

Bool GeDialog::SetLong(const GadgetPtr& id, LONG value, LONG min, LONG max, LONG step) {
  return SetNumber(id, GeData(value), FALSE, min, max, step, FORMAT_LONG);
}

Bool GeDialog::SetReal(const GadgetPtr& id, const TriState<Real>& tri, Real min, Real max,
                       Real step, LONG format) {
  return SetNumber(id, GeData(tri.GetValue()), tri.GetTri(), min, max, step, format);
}

Bool GeDialog::SetLong(const GadgetPtr& id, const TriState<LONG>& tri, LONG min, LONG max,
                       LONG step) {
  return SetNumber(id, GeData(tri.GetValue()), tri.GetTri(), min, max, step, FORMAT_LONG);
}

Bool GeDialog::GetReal(const GadgetPtr& id, Real& value) const {
  const C4DGadget* gadget = FindOwnGadget(id.GetId());
  if (!TakesNumbers(gadget)) return FALSE;
  value = gadget->GetState().value.GetReal();
  return TRUE;
}

Bool GeDialog::GetLong(const GadgetPtr& id, LONG& value) const {
  const C4DGadget* gadget = FindOwnGadget(id.GetId());
  if (!TakesNumbers(gadget)) return FALSE;
  value = gadget->GetState().value.GetLong();
  return TRUE;
}

Bool GeDialog::SetBool(const GadgetPtr& id, Bool value) {
  C4DGadget* checkbox = CheckboxOf(FindOwnGadget(id.GetId()));
  if (!checkbox) return FALSE;
  GadgetState& state = standin::GadgetAccess::State(*checkbox);
  state.value = GeData(value != FALSE);
  state.ambiguous = FALSE;
  return TRUE;
}

Bool GeDialog::SetBool(const GadgetPtr& id, const TriState<Bool>& tri) {
  if (!SetBool(id, tri.GetValue())) return FALSE;
  standin::GadgetAccess::State(*FindOwnGadget(id.GetId())).ambiguous = tri.GetTri();
  return TRUE;
}

Bool GeDialog::GetBool(const GadgetPtr& id, Bool& value) const {
  const C4DGadget* checkbox = CheckboxOf(FindOwnGadget(id.GetId()));
  if (!checkbox) return FALSE;
  value = checkbox->GetState().value.GetBool();
  return TRUE;
}

Bool GeDialog::SendMessage(const GadgetPtr& id, const BaseContainer& msg) {
  C4DGadget* gadget = FindOwnGadget(id.GetId());
  if (!gadget || gadget->GetKind() != GADGET_STATUSBAR || msg.GetId() != BFM_SETSTATUSBAR)
    return FALSE;
  GadgetState& state = standin::GadgetAccess::State(*gadget);
  state.message.SetId(BFM_SETSTATUSBAR);
  for (LONG i = 0; i < msg.GetEntryCount(); ++i) {
    const LONG entryId = msg.GetIndexId(i);
    state.message.SetData(entryId, msg.GetData(entryId));
  }
  ++state.redrawCount;
  return TRUE;
}

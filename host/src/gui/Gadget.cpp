// Gadgets and the base of custom GUIs.
#include "c4d_gadget.h"

GadgetPtr::GadgetPtr(const C4DGadget* gadget) : _id(gadget ? gadget->GetId() : 0) {}

C4DGadget::C4DGadget(GADGETKIND kind, LONG id) {
  _state.kind = kind;
  _state.id = id;
}

C4DGadget::~C4DGadget() = default;

void C4DGadget::Redraw() { ++_state.redrawCount; }

String C4DGadget::GetChildText() const {
  const GeData* entry = _state.children.GetDataPointer(_state.value.GetLong());
  return entry ? entry->GetString() : String();
}

C4DGadget::C4DGadget(LONG id, LONG customGuiId, const BaseContainer& settings)
    : C4DGadget(GADGET_CUSTOMGUI, id) {
  _state.customGuiId = customGuiId;
  _state.settings = settings;
}

BaseCustomGui::BaseCustomGui(LONG id, LONG customGuiId, const BaseContainer& settings)
    : C4DGadget(id, customGuiId, settings) {}

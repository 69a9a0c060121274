#include "ParameterDialogs.h"

#include "CTrackSettingsLock.h"
#include "TrackTreeView.h"
#include "TreeSelection.h"

namespace {

constexpr LONG kParameterTab = 10;
constexpr LONG kGroupFillBoth = BFH_SCALEFIT | BFV_SCALEFIT;
constexpr LONG kEmptyGroupFlags = 0x10000;
constexpr LONG kLabelFlags = BFH_LEFT | BFH_SCALE;
constexpr LONG kFieldWidth = 70;
constexpr Real kPrecisionStep = 0.1;
// The quality combo box offers levels 0 and 2 only.
constexpr LONG kQualityLow = 0;
constexpr LONG kQualityHigh = 2;

// Writes value into the node's copy of the setting that gadgetId edits.
void SetNodeSetting(TreeListNode* node, LONG gadgetId, const GeData& value) {
  CTrackSettingsGuard guard;
  if (gadgetId == IDC_PRECISION)
    node->_subdata.precision = value.GetReal();
  else if (gadgetId == IDC_METHOD)
    node->_subdata.method = value.GetLong();
  else if (gadgetId == IDC_QUALITY)
    node->_subdata.quality = value.GetLong();
  else
    node->_subdata.hold = value.GetBool();
}

LONG ContainerIdOf(LONG gadgetId) {
  switch (gadgetId) {
    case IDC_PRECISION:
      return TRACKSUBDATA_PRECISION;
    case IDC_METHOD:
      return TRACKSUBDATA_METHOD;
    case IDC_QUALITY:
      return TRACKSUBDATA_QUALITY;
    default:
      return TRACKSUBDATA_HOLD;
  }
}

}  // namespace

Bool MySubDialog0::CreateLayout() {
  GroupBegin(0, kGroupFillBoth, 2, 0, String(), kEmptyGroupFlags);
  GroupEnd();
  return TRUE;
}

Bool MySubDialog0::InitValues() { return TRUE; }

MySubDialog1::MySubDialog1(CCurveList* curveList) : curve_list(curveList) {}

Bool MySubDialog1::CreateLayout() {
  BaseContainer settings;
  settings.SetBool(QUICKTAB_SINGLESELECT, TRUE);
  if (!AddCustomGui(IDC_PARAMETER_TABS, CUSTOMGUI_QUICKTAB, String(), BFH_SCALEFIT | BFV_TOP, 0, 0,
                    settings))
    return FALSE;
  auto* tabs =
      static_cast<QuickTabCustomGui*>(FindCustomGui(IDC_PARAMETER_TABS, CUSTOMGUI_QUICKTAB));
  if (!tabs) return FALSE;
  tabs->AppendString(kParameterTab, GeLoadString(IDS_PARAMETER_TAB), TRUE);
  tabs->DoLayoutChange();
  GroupBegin(0, kGroupFillBoth, 2, 0, String(), kGroupFillBoth);
  AddStaticText(IDC_PRECISION_LABEL, kLabelFlags, 0, 0, GeLoadString(IDS_PRECISION), BORDER_NONE);
  AddEditNumberArrows(IDC_PRECISION, BFH_SCALEFIT, kFieldWidth);
  AddStaticText(IDC_METHOD_LABEL, kLabelFlags, 0, 0, GeLoadString(IDS_METHOD), BORDER_NONE);
  AddComboBox(IDC_METHOD, BFH_SCALEFIT);
  AddChild(IDC_METHOD, REDUCTION_SPLINEFIT, GeLoadString(IDS_METHOD_SPLINEFIT));
  AddChild(IDC_METHOD, REDUCTION_REDUNDANT, GeLoadString(IDS_METHOD_REDUNDANT));
  AddStaticText(IDC_QUALITY_LABEL, kLabelFlags, 0, 0, GeLoadString(IDS_QUALITY), BORDER_NONE);
  AddComboBox(IDC_QUALITY, BFH_SCALEFIT);
  AddChild(IDC_QUALITY, kQualityLow, GeLoadString(IDS_QUALITY_LOW));
  AddChild(IDC_QUALITY, kQualityHigh, GeLoadString(IDS_QUALITY_HIGH));
  AddStaticText(IDC_HOLD_LABEL, kLabelFlags, 0, 0, GeLoadString(IDS_HOLD), BORDER_NONE);
  AddCheckbox(IDC_HOLD, BFH_LEFT, 0, 0, String());
  GroupEnd();
  return TRUE;
}

Bool MySubDialog1::InitValues() {
  const TreeListData* selection = Selection();
  const TreeListNode* first = selection ? GetFirstSelected(*selection) : nullptr;
  if (!first) {
    // The value tracks' default precision: this sub-dialog edits value tracks only.
    SetReal(IDC_PRECISION, GetPrecisionDefault(nullptr), 0.0, MAXREALr, kPrecisionStep);
    SetLong(IDC_METHOD, REDUCTION_SPLINEFIT);
    SetLong(IDC_QUALITY, kQualityLow);
    Enable(IDC_QUALITY, TRUE);
    SetBool(IDC_HOLD, CTrackSubData().hold);
    return FALSE;
  }
  TriState<Real> precision;
  TriState<LONG> method, quality;
  TriState<Bool> hold;
  for (VLONG i = 0; i < selection->GetCount(); ++i) {
    if (const TreeListNode* node = (*selection)[i]) {
      precision.Add(node->_subdata.precision);
      method.Add(node->_subdata.method);
      quality.Add(node->_subdata.quality);
      hold.Add(node->_subdata.hold != FALSE);
    }
  }
  SetReal(IDC_PRECISION, precision, 0.0, MAXREALr, kPrecisionStep, FORMAT_REAL);
  SetLong(IDC_METHOD, method, MINLONGl, MAXLONGl, 1);
  SetLong(IDC_QUALITY, quality, MINLONGl, MAXLONGl, 1);
  SetBool(IDC_HOLD, hold);
  // Quality belongs to spline fitting; the first selected track decides.
  Enable(IDC_QUALITY, first->_subdata.method == REDUCTION_SPLINEFIT);
  return TRUE;
}

Bool MySubDialog1::Command(LONG id, const BaseContainer& msg) {
  GeData value;
  if (id == IDC_PRECISION) {
    TriState<Real> precision;
    precision.Check(this, msg, id, IDC_PRECISION);
    if (!precision.HasChanged()) return TRUE;
    value = GeData(precision.GetValue());
  } else if (id == IDC_METHOD || id == IDC_QUALITY) {
    TriState<LONG> choice;
    choice.Check(this, msg, id, id);
    if (!choice.HasChanged()) return TRUE;
    value = GeData(choice.GetValue());
  } else if (id == IDC_HOLD) {
    TriState<Bool> hold;
    hold.Check(this, msg, id, IDC_HOLD);
    if (!hold.HasChanged()) return TRUE;
    // A truth value, so that the setting is stored as the Bool entry it is.
    value = GeData(hold.GetValue() != FALSE);
  } else {
    return TRUE;
  }
  if (!StoreSetting(id, value)) return FALSE;
  InitValues();
  PostTreeEvent(TREE_SETTINGS_CHANGED);
  return TRUE;
}

TreeListData* MySubDialog1::Selection() const {
  return curve_list ? curve_list->GetListArgs() : nullptr;
}

// Every selected node and its track, in selection order; FALSE at the first track whose
// settings cannot be had.
Bool MySubDialog1::StoreSetting(LONG gadgetId, const GeData& value) {
  TreeListData* selection = Selection();
  for (VLONG i = 0; selection && i < selection->GetCount(); ++i) {
    TreeListNode* node = (*selection)[i];
    if (!node) continue;
    SetNodeSetting(node, gadgetId, value);
    if (!WriteCTrackSetting(curve_list->GetTrack(node), ContainerIdOf(gadgetId), value))
      return FALSE;
  }
  return TRUE;
}

MySubDialog2::MySubDialog2(CCurveList* curveList) : curve_list(curveList) {}

Bool MySubDialog2::CreateLayout() { return TRUE; }

Bool MySubDialog2::InitValues() { return TRUE; }

Bool MySubDialog2::Command(LONG, const BaseContainer&) { return TRUE; }

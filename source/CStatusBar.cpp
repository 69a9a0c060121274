#include "CStatusBar.h"

#include <cmath>

namespace {

int Limited(int value, int lowest, int highest) {
  return value < lowest ? lowest : (value > highest ? highest : value);
}

}  // namespace

int LFloor(double value) { return static_cast<int>(std::floor(value)); }

CStatusBar::CStatusBar(GeDialog* owner, const GadgetPtr& statusGadget)
    : gadget(statusGadget), dialog(owner), msg(gNew BaseContainer(BFM_SETSTATUSBAR)) {}

CStatusBar::~CStatusBar() { gDelete(msg); }

void CStatusBar::StatusBarOpen(int segmentCount) {
  segments = segmentCount;
  segment = 0;
  percent = 0;
  shown_percent = -1;
  if (!msg) return;
  msg->SetBool(BFM_STATUSBAR_PROGRESSSPIN, FALSE);
  msg->SetBool(BFM_STATUSBAR_PROGRESSON, TRUE);
}

void CStatusBar::StatusBarNextSegment() {
  if (segment < segments) ++segment;
}

void CStatusBar::StatusBarSet(int segmentPercent) {
  if (segments == 0) {
    percent = 0;
    return;
  }
  percent = Limited(LFloor((100.0 * segment + segmentPercent) / segments), 0, 100);
  if (percent == shown_percent || !msg) return;
  msg->SetString(BFM_STATUSBAR_PROGRESSTXT, RealToString(percent, -1, -1) + String("%"));
  msg->SetReal(BFM_STATUSBAR_PROGRESS, percent / 100.0);
  Send();
  shown_percent = percent;
}

void CStatusBar::StatusBarSetText(String text) {
  if (!msg) return;
  msg->SetString(BFM_STATUSBAR_TXT, text);
  Send();
}

void CStatusBar::StatusBarClose() {
  if (msg) {
    msg->SetString(BFM_STATUSBAR_PROGRESSTXT, String("100%"));
    msg->SetReal(BFM_STATUSBAR_PROGRESS, 1.0);
    Send();
  }
  percent = 100;
  shown_percent = -1;
}

void CStatusBar::StatusBarClear() {
  if (msg) {
    msg->SetBool(BFM_STATUSBAR_PROGRESSON, FALSE);
    msg->SetString(BFM_STATUSBAR_PROGRESSTXT, String());
    msg->SetString(BFM_STATUSBAR_TXT, String());
    Send();
  }
  percent = 0;
  shown_percent = -1;
}

// A failed send is not reported: the status bar is feedback only.
void CStatusBar::Send() {
  if (dialog && msg) dialog->SendMessage(gadget, *msg);
}

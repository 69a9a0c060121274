// The dialog's track tree as text, as its cells draw it: one row per line with its number (a
// '*' marks the selected lines), the check box ("[x]", "[ ]", or nothing when hidden) and the
// texts of the other columns under the headers the tree draws. Columns that draw no text on any
// line (colour bars, icons) are left out.
#ifndef THINFOLD_TREE_LISTING_H
#define THINFOLD_TREE_LISTING_H

#include <string>

#include "DialogDriver.h"

std::string RenderTreeListing(const DialogDriver& driver);

#endif

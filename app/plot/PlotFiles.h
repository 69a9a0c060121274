// The PNG files of a set of plots, written all or none.
#ifndef THINFOLD_PLOT_FILES_H
#define THINFOLD_PLOT_FILES_H

#include <functional>
#include <string>
#include <vector>

#include "Status.h"
#include "c4d.h"

// One file name per track name: the name with every character other than letters, digits,
// '.', '-' and '_' made '_', then ".png"; a name that comes out the same as an earlier one gets
// "-2", "-3", ... before ".png".
std::vector<std::string> PlotFileNames(const std::vector<std::string>& trackNames);

// Draws a picture into target (any size); false when it cannot.
using PictureDrawer = std::function<bool(size_t index, BaseBitmap& target)>;

// Writes picture i to folder/fileNames[i] for every i. The folder is made when it is missing.
// Every picture goes to a temporary file first, and only when all are written are they renamed
// to their names; on failure the temporary files (and a folder made here) are removed again,
// and the error names the file or folder and the reason.
Status WritePlotFiles(const std::string& folder, const std::vector<std::string>& fileNames,
                      const PictureDrawer& draw);

#endif

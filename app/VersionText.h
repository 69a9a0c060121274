// The program's version line.
#ifndef THINFOLD_VERSION_TEXT_H
#define THINFOLD_VERSION_TEXT_H

#include <string>

// "thinfold 1.00.03" for the project version "1.0.3": minor and patch take two digits, as the
// plug-in's console lines write them.
std::string VersionLine(const std::string& projectVersion);

#endif

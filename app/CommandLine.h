// The program's arguments and console output in UTF-8, the text every other part works in.
#ifndef THINFOLD_COMMAND_LINE_H
#define THINFOLD_COMMAND_LINE_H

#include <string>
#include <vector>

// argv as UTF-8. Windows hands main its arguments in the ANSI code page, which cannot hold
// every file name, so there they come from the wide command line instead.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// Makes a Windows console show the program's UTF-8 output as text; nothing elsewhere.
void UseUtf8Console();

#endif

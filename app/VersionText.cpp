// The program's version line.
#include "VersionText.h"

#include <sstream>
#include <vector>

std::string VersionLine(const std::string& projectVersion) {
  std::vector<std::string> parts;
  std::istringstream stream(projectVersion);
  for (std::string part; std::getline(stream, part, '.');) parts.push_back(part);
  std::string line = "thinfold " + (parts.empty() ? std::string("0") : parts[0]);
  for (std::size_t i = 1; i < 3; ++i) {
    const std::string part = i < parts.size() ? parts[i] : "0";
    line += "." + std::string(part.size() < 2 ? 2 - part.size() : 0, '0') + part;
  }
  return line;
}

// Opening the input of the thinfold program.
#include "SceneInput.h"

#include <cctype>

#include "BvhReader.h"
#include "SceneReader.h"

bool IsBvhPath(const std::string& path) {
  static const std::string kExtension = ".bvh";
  if (path.size() < kExtension.size()) return false;
  const std::string tail = path.substr(path.size() - kExtension.size());
  for (std::size_t i = 0; i < tail.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(tail[i])) != kExtension[i]) return false;
  return true;
}

SceneReadResult ReadInputFile(const std::string& path, LONG fpsOverride) {
  return IsBvhPath(path) ? ReadBvhFile(path, fpsOverride) : ReadSceneFile(path);
}

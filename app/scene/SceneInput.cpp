// Opening the input of the thinfold program.
#include "SceneInput.h"

#include <cctype>

#include "SceneReader.h"

bool HasExtension(const std::string& path, const std::string& extension) {
  if (path.size() < extension.size()) return false;
  const std::string tail = path.substr(path.size() - extension.size());
  for (std::size_t i = 0; i < tail.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(tail[i])) !=
        std::tolower(static_cast<unsigned char>(extension[i])))
      return false;
  return true;
}

bool IsBvhPath(const std::string& path) { return HasExtension(path, ".bvh"); }

SceneReadResult ReadInputFile(const std::string& path, const BvhImport& import) {
  return IsBvhPath(path) ? ReadBvhFile(path, import) : ReadSceneFile(path);
}

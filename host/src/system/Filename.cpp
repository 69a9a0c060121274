// Paths as strings; '/' separates the parts.
#include "c4d_container.h"

namespace {

std::string WithoutTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

}  // namespace

Filename Filename::GetFile() const {
  const std::string path = WithoutTrailingSlashes(_path.ToUtf8());
  const size_t slash = path.rfind('/');
  return Filename(String(slash == std::string::npos ? path : path.substr(slash + 1)));
}

Filename Filename::GetDirectory() const {
  const std::string path = WithoutTrailingSlashes(_path.ToUtf8());
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return Filename();
  return Filename(String(slash == 0 ? std::string("/") : path.substr(0, slash)));
}

Filename Filename::operator+(const Filename& part) const {
  if (!Content()) return part;
  if (!part.Content()) return *this;
  std::string left = _path.ToUtf8();
  while (!left.empty() && left.back() == '/') left.pop_back();
  std::string right = part._path.ToUtf8();
  const size_t start = right.find_first_not_of('/');
  right = start == std::string::npos ? std::string() : right.substr(start);
  return Filename(String(left + "/" + right));
}

// Whole-file reading and atomic writing.
#include "TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#ifdef _WIN32
#include <io.h>

#include <filesystem>
#include <system_error>
#endif

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

std::string Reason(int error) { return std::strerror(error); }

bool WriteAll(int fd, const std::string& text) {
  std::size_t written = 0;
  while (written < text.size()) {
    const ssize_t count = ::write(fd, text.data() + written, text.size() - written);
    if (count < 0 && errno == EINTR) continue;
    if (count == 0) errno = EIO;
    if (count <= 0) return false;
    written += static_cast<std::size_t>(count);
  }
  return true;
}

#ifdef _WIN32
// Windows files carry no POSIX permissions.
void SetDefaultPermissions(int) {}

int FlushToDisk(int fd) { return ::_commit(fd); }

// std::rename does not replace an existing file on Windows; filesystem::rename does.
int ReplaceFile(const std::string& from, const std::string& to) {
  std::error_code error;
  std::filesystem::rename(from, to, error);
  return error ? (errno = error.value(), -1) : 0;
}
#else
// New files get the usual permissions (0666 less the umask), not mkstemp's 0600.
void SetDefaultPermissions(int fd) {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, 0666 & ~mask);
}

int FlushToDisk(int fd) { return ::fsync(fd); }

int ReplaceFile(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str());
}
#endif

}  // namespace

bool ReadTextFile(const std::string& path, std::string& text, std::string& error) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) {
    error = path + ": cannot open: " + Reason(errno);
    return false;
  }
  text.clear();
  std::vector<char> buffer(1 << 16);
  std::size_t count = 0;
  while ((count = std::fread(buffer.data(), 1, buffer.size(), file)) > 0)
    text.append(buffer.data(), count);
  const bool failed = std::ferror(file) != 0;
  const int readError = errno;
  std::fclose(file);
  if (failed) error = path + ": cannot read: " + Reason(readError);
  return !failed;
}

bool WriteTextFileAtomically(const std::string& path, const std::string& text, std::string& error) {
  std::string temporary = path + ".tmp-XXXXXX";
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) {
    error = path + ": cannot write: " + Reason(errno);
    return false;
  }
  SetDefaultPermissions(fd);
  int failure = 0;
  if (!WriteAll(fd, text) || FlushToDisk(fd) != 0) failure = errno;
  if (::close(fd) != 0 && failure == 0) failure = errno;
  if (failure == 0 && ReplaceFile(temporary, path) != 0) failure = errno;
  if (failure == 0) return true;
  error = path + ": cannot write: " + Reason(failure);
  ::unlink(temporary.c_str());
  return false;
}

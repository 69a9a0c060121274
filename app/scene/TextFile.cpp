// Whole-file reading and atomic writing.
#include "TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#ifdef _WIN32
#include <io.h>

#include <filesystem>
#include <random>
#include <system_error>
#endif

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "c4d_standin.h"

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
// Paths are UTF-8 text; Windows opens files by their UTF-16 names.
std::FILE* OpenForReading(const std::string& path) {
  return ::_wfopen(standin::PathFromUtf8(path).c_str(), L"rb");
}

// A new file beside path under a random name, as mkstemp makes one; -1 with errno set.
int OpenTemporary(const std::string& path, std::string& temporary) {
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = path + ".tmp-";
    for (int i = 0; i < 6; ++i) temporary += kLetters[random() % (sizeof kLetters - 1)];
    const int fd = ::_wopen(standin::PathFromUtf8(temporary).c_str(),
                            _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Windows files carry no POSIX permissions.
void SetDefaultPermissions(int) {}

int FlushToDisk(int fd) { return ::_commit(fd); }

// std::rename does not replace an existing file on Windows; filesystem::rename does.
int ReplaceFile(const std::string& from, const std::string& to) {
  std::error_code error;
  std::filesystem::rename(standin::PathFromUtf8(from), standin::PathFromUtf8(to), error);
  return error ? (errno = error.value(), -1) : 0;
}

void RemoveFile(const std::string& path) { ::_wunlink(standin::PathFromUtf8(path).c_str()); }
#else
std::FILE* OpenForReading(const std::string& path) { return std::fopen(path.c_str(), "rb"); }

int OpenTemporary(const std::string& path, std::string& temporary) {
  temporary = path + ".tmp-XXXXXX";
  return ::mkstemp(temporary.data());
}

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

void RemoveFile(const std::string& path) { ::unlink(path.c_str()); }
#endif

}  // namespace

bool ReadTextFile(const std::string& path, std::string& text, std::string& error) {
  std::FILE* file = OpenForReading(path);
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
  std::string temporary;
  const int fd = OpenTemporary(path, temporary);
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
  RemoveFile(temporary);
  return false;
}

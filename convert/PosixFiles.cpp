#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "Exceptions.h"
#include "StandardStreams.h"

void UseBinaryStandardStreams() {}

namespace {

bool WriteAll(int file, const std::string& bytes) {
  for (std::size_t done = 0; done < bytes.size();) {
    const ssize_t written = write(file, bytes.data() + done, bytes.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    done += static_cast<std::size_t>(written);
  }
  return fsync(file) == 0;
}

// mkstemp makes the file private; the new one gets the old one's
// permissions, or what a new file would get.
mode_t ModeFor(const std::string& name) {
  struct stat status;
  if (stat(name.c_str(), &status) == 0) return status.st_mode & 07777;
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

}  // namespace

void ReplaceWholeFile(const std::string& name, const std::string& bytes) {
  std::string pattern = name + ".XXXXXX";
  std::vector<char> temporary(pattern.begin(), pattern.end());
  temporary.push_back('\0');
  const int file = mkstemp(temporary.data());
  if (file < 0)
    throw core::Exception("cannot write beside \"" + name + "\": " + std::strerror(errno));
  const bool written = fchmod(file, ModeFor(name)) == 0 && WriteAll(file, bytes);
  const int error = errno;
  if (close(file) != 0 || !written || rename(temporary.data(), name.c_str()) != 0) {
    const std::string reason = std::strerror(written ? errno : error);
    unlink(temporary.data());
    throw core::Exception("cannot write \"" + name + "\": " + reason);
  }
}

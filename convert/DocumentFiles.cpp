#include <cerrno>
#include <cstdio>
#include <cstring>

#include "DocumentFiles.h"
#include "Exceptions.h"
#include "StandardStreams.h"

namespace {

std::string Failure(const char* what, const std::string& name) {
  return std::string("cannot ") + what + " \"" + name + "\": " + std::strerror(errno);
}

std::string ReadStream(std::FILE* stream, const std::string& name) {
  std::string bytes;
  char block[1 << 16];
  std::size_t count = 0;
  while ((count = std::fread(block, 1, sizeof block, stream)) > 0) bytes.append(block, count);
  if (std::ferror(stream)) throw core::Exception(Failure("read", name));
  return bytes;
}

}  // namespace

std::string ReadDocument(const std::string& name) {
  if (name == "-") {
    UseBinaryStandardStreams();
    return ReadStream(stdin, "standard input");
  }
  std::FILE* stream = std::fopen(name.c_str(), "rb");
  if (!stream) throw core::Exception(Failure("open", name));
  try {
    std::string bytes = ReadStream(stream, name);
    std::fclose(stream);
    return bytes;
  } catch (...) {
    std::fclose(stream);
    throw;
  }
}

void WriteDocument(const std::string& name, const std::string& bytes) {
  if (name != "-") {
    ReplaceWholeFile(name, bytes);
    return;
  }
  UseBinaryStandardStreams();
  if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() ||
      std::fflush(stdout) != 0)
    throw core::Exception(Failure("write", "standard output"));
}

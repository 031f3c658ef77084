#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "Exceptions.h"
#include "FileReplacement.h"
#include "StandardStreams.h"

void UseBinaryStandardStreams() {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
}

// The editor's own replacement: it keeps the target's attributes and, on
// Windows 95, 98 and ME, takes the two moves those systems need.
void ReplaceWholeFile(const std::string& name, const std::string& bytes) {
  FileReplacement replacement(name);
  if (!replacement.Opened())
    throw core::Exception("cannot write \"" + name +
                          "\": it is read-only, locked, or its folder is");
  if (!replacement.Write(bytes.data(), bytes.size()) || !replacement.Flush() ||
      !replacement.Commit())
    throw core::Exception("cannot write \"" + name + "\": the disk refused it");
}

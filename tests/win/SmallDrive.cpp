#include "SmallDrive.h"

#include <windows.h>

#include "HostCommand.h"

namespace testing_support {

namespace {

// The first drive letter from T on that Wine does not map yet.
char FreeDriveLetter() {
  const DWORD used = GetLogicalDrives();
  for (char letter = 'T'; letter <= 'Y'; ++letter)
    if (!(used & (1u << (letter - 'A')))) return letter;
  return 0;
}

}  // namespace

SmallDrive::SmallDrive(int kilobytes)
    : hostFolder_("/tmp/dabiro-small-drive-" + std::to_string(GetCurrentProcessId())) {
  const char letter = FreeDriveLetter();
  if (!letter) {
    reason_ = "no free drive letter";
    return;
  }
  // Wine finds its drives as links in the prefix's dosdevices folder.
  link_ =
      std::string("\"$WINEPREFIX/dosdevices/") + static_cast<char>(letter + ('a' - 'A')) + ":\"";
  const HostResult mounted = RunHost(
      "mkdir -p " + hostFolder_ + " && mount -t tmpfs -o size=" + std::to_string(kilobytes) +
      "k dabiro-small " + hostFolder_ + " && ln -sfn " + hostFolder_ + " " + link_);
  if (!mounted.started || mounted.exitCode != 0) {
    reason_ = "cannot mount a " + std::to_string(kilobytes) +
              " KB tmpfs (root rights needed): " + mounted.output;
    RunHost("rmdir " + hostFolder_);
    return;
  }
  root_ = std::string(1, letter) + ":\\";
}

SmallDrive::~SmallDrive() {
  if (!Mounted()) return;
  // Lazily, should anything still hold a file there.
  RunHost("rm -f " + link_ + "; umount " + hostFolder_ + " || umount -l " + hostFolder_ +
          "; rmdir " + hostFolder_);
}

}  // namespace testing_support

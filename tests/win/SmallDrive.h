#pragma once
#include <string>

// A tiny file system of its own (a tmpfs of the host) mapped as a Wine
// drive, so that a save can run out of space for real. Mounting needs the
// host's root rights; without them the drive is not there and Reason()
// says why.
namespace testing_support {

class SmallDrive {
 public:
  explicit SmallDrive(int kilobytes);
  ~SmallDrive();
  SmallDrive(const SmallDrive&) = delete;
  SmallDrive& operator=(const SmallDrive&) = delete;

  bool Mounted() const { return !root_.empty(); }
  const std::string& Reason() const { return reason_; }
  // "T:\" or the like.
  const std::string& Root() const { return root_; }

 private:
  std::string hostFolder_;
  std::string link_;
  std::string root_;
  std::string reason_;
};

}  // namespace testing_support

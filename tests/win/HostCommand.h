#pragma once
#include <string>

// Runs a command line of the host's shell from inside Wine, which starts
// Unix programs too: the tests reach the printer's output, the PDF tools
// and the mounts this way.
namespace testing_support {

struct HostResult {
  bool started;
  int exitCode;
  std::string output;  // stdout and stderr
};

// The command must not contain double quotes.
HostResult RunHost(const std::string& command);

// The Windows name of a host path ("/tmp/x" gives "Z:\tmp\x").
std::string WindowsPath(const std::string& hostPath);

}  // namespace testing_support

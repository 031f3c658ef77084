#pragma once
#include <string>

namespace core {

// The document named on the program's command line as Windows passes it:
// a quoted path (the first, when several are given), or an unquoted one,
// which may hold spaces, as a file manager passes a path it does not
// quote; "" when there is none.
std::string DocumentOnCommandLine(const std::string& arguments);

}  // namespace core

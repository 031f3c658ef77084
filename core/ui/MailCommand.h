#pragma once
#include <string>
#include <vector>

namespace core {

// The mail program's command line, made from the registry's mailto command
// as the shell makes it: "%1", "%0", "%l" and "%L" stand for the address,
// "%*" for all the arguments, which are the address alone, and "%%" for
// '%'. Every placeholder is replaced; a command without one gets the
// address as its last argument.
std::string MailCommandLine(const std::string& command, const std::string& address);

// The names the program of a command line may have, in the order Windows
// tries them: what the quotes hold when the line begins with a quote,
// otherwise the text up to each space in turn, then the whole line (an
// unquoted path may hold spaces).
std::vector<std::string> ProgramCandidates(const std::string& commandLine);

}  // namespace core

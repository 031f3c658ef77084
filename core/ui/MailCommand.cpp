#include "MailCommand.h"

namespace core {

std::string MailCommandLine(const std::string& command, const std::string& address) {
  std::string line;
  bool placed = false;
  for (std::size_t at = 0; at < command.size(); ++at) {
    const char next = at + 1 < command.size() ? command[at + 1] : '\0';
    if (command[at] != '%' || !next) {
      line += command[at];
      continue;
    }
    ++at;
    if (next == '1' || next == '0' || next == 'l' || next == 'L' || next == '*') {
      line += address;
      placed = true;
    } else if (next == '%') {
      line += '%';
    } else {
      line += command.substr(at - 1, 2);  // not a placeholder of the shell's
    }
  }
  if (placed) return line;
  if (!line.empty() && line.back() != ' ') line += ' ';
  return line + address;
}

std::vector<std::string> ProgramCandidates(const std::string& commandLine) {
  const auto first = commandLine.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  if (commandLine[first] == '"') {
    const auto close = commandLine.find('"', first + 1);
    return {commandLine.substr(first + 1,
                               close == std::string::npos ? std::string::npos : close - first - 1)};
  }
  std::vector<std::string> names;
  for (auto space = commandLine.find(' ', first); space != std::string::npos;
       space = commandLine.find(' ', space + 1))
    if (commandLine[space - 1] != ' ') names.push_back(commandLine.substr(first, space - first));
  const auto last = commandLine.find_last_not_of(' ');
  names.push_back(commandLine.substr(first, last - first + 1));
  return names;
}

}  // namespace core

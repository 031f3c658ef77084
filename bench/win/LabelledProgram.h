#pragma once
// A program named on a benchmark's command line, and the median of its
// rounds.
#include <algorithm>
#include <string>
#include <vector>

struct LabelledProgram {
  std::string exe;
  std::string label;
};

// "label=path", or a path whose file name without extension is the label.
inline LabelledProgram LabelledProgramOf(const std::string& argument) {
  const size_t equals = argument.find('=');
  if (equals != std::string::npos) return {argument.substr(equals + 1), argument.substr(0, equals)};
  const size_t slash = argument.find_last_of("\\/");
  const std::string name = slash == std::string::npos ? argument : argument.substr(slash + 1);
  return {argument, name.substr(0, name.rfind('.'))};
}

template <typename Value>
Value MedianOf(std::vector<Value> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

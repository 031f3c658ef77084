// dabiro-convert: Dabiro documents to Unicode Persian and back.
#include <cstdio>
#include <string>
#include <vector>

#include "ConvertCommand.h"
#include "DocumentFiles.h"
#include "Exceptions.h"

int main(int count, char** values) {
  try {
    const core::ConvertRequest request =
        core::ParseConvertArguments(std::vector<std::string>(values + 1, values + count));
    if (request.help) {
      std::fputs(core::ConvertUsage, stdout);
      return 0;
    }
    const core::ConvertedDocument document =
        core::ConvertDocument(request, ReadDocument(request.input));
    WriteDocument(request.output, document.bytes);
    for (const core::Unconvertible& problem : document.problems)
      std::fprintf(stderr, "dabiro-convert: %s; a placeholder stands in for it\n",
                   core::Describe(problem).c_str());
    return 0;
  } catch (const core::Exception& failure) {
    std::fprintf(stderr, "dabiro-convert: %s\n", failure.Message().c_str());
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "dabiro-convert: out of memory\n");
  }
  return 1;
}

// Times replacing a large document by a small one: a 12-byte text opened
// through File/Open after a 1 MB text and after a 400 KB RTF, and File/New
// after each, against Open in a freshly started program and New after the
// 12-byte text; for the editor and Wine's WordPad, alternately, every round
// in a new process.
// Then, in the editor only, Select all followed by Delete or by Cut on
// plain texts of growing size, to show how emptying grows with the size.
// Progress goes to stderr, a Markdown table of the medians to stdout.
// Usage: replace_bench.exe runs cap-seconds [replacing-only] dabiro.exe [wordpad.exe]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "BenchDocument.h"
#include "LaunchedProgram.h"

namespace {

constexpr double StartTimeout = 60;
constexpr double LoadTimeout = 300;
constexpr char SmallText[] = "twelve bytes";

// What a round gave: seconds, or why there are none.
constexpr double OverCap = -1, Failed = -2;

struct Program {
  std::string label, exe;
};

struct Scenario {
  const char* label;
  const char* before;  // the document open first, or null for a fresh start
  bool opensSmall;     // else File/New
  size_t reference;    // the fresh start's row to compare with
};

const Scenario Scenarios[] = {
    {"Open the 12-byte text in a freshly started program", nullptr, true, 0},
    {"Open the 12-byte text after the 1 MB text", "plain.txt", true, 0},
    {"Open the 12-byte text after the 400 KB RTF", "formatted.rtf", true, 0},
    // Not an empty one: its New would look done before it ran.
    {"New after the 12-byte text", "small.txt", false, 3},
    {"New after the 1 MB text", "plain.txt", false, 3},
    {"New after the 400 KB RTF", "formatted.rtf", false, 3},
};

std::string Folder() {
  char temp[MAX_PATH] = {};
  GetTempPathA(sizeof temp, temp);
  return std::string(temp) + "dabiro-replace-bench\\";
}

// A started program with the document of `before` open, ready for the
// timed step.
bool Prepare(LaunchedProgram& program, const std::string& folder, const char* before) {
  if (program.WaitShownAndIdle(StartTimeout) < 0) return false;
  return !before || program.OpenDocument(folder + before, 1, LoadTimeout) >= 0;
}

double Round(const Program& subject, const Scenario& scenario, const std::string& folder,
             double cap) {
  LaunchedProgram program(subject.exe, folder);
  if (!Prepare(program, folder, scenario.before)) return Failed;
  double seconds;
  if (scenario.opensSmall) {
    const size_t length = std::strlen(SmallText);
    seconds = program.OpenDocument(folder + "small.txt", length, cap, length);
  } else {
    if (!program.ChooseMenuItem('F', 'N')) return Failed;
    seconds = program.WaitEmpty(cap);
  }
  return seconds < 0 ? OverCap : seconds * 1000;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The median of the rounds in ms, or the first round that did not finish:
// after it, the others would only repeat the wait.
struct Result {
  std::vector<double> rounds;
  double stopped = 0;  // OverCap or Failed, when a round was
};

std::string Shown(const Result& result, double cap) {
  char text[64];
  if (result.stopped == OverCap)
    std::snprintf(text, sizeof text, "over %.0f s", cap);
  else if (result.stopped == Failed)
    std::snprintf(text, sizeof text, "failed");
  else
    std::snprintf(text, sizeof text, "%.0f ms", Median(result.rounds));
  return text;
}

void CompareReplacing(const std::vector<Program>& programs, int runs, double cap,
                      const std::string& folder) {
  const size_t count = sizeof Scenarios / sizeof Scenarios[0];
  std::vector<std::vector<Result>> results(programs.size(), std::vector<Result>(count));
  for (const Program& program : programs) Round(program, Scenarios[0], folder, cap);  // warm-up
  for (int run = 0; run < runs; ++run)
    for (size_t s = 0; s < count; ++s)
      for (size_t p = 0; p < programs.size(); ++p) {
        Result& result = results[p][s];
        if (result.stopped != 0) continue;
        const double ms = Round(programs[p], Scenarios[s], folder, cap);
        std::fprintf(stderr, "%s, %s: %.0f\n", programs[p].label.c_str(), Scenarios[s].label, ms);
        if (ms < 0)
          result.stopped = ms;
        else
          result.rounds.push_back(ms);
      }

  std::printf("| Median of %d runs, %s pressed until shown and idle |", runs, "Open or New");
  for (const Program& program : programs) std::printf(" %s |", program.label.c_str());
  std::printf(" Dabiro against the same without a large document | Goal |\n|---|");
  for (size_t p = 0; p < programs.size(); ++p) std::printf("---:|");
  std::printf("---:|---|\n");
  for (size_t s = 0; s < count; ++s) {
    std::printf("| %s |", Scenarios[s].label);
    for (size_t p = 0; p < programs.size(); ++p)
      std::printf(" %s |", Shown(results[p][s], cap).c_str());
    const Result& reference = results[0][Scenarios[s].reference];
    const double fresh = reference.stopped ? 0 : Median(reference.rounds);
    if (s == Scenarios[s].reference || results[0][s].stopped || fresh <= 0) {
      std::printf(" | |\n");
      continue;
    }
    const double ratio = Median(results[0][s].rounds) / fresh;
    std::printf(" %.2fx | within 1.2x: %s |\n", ratio, ratio <= 1.2 ? "met" : "not met");
  }
}

// Select all, then Delete or Cut through the Edit menu.
double EmptyingRound(const std::string& dabiro, const std::string& folder, const char* document,
                     bool cut, double cap) {
  LaunchedProgram program(dabiro, folder);
  if (!Prepare(program, folder, document) || !program.ChooseMenuItem('E', 'S')) return Failed;
  if (cut)
    program.ChooseMenuItem('E', 'T');
  else
    LaunchedProgram::PressKey(VK_DELETE);
  const double seconds = program.WaitEmpty(cap);
  return seconds < 0 ? OverCap : seconds * 1000;
}

// Plain texts of growing size, one round each, until one does not finish
// within the cap: whether the time grows with the square of the size.
void MeasureEmptying(const std::string& dabiro, double cap, const std::string& folder) {
  const size_t sizes[] = {128 << 10, 256 << 10, 512 << 10, 1 << 20};
  std::printf("\n| Dabiro, one round: Select all, then ... until empty and idle |");
  for (size_t size : sizes) std::printf(" %zu KB text |", size >> 10);
  std::printf("\n|---|");
  for (size_t i = 0; i < sizeof sizes / sizeof sizes[0]; ++i) std::printf("---:|");
  for (const bool cut : {false, true}) {
    std::printf("\n| %s |", cut ? "Cut" : "Delete");
    Result result;
    for (size_t size : sizes) {
      if (result.stopped != 0) break;
      WriteWholeFile(folder + "sized.txt", PlainSample(size));
      const double ms = EmptyingRound(dabiro, folder, "sized.txt", cut, cap);
      std::fprintf(stderr, "%s, %zu KB: %.0f\n", cut ? "Cut" : "Delete", size >> 10, ms);
      result.rounds.assign(1, ms);
      if (ms < 0) result.stopped = ms;
      std::printf(" %s |", Shown(result, cap).c_str());
      std::fflush(stdout);
    }
  }
  std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr,
                 "usage: replace_bench.exe runs cap-seconds [replacing-only] dabiro.exe "
                 "[wordpad.exe]\n");
    return 2;
  }
  const int runs = std::max(1, std::atoi(argv[1]));
  const double cap = std::atof(argv[2]);
  const bool replacingOnly = std::strcmp(argv[3], "replacing-only") == 0;
  if (replacingOnly && argc < 5) return 2;
  if (replacingOnly) ++argv, --argc;
  const std::string folder = Folder();
  CreateDirectoryA(folder.c_str(), nullptr);
  if (!WriteWholeFile(folder + "small.txt", SmallText) ||
      !WriteWholeFile(folder + "plain.txt", PlainSample(1 << 20)) ||
      !WriteWholeFile(folder + "formatted.rtf", RtfSample(400 << 10))) {
    std::fprintf(stderr, "cannot write the documents into %s\n", folder.c_str());
    return 1;
  }
  std::vector<Program> programs{{"Dabiro", argv[3]}};
  if (argc > 4) programs.push_back({"WordPad", argv[4]});
  CompareReplacing(programs, runs, cap, folder);
  std::fflush(stdout);
  if (!replacingOnly) MeasureEmptying(programs[0].exe, cap, folder);
  for (const char* name : {"small.txt", "plain.txt", "formatted.rtf", "sized.txt"})
    DeleteFileA((folder + name).c_str());
  RemoveDirectoryA(folder.c_str());
  return 0;
}

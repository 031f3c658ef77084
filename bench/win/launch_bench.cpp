// Compares a program with a reference program, started alternately in the
// same run: time until the main window is shown and idle, peak working set
// after start-up and after opening a large document through File/Open, and
// the size of each exe. Progress goes to stderr, a Markdown table of the
// medians to stdout.
// Usage: launch_bench.exe runs [label=]program.exe [label=]reference.exe
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchDocument.h"
#include "LabelledProgram.h"
#include "LaunchedProgram.h"

namespace {

constexpr std::size_t DocumentBytes = 1024 * 1024;
constexpr double StartTimeout = 60;
constexpr double OpenTimeout = 300;
constexpr double MiB = 1024.0 * 1024.0;

struct Figures {
  double startSeconds;
  std::size_t peakStarted;
  double openSeconds;
  std::size_t peakOpened;
};

struct Subject {
  std::string exe;
  std::string label;
  std::vector<Figures> runs;
};

struct Document {
  std::string folder;
  std::string path;
  BenchDocument contents;
};

Subject SubjectOf(const std::string& argument) {
  const LabelledProgram program = LabelledProgramOf(argument);
  return {program.exe, program.label, {}};
}

bool PrepareDocument(Document& document) {
  char temp[MAX_PATH] = {};
  GetTempPathA(sizeof temp, temp);
  // A folder of its own: both file dialogs then list the same single file.
  document.folder = std::string(temp) + "dabiro-bench";
  CreateDirectoryA(document.folder.c_str(), nullptr);
  document.path = document.folder + "\\bench-1mb.rtf";
  return WriteBenchDocument(document.path, DocumentBytes, document.contents);
}

bool MeasureOnce(const std::string& exe, const Document& document, Figures& figures) {
  LaunchedProgram program(exe, document.folder);
  if (!program.Started()) {
    std::fprintf(stderr, "cannot start %s (error %lu)\n", exe.c_str(), GetLastError());
    return false;
  }
  figures.startSeconds = program.WaitShownAndIdle(StartTimeout);
  if (figures.startSeconds < 0) {
    std::fprintf(stderr, "%s: no main window shown and idle\n", exe.c_str());
    return false;
  }
  figures.peakStarted = program.PeakWorkingSet();
  figures.openSeconds =
      program.OpenDocument(document.path, document.contents.characters, OpenTimeout);
  if (figures.openSeconds < 0) {
    std::fprintf(stderr, "%s: the document was not opened through File/Open\n", exe.c_str());
    return false;
  }
  figures.peakOpened = program.PeakWorkingSet();
  return true;
}

template <typename Value>
Value Median(const std::vector<Figures>& runs, Value Figures::*field) {
  std::vector<Value> values;
  for (const Figures& run : runs) values.push_back(run.*field);
  return MedianOf(values);
}

std::size_t FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  ULARGE_INTEGER size;
  size.LowPart = data.nFileSizeLow;
  size.HighPart = data.nFileSizeHigh;
  return static_cast<std::size_t>(size.QuadPart);
}

const char* Verdict(bool met) { return met ? "met" : "**missed**"; }

void PrintRow(const char* measure, const std::string& subject, const std::string& reference,
              const std::string& goal, bool met) {
  std::printf("| %s | %s | %s | %s | %s |\n", measure, subject.c_str(), reference.c_str(),
              goal.c_str(), goal.empty() ? "" : Verdict(met));
}

std::string Format(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

void PrintTable(const Subject& subject, const Subject& reference, const Document& document) {
  const auto ms = [](double seconds) { return Format("%.0f ms", seconds * 1000); };
  const auto mib = [](std::size_t bytes) { return Format("%.1f MiB", bytes / MiB); };
  const std::string than = " " + reference.label;
  std::printf("| Median of %zu runs | %s | %s | Goal | |\n|---|---:|---:|---|---|\n",
              subject.runs.size(), subject.label.c_str(), reference.label.c_str());
  const double start = Median(subject.runs, &Figures::startSeconds);
  const double referenceStart = Median(reference.runs, &Figures::startSeconds);
  PrintRow("Start-up until the main window is shown and idle", ms(start), ms(referenceStart),
           "no slower than" + than, start <= referenceStart);
  const std::size_t started = Median(subject.runs, &Figures::peakStarted);
  const std::size_t referenceStarted = Median(reference.runs, &Figures::peakStarted);
  PrintRow("Peak working set after start-up", mib(started), mib(referenceStarted),
           "at most" + than + "'s", started <= referenceStarted);
  const std::size_t opened = Median(subject.runs, &Figures::peakOpened);
  const std::size_t referenceOpened = Median(reference.runs, &Figures::peakOpened);
  PrintRow("Peak working set after opening the 1 MiB document", mib(opened), mib(referenceOpened),
           "at most" + than + "'s", opened <= referenceOpened);
  PrintRow("Opening the 1 MiB document (Open pressed until shown and idle)",
           ms(Median(subject.runs, &Figures::openSeconds)),
           ms(Median(reference.runs, &Figures::openSeconds)), "", true);
  const std::size_t size = FileSize(subject.exe);
  PrintRow("Size of the exe", Format("%.0f KiB", size / 1024.0),
           Format("%.0f KiB", FileSize(reference.exe) / 1024.0), "under 1 MiB", size < MiB);
  std::printf("\nThe document: %zu bytes of RTF, %zu characters of text in the glyph font.\n",
              document.contents.bytes, document.contents.characters);
}

void PrintProgress(const Subject& subject, const Figures& figures, const char* run) {
  std::fprintf(stderr,
               "%-10s %-7s start-up %6.0f ms, peak %6.1f MiB; open %6.0f ms, peak %6.1f MiB\n",
               subject.label.c_str(), run, figures.startSeconds * 1000, figures.peakStarted / MiB,
               figures.openSeconds * 1000, figures.peakOpened / MiB);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4 || std::atoi(argv[1]) < 1) {
    std::fprintf(stderr,
                 "usage: launch_bench.exe runs [label=]program.exe [label=]reference.exe\n");
    return 2;
  }
  const int runs = std::atoi(argv[1]);
  Subject subject = SubjectOf(argv[2]);
  Subject reference = SubjectOf(argv[3]);
  Document document;
  if (!PrepareDocument(document)) {
    std::fprintf(stderr, "cannot write the document %s\n", document.path.c_str());
    return 1;
  }
  // One untimed round first, so that neither program pays for cold caches;
  // then the two alternate, so that both see the same load.
  for (int run = 0; run <= runs; ++run) {
    for (Subject* s : {&subject, &reference}) {
      Figures figures{};
      if (!MeasureOnce(s->exe, document, figures)) return 1;
      PrintProgress(*s, figures, run == 0 ? "warm-up" : ("run " + std::to_string(run)).c_str());
      if (run > 0) s->runs.push_back(figures);
    }
  }
  PrintTable(subject, reference, document);
  std::fflush(stdout);
  return 0;
}

// Times opening and saving documents through the editor's own load and
// save path (the file, the line-break reader, the RTF attempt before plain
// text, the safe replacement of the old file) against the bare rich edit
// control streaming the same bytes from and to memory in the same run: the
// ratio is the editor's overhead. Then times Wine's WordPad started on the
// same files, from launch until its window shows the file and is idle,
// against the editor's own launch plus its open.
// Usage: files_bench.exe [runs [streams|kinds]]   (median of the runs,
// default 5; "streams" leaves WordPad out; "kinds" times only the opening
// of one document in each kind the editor reads)
#include <windows.h>

#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "BenchDocument.h"
#include "Clock.h"
#include "DocumentKind.h"
#include "DocumentStreams.h"
#include "FileReplacement.h"
#include "LaunchedProgram.h"
#include "MainForm.h"
#include "RtfConversion.h"
#include "StartUp.h"

namespace {

double MillisecondsOf(const std::function<void()>& work) {
  const double start = Seconds();
  work();
  return (Seconds() - start) * 1000;
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::string ReadWholeFile(const std::string& path) {
  std::string bytes;
  HANDLE file =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  bytes.resize(GetFileSize(file, nullptr));
  DWORD read = 0;
  ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
  bytes.resize(read);
  CloseHandle(file);
  return bytes;
}

// ---- The bare control ----

struct MemoryReader {
  const std::string& bytes;
  size_t at;
};

DWORD CALLBACK ReadMemory(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
  auto& reader = *reinterpret_cast<MemoryReader*>(cookie);
  const size_t count = std::min(static_cast<size_t>(size), reader.bytes.size() - reader.at);
  std::memcpy(buffer, reader.bytes.data() + reader.at, count);
  reader.at += count;
  *done = static_cast<LONG>(count);
  return 0;
}

DWORD CALLBACK WriteMemory(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
  reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(buffer),
                                                 static_cast<size_t>(size));
  *done = size;
  return 0;
}

void StreamInFromMemory(const RichEditControl& control, const std::string& bytes, UINT format) {
  MemoryReader reader{bytes, 0};
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&reader), 0, ReadMemory};
  control.Send(EM_STREAMIN, format, reinterpret_cast<LPARAM>(&stream));
}

// Into a buffer kept from the last time, so that growing it costs nothing.
void StreamOutToMemory(const RichEditControl& control, UINT format, std::string& bytes) {
  bytes.clear();
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&bytes), 0, WriteMemory};
  control.Send(EM_STREAMOUT, format, reinterpret_cast<LPARAM>(&stream));
}

// ---- Editor against bare control ----

// Saving is quick: each run saves this many times both ways.
constexpr int SavesPerRun = 10;

struct Sample {
  const char* label;
  std::string path;
  std::string bytes;
  bool plainText;
};

// Times of the editor and the bare control taken side by side, so that
// each pair saw the same load on the machine.
struct Pairs {
  std::vector<double> ours, bare;

  void Add(int index, const std::function<void()>& ourWork, const std::function<void()>& bareWork) {
    // The order flips from pair to pair.
    if (index % 2) {
      ours.push_back(MillisecondsOf(ourWork));
      bare.push_back(MillisecondsOf(bareWork));
    } else {
      bare.push_back(MillisecondsOf(bareWork));
      ours.push_back(MillisecondsOf(ourWork));
    }
  }
  double RatioOfPair(size_t i) const { return ours[i] / bare[i]; }
};

struct Figures {
  Pairs open, save;
  bool sameBytes = true;
  long length = 0, bareLength = 0;  // characters loaded
};

class StreamBench {
 public:
  // The editor's own control stays hidden while the bench's controls sit
  // in its place as the only ones visible there.
  explicit StreamBench(TMainForm& form) : form_(form) {
    ShowWindow(form_.RichEdit1.Handle(), SW_HIDE);
  }
  ~StreamBench() { ShowWindow(form_.RichEdit1.Handle(), SW_SHOW); }
  StreamBench(const StreamBench&) = delete;
  StreamBench& operator=(const StreamBench&) = delete;

  // Each open goes into a fresh control of the editor's kind, so that no
  // run pays for emptying the last one. The saves are of the control the
  // editor loaded.
  void Run(const Sample& sample, int run, Figures& figures) const {
    const UINT format = sample.plainText ? SF_TEXT : SF_RTF;
    const auto ours = FreshControl();
    const auto bare = FreshControl();
    figures.open.Add(
        run, [&] { LoadDocument(*ours, sample.path); },
        [&] { StreamInFromMemory(*bare, sample.bytes, format); });
    figures.length = GetWindowTextLengthA(ours->Handle());
    figures.bareLength = GetWindowTextLengthA(bare->Handle());

    const std::string saved = sample.path + ".saved";
    std::string inMemory;
    for (int save = 0; save < SavesPerRun; ++save)
      figures.save.Add(
          save, [&] { SaveDocument(*ours, saved, sample.plainText); },
          [&] { StreamOutToMemory(*ours, format, inMemory); });
    figures.sameBytes &= ReadWholeFile(saved) == inMemory;
    DeleteFileA(saved.c_str());
  }

  // The editor's open of the file, into a fresh control each run.
  double OpenMilliseconds(const std::string& path) const {
    const auto control = FreshControl();
    return MillisecondsOf([&] { LoadDocument(*control, path); });
  }

 private:
  // Made as the editor makes its own, in the same place and font.
  std::unique_ptr<RichEditControl> FreshControl() const {
    RECT place;
    GetWindowRect(form_.RichEdit1.Handle(), &place);
    MapWindowPoints(nullptr, form_.Handle(), reinterpret_cast<POINT*>(&place), 2);
    auto control = std::make_unique<RichEditControl>("BenchEdit");
    control->Create(form_.Handle(), place.left, place.top, place.right - place.left,
                    place.bottom - place.top, 0);
    control->SetFont(reinterpret_cast<HFONT>(form_.RichEdit1.Send(WM_GETFONT)));
    return control;
  }

  TMainForm& form_;
};

// ---- The steps of a safe save ----

struct ReplacementSteps {
  std::vector<double> create, write, flush, commit;
};

// The saved bytes through the editor's file replacement alone, in the
// control's 4 KB blocks: what the save adds to the control's own work.
ReplacementSteps TimeReplacement(const std::string& target, const std::string& bytes, int runs) {
  constexpr size_t ControlBlock = 4096;
  ReplacementSteps steps;
  for (int run = 0; run < runs; ++run) {
    std::unique_ptr<FileReplacement> file;
    steps.create.push_back(
        MillisecondsOf([&] { file = std::make_unique<FileReplacement>(target); }));
    steps.write.push_back(MillisecondsOf([&] {
      for (size_t at = 0; at < bytes.size(); at += ControlBlock)
        file->Write(bytes.data() + at, std::min(ControlBlock, bytes.size() - at));
    }));
    steps.flush.push_back(MillisecondsOf([&] { file->Flush(); }));
    steps.commit.push_back(MillisecondsOf([&] { file->Commit(); }));
  }
  DeleteFileA(target.c_str());
  return steps;
}

// ---- Programs started on a file ----

constexpr double LaunchTimeoutSeconds = 120;

std::string WordPadPath() {
  char path[MAX_PATH] = {};
  if (!ExpandEnvironmentStringsA("%ProgramFiles%\\Windows NT\\Accessories\\wordpad.exe", path,
                                 MAX_PATH))
    return {};
  return path;
}

std::string DabiroPath() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.find_last_of('\\') + 1) + "Dabiro.exe";
}

std::string FolderOf(const std::string& path) {
  return path.substr(0, path.find_last_of('\\') + 1);
}

// Milliseconds from each launch until the window is shown and idle; the
// median, or a negative value when any launch never got there.
double MedianLaunch(int runs, const std::function<double()>& launch) {
  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    const double seconds = launch();
    if (seconds < 0) return -1;
    times.push_back(seconds * 1000);
  }
  return Median(times);
}

// ---- Report ----

void ReportPairs(const char* what, const Pairs& pairs) {
  std::vector<double> ratios, differences;
  for (size_t i = 0; i < pairs.ours.size(); ++i) {
    ratios.push_back(pairs.RatioOfPair(i));
    differences.push_back(pairs.ours[i] - pairs.bare[i]);
  }
  std::printf(
      "  %-5s editor %8.1f ms  bare control %8.1f ms  ratio %.3f (%.3f to %.3f)  difference %+.1f "
      "ms\n",
      what, Median(pairs.ours), Median(pairs.bare), Median(ratios),
      *std::min_element(ratios.begin(), ratios.end()),
      *std::max_element(ratios.begin(), ratios.end()), Median(differences));
}

void ReportStreams(const Sample& sample, const Figures& f) {
  std::printf("%-4s %7zu bytes; characters loaded: editor %ld, bare control %ld%s\n", sample.label,
              sample.bytes.size(), f.length, f.bareLength,
              f.sameBytes ? "" : "  (SAVED FILE DIFFERS FROM THE CONTROL'S BYTES)");
  ReportPairs("open", f.open);
  ReportPairs("save", f.save);
}

void ReportReplacement(const Sample& sample, const ReplacementSteps& steps) {
  std::printf(
      "  %-4s replacing a file with %zu bytes: create %.2f ms  write %.2f ms  flush %.2f ms"
      "  move in place %.2f ms\n",
      sample.label, sample.bytes.size(), Median(steps.create), Median(steps.write),
      Median(steps.flush), Median(steps.commit));
}

// The editor takes no file on its command line: its side is its own start
// plus its open measured above.
void CompareWithWordPad(int runs, const std::vector<Sample>& samples,
                        const std::vector<Figures>& figures) {
  const std::string wordPad = WordPadPath(), folder = FolderOf(samples.front().path);
  const auto started = [&](const std::string& exe) {
    return MedianLaunch(
        runs, [&] { return LaunchedProgram(exe, folder).WaitShownAndIdle(LaunchTimeoutSeconds); });
  };
  const double dabiro = started(DabiroPath());
  std::printf("  started without a file:  Dabiro %8.1f ms  WordPad %8.1f ms\n", dabiro,
              started(wordPad));
  for (size_t i = 0; i < samples.size(); ++i) {
    const std::string& path = samples[i].path;
    // WordPad must show as many characters as the editor loads.
    const size_t characters = static_cast<size_t>(figures[i].length);
    const double wordPadOnFile = MedianLaunch(runs, [&] {
      return LaunchedProgram(wordPad, folder, "\"" + path + "\"")
          .WaitShowing(path, characters, LaunchTimeoutSeconds);
    });
    const double ours = dabiro + Median(figures[i].open.ours);
    std::printf(
        "  %-4s file: Dabiro start + open %8.1f ms  WordPad started on it %8.1f ms"
        "  ratio %.3f\n",
        samples[i].label, ours, wordPadOnFile, ours / wordPadOnFile);
  }
}

std::vector<Figures> CompareWithBareControl(TMainForm& form, const std::vector<Sample>& samples,
                                            int runs) {
  std::printf(
      "editor against the bare control: medians of %d runs (saves: %d a run), the ratio's\n"
      "median of the pairs taken side by side (and its range), the median difference:\n",
      runs, SavesPerRun);
  std::vector<Figures> figures(samples.size());
  const StreamBench streams(form);
  // A first run warms caches and fonts up and is not counted.
  for (int run = -1; run < runs; ++run)
    for (size_t i = 0; i < samples.size(); ++i) {
      Figures warmUp;
      streams.Run(samples[i], run, run < 0 ? warmUp : figures[i]);
    }
  for (size_t i = 0; i < samples.size(); ++i) ReportStreams(samples[i], figures[i]);
  return figures;
}

// Opening a Unicode document converts it first: each is timed against
// the same document as the editor saves it, its Dabiro RTF.
void CompareKinds(TMainForm& form, const std::string& folder, int runs) {
  core::Unconvertibles problems;
  const std::string glyphText = PlainSample(1 << 20);
  const struct {
    const char* label;
    std::string bytes;
  } kinds[] = {{"UTF-8 text",
                core::UnicodeFileOfGlyphText(glyphText, core::DocumentKind::Utf8Text, problems)},
               {"UTF-16 text",
                core::UnicodeFileOfGlyphText(glyphText, core::DocumentKind::Utf16Text, problems)},
               {"Unicode RTF", core::UnicodeFileOfGlyphRtf(
                                   RtfSample(1 << 20), core::DocumentKind::UnicodeRtf, problems)}};
  std::printf("opening a document and the same saved as Dabiro RTF, median of %d runs:\n", runs);
  const StreamBench streams(form);
  const std::string path = folder + "kind.bin", saved = folder + "kind.rtf";
  const auto medianOpen = [&](const std::string& file) {
    std::vector<double> times;
    for (int run = -1; run < runs; ++run) {
      const double time = streams.OpenMilliseconds(file);
      if (run >= 0) times.push_back(time);
    }
    return Median(times);
  };
  for (const auto& kind : kinds) {
    WriteWholeFile(path, kind.bytes);
    const double opening = medianOpen(path);
    LoadDocument(form.RichEdit1, path);
    SaveDocument(form.RichEdit1, saved, false);
    const double openingRtf = medianOpen(saved);
    std::printf("  %-12s %8zu bytes %8.1f ms   as Dabiro RTF %8.1f ms   ratio %.2f\n", kind.label,
                kind.bytes.size(), opening, openingRtf, opening / openingRtf);
  }
  DeleteFileA(path.c_str());
  DeleteFileA(saved.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = std::max(1, argc > 1 ? std::atoi(argv[1]) : 5);
  StartApplication();
  TMainForm form;
  form.CreateForm();
  form.Show();

  char temp[MAX_PATH] = {};
  GetTempPathA(sizeof temp, temp);
  const std::string folder = std::string(temp) + "dabiro-files-bench\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::vector<Sample> samples{{"text", folder + "plain.txt", PlainSample(1 << 20), true},
                                    {"rtf", folder + "formatted.rtf", RtfSample(400 << 10), false}};
  for (const Sample& sample : samples)
    if (!WriteWholeFile(sample.path, sample.bytes)) {
      std::printf("cannot write %s\n", sample.path.c_str());
      return 1;
    }

  if (argc > 2 && std::strcmp(argv[2], "kinds") == 0) {
    CompareKinds(form, folder, runs);
    return 0;
  }
  const std::vector<Figures> figures = CompareWithBareControl(form, samples, runs);
  std::printf("the save's own steps, medians of %d:\n", SavesPerRun * runs);
  for (const Sample& sample : samples)
    ReportReplacement(sample,
                      TimeReplacement(sample.path + ".saved", sample.bytes, SavesPerRun * runs));
  std::fflush(stdout);

  if (!(argc > 2 && std::strcmp(argv[2], "streams") == 0)) {
    std::printf("launch until the window shows the file and is idle, median of %d runs:\n", runs);
    CompareWithWordPad(runs, samples, figures);
  }
  for (const Sample& sample : samples) DeleteFileA(sample.path.c_str());
  RemoveDirectoryA(folder.c_str());
  std::fflush(stdout);
  return 0;
}

#pragma once
#include <windows.h>

#include <string>

// One print job, never left open: each step the spooler refuses aborts the
// job and throws with a message for the user, and a job that is left
// before Finish (by any exception) is aborted too. While it runs, pending
// window messages are handled between pages, so the windows stay usable.
class PrintJob {
 public:
  PrintJob(HDC printer, const std::string& name);
  ~PrintJob();
  PrintJob(const PrintJob&) = delete;
  PrintJob& operator=(const PrintJob&) = delete;

  void NextPage();
  void Finish();

  // True from the start of a job to its end.
  static bool Running();

 private:
  // Counts the job as running for exactly as long as it lives, also when
  // starting it fails.
  struct Count {
    Count();
    ~Count();
  };

  void Check(int result, UINT failure);

  Count count_;
  HDC printer_;
  bool open_ = false;
};

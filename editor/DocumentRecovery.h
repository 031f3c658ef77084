#pragma once
#include <windows.h>

#include <string>

// The recovery copy of this editor's document: a file in the user's
// temporary folder, one per running editor, that lets unsaved text survive
// a crash. The editor holds a mutex named after its copy while it runs:
// a copy whose mutex cannot be opened belongs to an editor that has ended,
// and only such a copy is ever taken by another. No settings are written.
class DocumentRecovery {
 public:
  DocumentRecovery();
  ~DocumentRecovery();
  DocumentRecovery(const DocumentRecovery&) = delete;
  DocumentRecovery& operator=(const DocumentRecovery&) = delete;

  // Writes the copy safely (a new file, flushed, then put in place of the
  // last one): RTF with the document's name and modified flag. False when
  // it could not be written.
  bool Write(const std::string& rtf, const std::string& documentName, bool modified);
  void Remove();
  bool Written();

  // A copy left by an editor that has ended, claimed for this one: its
  // mutex is now held here, so that no other editor starting meanwhile
  // takes it too. False when there is none (left unclaimed).
  struct Left {
    std::string path;
    std::string documentName;
    bool modified = false;
    FILETIME written{};
    HANDLE claim = nullptr;
  };
  bool TakeOneLeft(Left& left);
  // The copy is done with: deleted.
  static void Discard(Left& left);
  // The copy stays for a later start.
  static void LetGo(Left& left);

 private:
  // Found at first use, as the temporary folder is then.
  const std::string& Folder();

  std::string name_;
  std::string folder_;
  std::string path_;  // this editor's copy
  HANDLE running_ = nullptr;
};

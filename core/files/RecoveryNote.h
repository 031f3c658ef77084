#pragma once
#include <string>

namespace core {

// A recovery copy is the document's RTF with a note of its own at the end:
// the document's name and whether it was modified, in a destination that
// every RTF reader passes over ({\*\dabirorecovery ...}), so that the copy
// also opens as it is in any program that reads RTF.

std::string WithRecoveryNote(const std::string& rtf, const std::string& documentName,
                             bool modified);

// The note of a recovery copy; false when the bytes hold none.
bool ReadRecoveryNote(const std::string& bytes, std::string& documentName, bool& modified);

// The file name of a running editor's copy, made of its process id and its
// start, so that a later process of the same id never takes it for its
// own; and the name of the mutex that editor holds while it runs ("" for a
// file name that is no copy's).
std::string RecoveryCopyName(unsigned long processId, unsigned long started);
std::string RecoveryOwnerName(const std::string& copyName);

}  // namespace core

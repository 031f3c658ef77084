#pragma once
#include <functional>
#include <string>

#include "DocumentKind.h"
#include "Unconvertible.h"

class RichEditControl;

// Loading and saving go only through the control's own streaming.

// Replaces the control's document with the file (RichEditControl::Replace:
// when loading fails, the document stays as it was). The bytes decide how:
// Unicode text and RTF whose Persian is Unicode become glyph codes first
// (what the font cannot show as '?', listed in the problems); RTF goes in
// as RTF when the control takes it as such and it stays within what the
// control's reader survives; anything else as plain text whose CR, LF and
// CR LF line breaks all become CR LF. The name never decides the format.
// The progress, when given, hears the share of the document handed to the
// control so far, in percent, as it grows.
using LoadProgress = std::function<void(int percent)>;
struct LoadedDocument {
  core::DocumentKind kind;
  core::Unconvertibles problems;
};
LoadedDocument LoadDocument(RichEditControl& control, const std::string& fileName,
                            const LoadProgress& progress = nullptr);

// What LoadDocument would find in the file, without loading it: the
// kind, and what the font could not show; a file that cannot be read is
// taken for the editor's RTF.
LoadedDocument InspectDocument(const std::string& fileName);

// Writes the control's text as plain text or RTF (always plain text
// without the rich edit library). The file is replaced
// only after the whole text has been written: when saving fails, the old
// file stays as it was and nothing else is left in its folder.
void SaveDocument(const RichEditControl& control, const std::string& fileName, bool plainText);

// The control's document as a file of a Unicode kind (text, RTF or a web
// page), glyph codes without a glyph as U+FFFD, listed in the problems;
// and such bytes written as SaveDocument writes.
std::string UnicodeFileOf(const RichEditControl& control, core::DocumentKind kind,
                          core::Unconvertibles& problems);
void SaveBytes(const std::string& fileName, const std::string& bytes);

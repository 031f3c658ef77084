#pragma once
#include <functional>
#include <string>

class RichEditControl;

// Loading and saving go only through the control's own streaming.

// Replaces the control's document with the file (RichEditControl::Replace:
// when loading fails, the document stays as it was): as RTF when the control takes
// it as such and it stays within what the control's reader survives,
// otherwise as plain text whose CR, LF and CR LF line breaks all become
// CR LF. The name never decides the format. The progress, when given,
// hears the share of the file read so far, in percent, as it grows.
using LoadProgress = std::function<void(int percent)>;
void LoadDocument(RichEditControl& control, const std::string& fileName,
                  const LoadProgress& progress = nullptr);

// Writes the control's text as plain text or RTF (always plain text
// without the rich edit library). The file is replaced
// only after the whole text has been written: when saving fails, the old
// file stays as it was and nothing else is left in its folder.
void SaveDocument(const RichEditControl& control, const std::string& fileName, bool plainText);

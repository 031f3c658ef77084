#pragma once
#include <windows.h>
#include <richedit.h>

#include <string>

class RichEditControl;

// Sends EM_STREAMIN or EM_STREAMOUT with the stream. Without the rich edit
// library the control is a plain edit, which ignores both and would leave
// dwError 0 after moving nothing: its text moves through the stream's
// callback here instead, as plain text, and RTF ends with an error.
void Stream(const RichEditControl& control, UINT message, WPARAM format, EDITSTREAM& stream);

// The control's text streamed out to a string, or in from one, in a format
// of EM_STREAMOUT and EM_STREAMIN. A failure inside the stream (memory
// running out) is raised once the control has returned; an error the
// control reports raises too.
std::string StreamOut(const RichEditControl& control, WPARAM format);
void StreamIn(const RichEditControl& control, WPARAM format, const std::string& bytes);

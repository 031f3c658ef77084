#pragma once
#include <windows.h>

#include <string>

class RichEditControl;

// The control's text streamed out to a string, or in from one, in a format
// of EM_STREAMOUT and EM_STREAMIN. A failure inside the stream (memory
// running out) is raised once the control has returned.
std::string StreamOut(const RichEditControl& control, WPARAM format);
void StreamIn(const RichEditControl& control, WPARAM format, const std::string& bytes);

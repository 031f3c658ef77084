#pragma once
#include <windows.h>
#include <richedit.h>

#include <cstddef>
#include <string>

#include "ControlStorage.h"

// Sends EM_STREAMIN or EM_STREAMOUT with the stream. Without the rich edit
// library the control is a plain edit, which ignores both and would leave
// dwError 0 after moving nothing: its text moves through the stream's
// callback here instead, as plain text, and RTF ends with an error.
void Stream(ControlStorage control, UINT message, WPARAM format, EDITSTREAM& stream);

// The control's text streamed out to a string, or in from one, in a format
// of EM_STREAMOUT and EM_STREAMIN. A failure inside the stream (memory
// running out) is raised once the control has returned; an error the
// control reports raises too.
std::string StreamOut(ControlStorage control, WPARAM format);
void StreamIn(ControlStorage control, WPARAM format, const std::string& bytes);

// How many of the `left` bytes to hand the control when it asks for
// `wanted`: all it asks, but never up to a CR whose LF comes next (as
// bytes or as UTF-16): Wine's control reads a CR at the end of one piece
// and an LF at the start of the next as two paragraph ends.
std::size_t PieceSize(const char* bytes, std::size_t left, std::size_t wanted);

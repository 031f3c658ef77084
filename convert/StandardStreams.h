#pragma once
#include <string>

// What differs between the systems dabiro-convert runs on.

// Standard input and output carry bytes as they are (no CR LF translation).
void UseBinaryStandardStreams();

// Writes a new file beside `name` and puts it in place of `name`.
void ReplaceWholeFile(const std::string& name, const std::string& bytes);

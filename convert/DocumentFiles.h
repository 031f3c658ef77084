#pragma once
#include <string>

// Reading and writing dabiro-convert's files; "-" is standard input or
// output. Failures are core::Exception with a message for the user.

std::string ReadDocument(const std::string& name);

// Writes beside the target and puts the new file in its place only when
// all of it is written, so that a failure leaves the target as it was.
void WriteDocument(const std::string& name, const std::string& bytes);

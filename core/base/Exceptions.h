#pragma once
#include <exception>
#include <string>

namespace core {

// Failures are exceptions carrying an 8-bit (Windows-1252) message; the
// error display shows the message with a full stop appended.
class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

// Ends a command the user cancelled; never shown.
class SilentAbort : public Exception {
 public:
  SilentAbort() : Exception("Operation abgebrochen") {}
};

// A text that is not an integer.
class EConvertError : public Exception {
  using Exception::Exception;
};

// A tagged value that cannot be turned into the wanted kind.
class EVariantError : public Exception {
  using Exception::Exception;
};

// A registry operation that failed.
class ERegFileError : public Exception {
  using Exception::Exception;
};

}  // namespace core

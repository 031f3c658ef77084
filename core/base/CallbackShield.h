#pragma once
#include <exception>
#include <utility>

namespace core {

// Keeps exceptions from crossing the system's frames: a callback that the
// system calls runs its body through Run, which catches whatever it throws,
// keeps the first such failure and answers the system with an error value.
// Once the system call has returned, Rethrow raises the kept failure again,
// on this side of the system, where the error display can show it.
class CallbackShield {
 public:
  template <typename Body, typename Result>
  Result Run(Body&& body, Result onFailure) noexcept {
    try {
      return body();
    } catch (...) {
      if (!failure_) failure_ = std::current_exception();
      return onFailure;
    }
  }

  bool Failed() const { return failure_ != nullptr; }

  void Rethrow() {
    if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
  }

 private:
  std::exception_ptr failure_;
};

}  // namespace core

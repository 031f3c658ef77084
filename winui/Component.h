#pragma once
#include <string>

namespace winui {

// Anything that raises events: handlers receive it as their sender.
class Component {
 public:
  explicit Component(std::string name = {}, int tag = 0) : name_(std::move(name)), tag_(tag) {}
  virtual ~Component() = default;
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;

  const std::string& Name() const { return name_; }
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }

 private:
  std::string name_;
  int tag_;
};

}  // namespace winui

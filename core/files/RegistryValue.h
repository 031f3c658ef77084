#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace core {

// Registry value types as the registry reports them.
constexpr uint32_t RegSz = 1;
constexpr uint32_t RegExpandSz = 2;
constexpr uint32_t RegBinary = 3;
constexpr uint32_t RegDword = 4;
constexpr uint32_t RegMultiSz = 7;

inline constexpr char CantOpenKeyMessage[] = "Can't open a Key";

enum class RegKind { Null, Empty, Text, Integer };

// A value read from the registry, tagged by what it could be converted to.
class RegValue {
 public:
  RegValue() = default;  // Null
  static RegValue Empty();
  static RegValue Text(std::string text);
  static RegValue Integer(int32_t number);

  RegKind Kind() const { return kind_; }
  // Meaningful only for the kind that holds them; "" and 0 otherwise.
  const std::string& TextValue() const { return text_; }
  int32_t IntegerValue() const { return number_; }

  // Null has no text: throws EVariantError.
  std::string ToText() const;

 private:
  RegKind kind_ = RegKind::Null;
  std::string text_;
  int32_t number_ = 0;
};

// Splits "sub\name" into the relative key path "\sub" and the value name
// "name". A doubled backslash belongs to the name and never separates.
void SplitValuePath(const std::string& valueName, std::string& path, std::string& name);

// Turns raw registry data into a value by its registry type. Nothing is
// read outside [data, data + size).
RegValue ConvertData(uint32_t type, const unsigned char* data, size_t size);

// "Reg Error: " and the status as eight upper-case hex digits.
std::string RegErrorMessage(uint32_t status);

}  // namespace core

#include "RegistryValue.h"

#include <algorithm>
#include <cstdio>

#include "Exceptions.h"

namespace core {

namespace {

// Kind tags of a stored 16-byte value record (the Windows variant tags).
constexpr uint32_t TagEmpty = 0;
constexpr uint32_t TagNull = 1;
constexpr uint32_t TagShort = 2;
constexpr uint32_t TagLong = 3;

constexpr size_t RecordSize = 16;
constexpr size_t PayloadOffset = 8;

uint32_t ReadLittleEndian(const unsigned char* bytes, size_t count) {
  uint32_t value = 0;
  for (size_t i = count; i > 0; --i) value = (value << 8) | bytes[i - 1];
  return value;
}

// Restores only records whose payload is a plain integer; anything that
// could refer to memory (strings, pointers, objects) becomes Empty, and so
// do kinds with no counterpart here (booleans, floats, dates).
RegValue ConvertRecord(const unsigned char* record) {
  const unsigned char* payload = record + PayloadOffset;
  switch (ReadLittleEndian(record, 2)) {
    case TagNull:
      return RegValue();
    case TagShort:
      return RegValue::Integer(static_cast<int16_t>(ReadLittleEndian(payload, 2)));
    case TagLong:
      return RegValue::Integer(static_cast<int32_t>(ReadLittleEndian(payload, 4)));
    case TagEmpty:
    default:
      return RegValue::Empty();
  }
}

}  // namespace

RegValue RegValue::Empty() {
  RegValue value;
  value.kind_ = RegKind::Empty;
  return value;
}

RegValue RegValue::Text(std::string text) {
  RegValue value;
  value.kind_ = RegKind::Text;
  value.text_ = std::move(text);
  return value;
}

RegValue RegValue::Integer(int32_t number) {
  RegValue value;
  value.kind_ = RegKind::Integer;
  value.number_ = number;
  return value;
}

std::string RegValue::ToText() const {
  switch (kind_) {
    case RegKind::Text:
      return text_;
    case RegKind::Integer:
      return std::to_string(number_);
    case RegKind::Empty:
      return "";
    case RegKind::Null:
      break;
  }
  throw EVariantError("Ung\xFCltige Varianten-Typkonvertierung");
}

void SplitValuePath(const std::string& valueName, std::string& path, std::string& name) {
  // p counts characters from 1, so valueName[p - 1] is the character at p.
  size_t p = valueName.size();
  while (p > 0) {
    if (valueName[p - 1] != '\\')
      --p;
    else if (p > 1 && valueName[p - 2] == '\\')
      p -= 2;
    else
      break;
  }
  if (p == 0) {
    path.clear();
    name = valueName;
    return;
  }
  path = valueName.substr(0, p - 1);
  name = valueName.substr(p);
  if (!path.empty() && path[0] != '\\') path.insert(0, 1, '\\');
}

RegValue ConvertData(uint32_t type, const unsigned char* data, size_t size) {
  const unsigned char* end = data + size;
  switch (type) {
    case RegSz:
      return RegValue::Text(std::string(data, std::find(data, end, 0)));
    case RegDword:
      if (size >= 4) return RegValue::Integer(static_cast<int32_t>(ReadLittleEndian(data, 4)));
      break;
    case RegBinary:
      if (size == RecordSize) return ConvertRecord(data);
      break;
  }
  return RegValue::Empty();
}

std::string RegErrorMessage(uint32_t status) {
  char text[32];
  std::snprintf(text, sizeof text, "Reg Error: %8.8X", static_cast<unsigned>(status));
  return text;
}

}  // namespace core

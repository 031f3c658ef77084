#include "RegistryValue.h"

#include <gtest/gtest.h>

#include <vector>

#include "Exceptions.h"

namespace {

struct SplitCase {
  const char* valueName;
  const char* path;
  const char* name;
};

class SplitValuePathTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitValuePathTest, SplitsAtLastSingleBackslash) {
  std::string path = "stale", name = "stale";
  core::SplitValuePath(GetParam().valueName, path, name);
  EXPECT_EQ(path, GetParam().path);
  EXPECT_EQ(name, GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitValuePathTest,
    testing::Values(SplitCase{"sub\\name", "\\sub", "name"}, SplitCase{"sub\\", "\\sub", ""},
                    SplitCase{"\\name", "", "name"}, SplitCase{"name", "", "name"},
                    SplitCase{"a\\\\b", "", "a\\\\b"}, SplitCase{"a\\\\b\\c", "\\a\\\\b", "c"},
                    SplitCase{"x\\y\\z", "\\x\\y", "z"}, SplitCase{"", "", ""},
                    SplitCase{"\\", "", ""}, SplitCase{"name\\\\", "", "name\\\\"},
                    SplitCase{"\\\\\\v", "", "\\\\v"}, SplitCase{"\\a\\b", "\\a", "b"}));

struct ConvertCase {
  const char* label;
  uint32_t type;
  std::vector<unsigned char> data;
  core::RegKind kind;
  std::string text;
};

void PrintTo(const ConvertCase& c, std::ostream* out) { *out << c.label; }

class ConvertDataTest : public testing::TestWithParam<ConvertCase> {};

TEST_P(ConvertDataTest, ConvertsByType) {
  const auto& c = GetParam();
  const core::RegValue value = core::ConvertData(c.type, c.data.data(), c.data.size());
  EXPECT_EQ(value.Kind(), c.kind);
  EXPECT_EQ(value.ToText(), c.text);
}

// Sixteen bytes holding a value record: kind tag, three reserved words,
// then the payload.
std::vector<unsigned char> Record(uint16_t tag, std::vector<unsigned char> payload) {
  std::vector<unsigned char> record(16, 0xCC);
  record[0] = static_cast<unsigned char>(tag);
  record[1] = static_cast<unsigned char>(tag >> 8);
  std::copy(payload.begin(), payload.end(), record.begin() + 8);
  return record;
}

using K = core::RegKind;

// A 0-byte value never gets here: the reader takes it as Null by its size.
INSTANTIATE_TEST_SUITE_P(
    Cases, ConvertDataTest,
    testing::Values(
        ConvertCase{"SzWithNul", core::RegSz, {'m', 'a', 'i', 'l', 0, 'x'}, K::Text, "mail"},
        ConvertCase{"SzWithoutNul", core::RegSz, {'a', 'b'}, K::Text, "ab"},
        ConvertCase{"SzOnlyNul", core::RegSz, {0}, K::Text, ""},
        ConvertCase{"SzNoBytes", core::RegSz, {}, K::Text, ""},
        ConvertCase{"ExpandSz", core::RegExpandSz, {'%', 'x', '%', 0}, K::Empty, ""},
        ConvertCase{"MultiSz", core::RegMultiSz, {'a', 0, 'b', 0, 0}, K::Empty, ""},
        ConvertCase{"UnknownType", 11, {1, 2, 3, 4, 5, 6, 7, 8}, K::Empty, ""},
        ConvertCase{"DwordMinusFive", core::RegDword, {0xFB, 0xFF, 0xFF, 0xFF}, K::Integer, "-5"},
        ConvertCase{
            "DwordLittleEndian", core::RegDword, {0x01, 0x02, 0x00, 0x00}, K::Integer, "513"},
        ConvertCase{"DwordSmallest", core::RegDword, {0, 0, 0, 0x80}, K::Integer, "-2147483648"},
        ConvertCase{"DwordLongerData", core::RegDword, {7, 0, 0, 0, 9}, K::Integer, "7"},
        ConvertCase{"DwordTwoBytes", core::RegDword, {5, 0}, K::Empty, ""},
        ConvertCase{"DwordNoBytes", core::RegDword, {}, K::Empty, ""},
        ConvertCase{"RecordEmpty", core::RegBinary, Record(0, {}), K::Empty, ""},
        ConvertCase{"RecordLong", core::RegBinary, Record(3, {0xFE, 0xFF, 0xFF, 0xFF}), K::Integer,
                    "-2"},
        ConvertCase{"RecordShort", core::RegBinary, Record(2, {0x00, 0x80}), K::Integer, "-32768"},
        ConvertCase{"RecordString", core::RegBinary, Record(8, {1, 2, 3, 4, 5, 6, 7, 8}), K::Empty,
                    ""},
        ConvertCase{"RecordBool", core::RegBinary, Record(11, {0xFF, 0xFF}), K::Empty, ""},
        ConvertCase{"RecordByReference", core::RegBinary, Record(0x4003, {}), K::Empty, ""},
        ConvertCase{
            "BinaryNotARecord", core::RegBinary, {3, 0, 0, 0, 0, 0, 0, 0, 7}, K::Empty, ""}),
    [](const testing::TestParamInfo<ConvertCase>& info) { return info.param.label; });

TEST(RegValue, NullRecordIsNull) {
  const auto record = Record(1, {});
  EXPECT_EQ(core::ConvertData(core::RegBinary, record.data(), record.size()).Kind(), K::Null);
}

TEST(RegValue, NullHasNoText) {
  try {
    core::RegValue().ToText();
    FAIL() << "no exception";
  } catch (const core::EVariantError& error) {
    EXPECT_EQ(error.Message(), std::string("Ung") + '\xFC' + "ltige Varianten-Typkonvertierung");
  }
}

TEST(RegValue, ErrorMessageHasEightUpperCaseHexDigits) {
  EXPECT_EQ(core::RegErrorMessage(5), "Reg Error: 00000005");
  EXPECT_EQ(core::RegErrorMessage(0x800a00ff), "Reg Error: 800A00FF");
}

}  // namespace

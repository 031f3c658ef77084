#include "RegFiles.h"

#include <gtest/gtest.h>
#include <sddl.h>

#include <functional>
#include <string>

#include "ErrorDisplay.h"
#include "Exceptions.h"
#include "TestSupport.h"

using namespace std::string_literals;
using core::RegKind;
using testing_support::FindThreadWindow;
using testing_support::WindowText;

namespace {

// Removes a key with everything below it.
LONG DeleteTree(HKEY parent, const std::string& path) {
  HKEY key = nullptr;
  // Asks for no more than it needs: a test may leave a key that refuses more.
  const LONG opened = RegOpenKeyExA(parent, path.c_str(), 0, KEY_ENUMERATE_SUB_KEYS, &key);
  if (opened != ERROR_SUCCESS) return opened;
  char child[256];
  // Each deletion renumbers the rest, so the first subkey is always next.
  while (RegEnumKeyA(key, 0, child, sizeof child) == ERROR_SUCCESS)
    if (DeleteTree(key, child) != ERROR_SUCCESS) break;
  RegCloseKey(key);
  return RegDeleteKeyA(parent, path.c_str());
}

// The message of the ERegFileError an action raises.
std::string RegErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const core::ERegFileError& error) {
    return error.Message();
  }
  return "(nothing raised)";
}

// Every test gets a key of its own below HKEY_CURRENT_USER, removed again
// afterwards; the reader points at it.
class RegFileTest : public testing::Test {
 protected:
  void SetUp() override {
    DeleteTree(HKEY_CURRENT_USER, scratch);
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, scratch.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &scratchKey, nullptr),
              ERROR_SUCCESS);
    reader.SetKey(scratch);
  }

  void TearDown() override {
    EXPECT_EQ(reader.Handle(), nullptr) << "the reader still holds a key";
    RegCloseKey(scratchKey);
    EXPECT_EQ(DeleteTree(HKEY_CURRENT_USER, scratch), ERROR_SUCCESS);
  }

  // Stores a value below the scratch key ("" is the key itself, and the
  // default value); missing keys on the way are created.
  void Put(const char* subkey, const char* name, DWORD type, const std::string& data) {
    HKEY key = nullptr;
    ASSERT_EQ(
        RegCreateKeyExA(scratchKey, subkey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    const LONG stored =
        RegSetValueExA(key, *name ? name : nullptr, 0, type,
                       reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size()));
    RegCloseKey(key);
    ASSERT_EQ(stored, ERROR_SUCCESS);
  }

  bool Exists(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }

  // A fixed name: whatever a broken run left behind is removed by the next.
  const std::string scratch = "Software\\DabiroTest-RegFiles";
  HKEY scratchKey = nullptr;
  TRegFile reader{"RegFile1"};
};

struct ReadCase {
  const char* label;
  const char* subkey;  // where the value is stored, below the scratch key
  const char* storedName;
  DWORD type;
  std::string data;
  const char* askedName;  // what the reader is asked for
  RegKind kind;
  const char* text;  // as text, unless Null
};

void PrintTo(const ReadCase& c, std::ostream* out) { *out << c.label; }

class RegFileReadTest : public RegFileTest, public testing::WithParamInterface<ReadCase> {};

TEST_P(RegFileReadTest, ReadsTheValueAndConvertsItByType) {
  const ReadCase& c = GetParam();
  Put(c.subkey, c.storedName, c.type, c.data);
  const core::RegValue value = reader.ReadValue(c.askedName);
  EXPECT_EQ(value.Kind(), c.kind);
  if (c.kind != RegKind::Null) {
    EXPECT_EQ(value.ToText(), c.text);
  }
}

// Sixteen bytes holding a value record: kind tag 3 (a 32-bit integer),
// three reserved words, then the payload.
const std::string LongRecord = "\x03\0\0\0\0\0\0\0\x2A\0\0\0\0\0\0\0"s;

INSTANTIATE_TEST_SUITE_P(
    Cases, RegFileReadTest,
    testing::Values(
        ReadCase{"DefaultValue", "", "", REG_SZ, "mailer\0"s, "", RegKind::Text, "mailer"},
        ReadCase{"SubAndName", "sub", "name", REG_SZ, "below\0"s, "sub\\name", RegKind::Text,
                 "below"},
        ReadCase{"SubDefault", "sub", "", REG_SZ, "sub default\0"s, "sub\\", RegKind::Text,
                 "sub default"},
        ReadCase{"NestedSub", "x\\y", "v", REG_DWORD, "\x07\0\0\0"s, "x\\y\\v", RegKind::Integer,
                 "7"},
        ReadCase{"DoubledBackslashIsName", "", "a\\\\b", REG_SZ, "doubled\0"s, "a\\\\b",
                 RegKind::Text, "doubled"},
        ReadCase{"SzWithNul", "", "s", REG_SZ, "text\0"s, "s", RegKind::Text, "text"},
        ReadCase{"SzWithoutNul", "", "s", REG_SZ, "text", "s", RegKind::Text, "text"},
        ReadCase{"SzOnlyNul", "", "s", REG_SZ, "\0"s, "s", RegKind::Text, ""},
        ReadCase{"ExpandSz", "", "s", REG_EXPAND_SZ, "%SystemRoot%\\mail.exe \"%1\"\0"s, "s",
                 RegKind::Text, "C:\\windows\\mail.exe \"%1\""},
        ReadCase{"MultiSz", "", "s", REG_MULTI_SZ, "a\0b\0\0"s, "s", RegKind::Empty, ""},
        ReadCase{"ZeroByteSz", "", "s", REG_SZ, "", "s", RegKind::Null, ""},
        ReadCase{"ZeroByteDword", "", "d", REG_DWORD, "", "d", RegKind::Null, ""},
        ReadCase{"DwordMinusFive", "", "d", REG_DWORD, "\xFB\xFF\xFF\xFF", "d", RegKind::Integer,
                 "-5"},
        ReadCase{"DwordTwoBytes", "", "d", REG_DWORD, "\x05\0"s, "d", RegKind::Empty, ""},
        ReadCase{"BinaryRecord", "", "b", REG_BINARY, LongRecord, "b", RegKind::Integer, "42"},
        ReadCase{"MissingValue", "", "other", REG_SZ, "x\0"s, "absent", RegKind::Null, ""}),
    [](const testing::TestParamInfo<ReadCase>& info) { return info.param.label; });

TEST_F(RegFileTest, AMissingKeyGivesNullAndIsNotCreated) {
  EXPECT_EQ(reader.ReadValue("fresh\\v").Kind(), RegKind::Null);
  EXPECT_FALSE(Exists(HKEY_CURRENT_USER, scratch + "\\fresh"));
}

struct OpenFailureCase {
  const char* label;
  TRootKey root;
  bool withKey;  // Key names the scratch key, else it is empty
  const char* valueName;
  const char* message;
};

void PrintTo(const OpenFailureCase& c, std::ostream* out) { *out << c.label; }

class RegFileOpenFailureTest : public RegFileTest,
                               public testing::WithParamInterface<OpenFailureCase> {};

TEST_P(RegFileOpenFailureTest, RaisesByTheWayTheKeyWasOpened) {
  const OpenFailureCase& c = GetParam();
  reader.SetRootKey(c.root);
  if (!c.withKey) reader.SetKey("");
  EXPECT_EQ(RegErrorOf([&] { reader.ReadValue(c.valueName); }), c.message);
  EXPECT_FALSE(Exists(HKEY_DYN_DATA, scratch));
}

// A root byte that names no root fails every open.
const auto NoRoot = static_cast<TRootKey>(0xFF);

INSTANTIATE_TEST_SUITE_P(
    Cases, RegFileOpenFailureTest,
    testing::Values(OpenFailureCase{"NoRootEmptyPath", NoRoot, false, "v", "Can't open a Key"},
                    OpenFailureCase{"NoRootWithPath", NoRoot, false, "sub\\v", "Can't open a Key"}),
    [](const testing::TestParamInfo<OpenFailureCase>& info) { return info.param.label; });

TEST_F(RegFileTest, EmptyKeyTakesTheWholePathFromTheValueName) {
  Put("sub", "v", REG_SZ, "found\0"s);
  reader.SetKey("");
  EXPECT_EQ(reader.ReadValue(scratch + "\\sub\\v").ToText(), "found");
}

TEST_F(RegFileTest, AKeyThatRefusesWritesIsStillRead) {
  // Everyone may do anything with "locked" but set values, as a standard
  // user may with the mail program's key: reading asks for no more.
  Put("locked", "v", REG_SZ, "x\0"s);
  PSECURITY_DESCRIPTOR denying = nullptr;
  ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(
      "D:(D;;0x2;;;WD)(A;;KA;;;WD)", SDDL_REVISION_1, &denying, nullptr));
  HKEY locked = nullptr;
  ASSERT_EQ(RegOpenKeyExA(scratchKey, "locked", 0, WRITE_DAC, &locked), ERROR_SUCCESS);
  const LONG secured = RegSetKeySecurity(locked, DACL_SECURITY_INFORMATION, denying);
  RegCloseKey(locked);
  LocalFree(denying);
  ASSERT_EQ(secured, ERROR_SUCCESS);

  EXPECT_EQ(reader.ReadValue("locked\\v").ToText(), "x");
}

TEST_F(RegFileTest, OpenOnlyReportsAMissingKeyWithoutRaising) {
  EXPECT_FALSE(reader.OpenKey(scratch + "\\missing", true));
  EXPECT_EQ(reader.Handle(), nullptr);
  EXPECT_FALSE(Exists(HKEY_CURRENT_USER, scratch + "\\missing"));
  EXPECT_TRUE(reader.OpenKey(scratch, true));
  EXPECT_NE(reader.Handle(), nullptr);
  reader.CloseKey();
}

// Opens its key and then, as told, loses it behind its own back (so that
// closing it is refused) and fails.
class FaultyRegFile : public TRegFile {
 public:
  FaultyRegFile(bool loseKey, bool fail) : loseKey_(loseKey), fail_(fail) {}
  bool OpenKeyForReading(const std::string& keyPath) override {
    const bool opened = TRegFile::OpenKeyForReading(keyPath);
    if (loseKey_) RegCloseKey(Handle());
    if (fail_) throw core::ERegFileError("failed after opening");
    return opened;
  }

 private:
  bool loseKey_;
  bool fail_;
};

struct FaultCase {
  const char* label;
  bool loseKey;
  bool fail;
  const char* message;
};

void PrintTo(const FaultCase& c, std::ostream* out) { *out << c.label; }

class RegFileFaultTest : public RegFileTest, public testing::WithParamInterface<FaultCase> {};

TEST_P(RegFileFaultTest, FirstFailureIsRaisedAndNoKeyStaysOpen) {
  FaultyRegFile faulty(GetParam().loseKey, GetParam().fail);
  faulty.SetKey(scratch);
  EXPECT_EQ(RegErrorOf([&] { faulty.ReadValue("v"); }), GetParam().message);
  EXPECT_EQ(faulty.Handle(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RegFileFaultTest,
    testing::Values(FaultCase{"RefusedClose", true, false, "Reg Error: 00000006"},
                    FaultCase{"FailureWhileOpen", false, true, "failed after opening"},
                    FaultCase{"RefusedCloseAfterFailure", true, true, "failed after opening"}),
    [](const testing::TestParamInfo<FaultCase>& info) { return info.param.label; });

// The size asked first may be stale: the value may have grown or shrunk.
class RegFileReadDataTest : public RegFileTest, public testing::WithParamInterface<size_t> {};

TEST_P(RegFileReadDataTest, ReadsExactlyTheStoredBytesWhateverTheFirstSize) {
  std::string stored;
  for (int i = 0; i < 300; ++i) stored += static_cast<char>(i * 7);
  Put("", "big", REG_BINARY, stored);
  ASSERT_TRUE(reader.OpenKey(scratch, true));
  std::vector<unsigned char> data(GetParam(), 0xCC);
  EXPECT_EQ(reader.ReadData("big", data), static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(std::string(data.begin(), data.end()), stored);
  reader.CloseKey();
}

INSTANTIATE_TEST_SUITE_P(Sizes, RegFileReadDataTest, testing::Values(0, 4, 299, 300, 1000));

TEST_F(RegFileTest, ReadOfAVanishedValueRaisesTheStatus) {
  ASSERT_TRUE(reader.OpenKey(scratch, true));
  std::vector<unsigned char> data(8);
  EXPECT_EQ(RegErrorOf([&] { reader.ReadData("gone", data); }), "Reg Error: 00000002");
  reader.CloseKey();
}

TEST(RegFile, NewReaderStartsAtCurrentUserWithNoKeyOpen) {
  const TRegFile reader;
  EXPECT_EQ(reader.RootKey(), TRootKey::hkCurrentUser);
  EXPECT_EQ(reader.Handle(), nullptr);
}

TEST(RegFile, RootHandlesSkipThePerformanceDataRoot) {
  const uint32_t expected[] = {0x80000000, 0x80000001, 0x80000002,
                               0x80000003, 0x80000005, 0x80000006};
  for (uint8_t i = 0; i < 6; ++i)
    EXPECT_EQ(
        static_cast<uint32_t>(reinterpret_cast<uintptr_t>(RootKeyHandle(static_cast<TRootKey>(i)))),
        expected[i])
        << "root " << int(i);
}

// What the error box showed before the watcher pressed its OK button.
struct ShownBox {
  std::string caption;
  std::string text;
};
ShownBox shownBox;

void CALLBACK PressOkOnErrorBox(HWND, UINT, UINT_PTR timer, DWORD) {
  const HWND box = FindThreadWindow("#32770", nullptr);
  if (!box) return;
  KillTimer(nullptr, timer);
  shownBox = {WindowText(box), WindowText(GetDlgItem(box, 0xFFFF))};
  testing_support::ClickControl(GetDlgItem(box, IDOK));
}

TEST_F(RegFileTest, NullAsTextIsAVariantErrorShownWithItsFullStop) {
  const core::RegValue value = reader.ReadValue("absent");
  ASSERT_EQ(value.Kind(), RegKind::Null);
  try {
    value.ToText();
    FAIL() << "Null turned into text";
  } catch (const core::EVariantError& error) {
    EXPECT_EQ(error.Message(), "Ung\xFCltige Varianten-Typkonvertierung");
    shownBox = {};
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, PressOkOnErrorBox);
    winui::ReportHandlerError(error);
    KillTimer(nullptr, timer);
  }
  EXPECT_EQ(shownBox.text, "Ung\xFCltige Varianten-Typkonvertierung.");
  EXPECT_EQ(shownBox.caption, "Dabiro");
}

}  // namespace

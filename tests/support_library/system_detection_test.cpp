// The detection helpers in front of the toolkit's detection library: drive
// numbers and what each drive test leaves in the caller's text, the fatal
// path for unfilled lists and texts that do not fit, the buffers emptied
// first, the date fields and the processor table.
#include <gmock/gmock.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "standin/core/standin.h"
#include "support/system_detection.h"
#include "support/toolkit_fixture.h"
#include "toolkit/session.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ExitedWithCode;

class SystemDetectionTest : public toolkit_test::ToolkitTest {
 protected:
  // Runs the statement in a child with the session open; the child must end
  // through the fatal path, without a message box of its own.
  void ExpectFatalWithoutBox(const std::function<void()>& statement, const std::string& label) {
    const size_t before = Transcript().size();
    EXPECT_EXIT(
        {
          StartSetupSession(const_cast<char*>(""));
          statement();
        },
        ExitedWithCode(0), "")
        << label;
    std::vector<std::string> lines = Transcript();
    lines.erase(lines.begin(), lines.begin() + static_cast<ptrdiff_t>(before));
    EXPECT_TRUE(std::none_of(lines.begin(), lines.end(), [](const std::string& line) {
      return line.rfind("msgbox", 0) == 0;
    })) << label;
    EXPECT_NE(std::find(lines.begin(), lines.end(), "page show 400"), lines.end()) << label;
    EXPECT_FALSE(lines.empty() || lines.back() != "exit 0") << label;
  }

  // The only call of function so far, its arguments.
  std::vector<std::string> OnlyCallOf(const std::string& function) {
    std::vector<ToolkitCall> calls = StandinCallsOf(function);
    EXPECT_EQ(calls.size(), 1u) << function;
    return calls.empty() ? std::vector<std::string>() : calls[0].args;
  }
};

// A heap copy of exactly the text and its terminator, so that the sanitizer
// sees any read past the terminator.
std::unique_ptr<char[]> ExactCopy(const std::string& text) {
  auto copy = std::make_unique<char[]>(text.size() + 1);
  std::memcpy(copy.get(), text.c_str(), text.size() + 1);
  return copy;
}

struct DriveTest {
  const char* entryPoint;
  const char* toolkitFunction;
  std::function<long long(char*)> call;
  const char* textAfter;  // what c:\temp becomes
};

const DriveTest kDriveTests[] = {
    {"IsValidDrive", "FIsValidDrive", [](char* d) { return IsValidDrive(d); }, "C:\\temp"},
    {"IsLocalHardDrive", "FIsLocalHardDrive", [](char* d) { return IsLocalHardDrive(d); },
     "C:\\TEMP"},
    {"IsRemovableDrive", "FIsRemoveDrive", [](char* d) { return IsRemovableDrive(d); }, "C:\\temp"},
    {"IsRemoteDrive", "FIsRemoteDrive", [](char* d) { return IsRemoteDrive(d); }, "c:\\temp"},
    {"GetDriveTotalBytes", "LcbTotalDrive", [](char* d) { return GetDriveTotalBytes(d); },
     "C:\\temp"},
    {"GetDriveFreeBytes", "LcbFreeDrive", [](char* d) { return GetDriveFreeBytes(d); }, "c:\\temp"},
};

TEST_F(SystemDetectionTest, DriveTestsNumberTheLetterAndTreatTheTextTheirWay) {
  for (const DriveTest& test : kDriveTests) {
    SCOPED_TRACE(test.entryPoint);
    StandinReset();
    // A result beyond 32 bits comes back whole from the byte counts.
    const long long answer = test.toolkitFunction[0] == 'L' ? 5000000000LL : 1;
    StandinSetResult(test.toolkitFunction, 0, answer);
    char drive[] = "c:\\temp";
    EXPECT_EQ(test.call(drive), answer);
    EXPECT_THAT(OnlyCallOf(test.toolkitFunction), ElementsAre("3"));
    EXPECT_STREQ(drive, test.textAfter);
  }
}

TEST_F(SystemDetectionTest, CharactersOtherThanLettersGiveNumbersOutsideTheDrives) {
  struct Case {
    const char* text;
    const char* number;
  } cases[] = {{"1:\\", "-15"}, {"@", "0"}, {"[", "27"}, {"", "-64"}};
  for (const DriveTest& test : kDriveTests) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(test.entryPoint) + " " + c.text);
      StandinReset();
      std::string text = c.text;
      std::vector<char> drive(text.begin(), text.end());
      drive.push_back('\0');
      test.call(drive.data());
      EXPECT_THAT(OnlyCallOf(test.toolkitFunction), ElementsAre(c.number));
      EXPECT_EQ(std::string(drive.data()), text);
    }
  }
}

TEST_F(SystemDetectionTest, DriveLetterIsUpperCasedInTheSystemCodePage) {
  if (!UseCodePage(1252)) GTEST_SKIP() << "the system's code page is not 1252";
  // e-acute (0xE9) becomes E-acute (0xC9): as a signed byte -55, minus 64.
  char drive[] = "\xE9:\\";
  IsValidDrive(drive);
  EXPECT_THAT(OnlyCallOf("FIsValidDrive"), ElementsAre("-119"));
  EXPECT_STREQ(drive, "\xC9:\\");
}

struct ListFiller {
  const char* toolkitFunction;
  void (*fill)(const char*);
};

const ListFiller kListFillers[] = {
    {"FGetValidDrivesList", GetValidDrivesListChecked},
    {"FGetLocalHardDrivesList", GetLocalHardDrivesListChecked},
    {"FGetRemovableDrivesList", GetRemovableDrivesListChecked},
    {"FGetNetworkDrivesList", GetNetworkDrivesListChecked},
    {"FGetParallelPortsList", GetParallelPortsListChecked},
    {"FGetSerialPortsList", GetSerialPortsListChecked},
};

TEST_F(SystemDetectionTest, ListFillersPassTheSymbolAndEndTheRunWhenNotFilled) {
  for (const ListFiller& filler : kListFillers) {
    SCOPED_TRACE(filler.toolkitFunction);
    StandinReset();
    filler.fill("My List");
    EXPECT_THAT(OnlyCallOf(filler.toolkitFunction), ElementsAre("\"My List\""));
    StandinSetResult(filler.toolkitFunction, 0, 0);
    ExpectFatalWithoutBox([&filler] { filler.fill("LIST"); }, filler.toolkitFunction);
  }
}

struct TextReader {
  const char* toolkitFunction;
  std::function<char*(char*, int)> read;
  bool emptiedFirst;
};

const TextReader kTextReaders[] = {
    {"CbGetEnvVariableValue",
     [](char* b, int s) { return GetEnvVariableValueChecked("PATH", b, s); }, true},
    {"CbGetDateOfFile",
     [](char* b, int s) { return GetDateOfFileChecked("C:\\WINDOWS\\WIN.INI", b, s); }, false},
    {"CbGetVersionOfFile",
     [](char* b, int s) { return GetVersionOfFileChecked("C:\\WINDOWS\\X.DLL", b, s); }, true},
    {"CbFindTargetOnEnvVar",
     [](char* b, int s) { return FindTargetOnEnvVarChecked("X.DLL", "PATH", b, s); }, true},
    // A small tree: these tests are about the buffer, not the search, and
    // a whole drive C takes minutes to search under Wine.
    {"CbFindFileInTree",
     [](char* b, int s) { return FindFileInTreeChecked("X.DLL", "C:\\KYRDRV", b, s); }, false},
    {"CbGetIniKeyString",
     [](char* b, int s) { return GetIniKeyStringChecked("WIN.INI", "windows", "run", b, s); },
     true},
};

TEST_F(SystemDetectionTest, SomeReadersEmptyTheBufferBeforeAsking) {
  for (const TextReader& reader : kTextReaders) {
    SCOPED_TRACE(reader.toolkitFunction);
    StandinReset();
    // A failing call writes nothing: what is left is the reader's doing.
    StandinFailCall(reader.toolkitFunction, 0);
    char buffer[16] = "stale";
    EXPECT_EQ(reader.read(buffer, 16), buffer);
    EXPECT_STREQ(buffer, reader.emptiedFirst ? "" : "stale");
    EXPECT_EQ(StandinCallsOf(reader.toolkitFunction).size(), 1u);
  }
}

TEST_F(SystemDetectionTest, ReadersTouchNoBufferOfNoSize) {
  for (const TextReader& reader : kTextReaders) {
    SCOPED_TRACE(reader.toolkitFunction);
    StandinReset();
    StandinSetResult(reader.toolkitFunction, 0, -1);
    char buffer[4] = "ab";
    EXPECT_EQ(reader.read(buffer, 0), buffer);
    EXPECT_EQ(reader.read(nullptr, 16), nullptr);
    EXPECT_STREQ(buffer, "ab");
  }
}

TEST_F(SystemDetectionTest, ReaderResultOfTheBufferSizeEndsTheRunWithoutABox) {
  for (const TextReader& reader : kTextReaders) {
    SCOPED_TRACE(reader.toolkitFunction);
    StandinReset();
    char buffer[10];
    StandinSetResult(reader.toolkitFunction, 1, 9);
    EXPECT_EQ(reader.read(buffer, 10), buffer);
    StandinSetResult(reader.toolkitFunction, 0, 10);
    ExpectFatalWithoutBox(
        [&reader] {
          char inner[10];
          reader.read(inner, 10);
        },
        reader.toolkitFunction);
  }
}

TEST_F(SystemDetectionTest, DateFieldsReadOnlyTheirOwnCharacters) {
  using Field = int (*)(const char*);
  const Field fields[] = {GetDateYear, GetDateMonth,  GetDateDay,
                          GetDateHour, GetDateMinute, GetDateSecond};
  struct Case {
    const char* date;
    int numbers[6];  // year, month, day, hour, minute, second
  } cases[] = {
      {"2001-09-03 04:05:06", {2001, 9, 3, 4, 5, 6}},
      {"1999-0912-31 23:59:58", {1999, 9, 2, 1, 3, 9}},  // the fields' places only
      {"1999/12/31T23h59m58s", {1999, 12, 31, 23, 59, 58}},
      {" 7 8- 9-+1 -2 x3 ab", {7, 9, 1, -2, 0, 0}},
      {"", {0, 0, 0, 0, 0, 0}},
      {"2001-0", {2001, 0, 0, 0, 0, 0}},
      {"2001-09-03 04:0", {2001, 9, 3, 4, 0, 0}},
      {"2001-09-03 04:05:0", {2001, 9, 3, 4, 5, 0}},
      {"2001-09-03 04:05:", {2001, 9, 3, 4, 5, 0}},  // ends where the second begins
      {"2001-09-03 04:05", {2001, 9, 3, 4, 5, 0}},   // ends before the second's place
  };
  for (const Case& c : cases) {
    std::unique_ptr<char[]> date = ExactCopy(c.date);
    for (int field = 0; field < 6; ++field) {
      EXPECT_EQ(fields[field](date.get()), c.numbers[field])
          << "\"" << c.date << "\" field " << field;
    }
  }
}

TEST_F(SystemDetectionTest, ProcessorNamesMapToTheirNumbers) {
  struct Case {
    const char* name;
    int number;
  } cases[] = {
      {"C400", 400},
      {"PPC620", 620},
      {"PPC604", 604},
      {"PPC603", 603},
      {"PPC601", 601},
      {"AXP21164", 21164},
      {"AXP21066", 21066},
      {"AXP21064", 21064},
      {"R4000", 4000},
      {"R3000", 3000},
      {"R2000", 2000},
      {"PENTIUM", 5},
      {"80486", 4},
      {"80386", 3},
      {"80286", 2},
      {"80186", 1},
      {"8086", 0},
      {"pentium", 5},
      {"Ppc604", 604},
      {"axp21164", 21164},
      {"80586", kUnknownProcessor},
      {"PENTIUM II", kUnknownProcessor},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(OpenMachine("", std::string("[hardware]\nprocessor=") + c.name + "\n"));
    EXPECT_EQ(GetProcessorTypeNumber(), c.number) << c.name;
    EXPECT_THAT(OnlyCallOf("FGetProcessorType"), ElementsAre("\"\"", "0", "32"));
  }
}

TEST_F(SystemDetectionTest, FailedProcessorQueryGivesZero) {
  ASSERT_TRUE(OpenMachine("", "[hardware]\nprocessor=PENTIUM\n"));
  StandinFailCall("FGetProcessorType", 1);
  EXPECT_EQ(GetProcessorTypeNumber(), 0);
}

TEST_F(SystemDetectionTest, FileExistenceAsksOnlyForValidPaths) {
  StandinSetResult("FDoesFileExist", 0, 1);
  EXPECT_FALSE(DoesFileExist("no\\drive", 0));
  EXPECT_FALSE(DoesFileExist("C:\\A*B", 0));
  EXPECT_TRUE(StandinCallsOf("FDoesFileExist").empty());
  EXPECT_EQ(StandinCallsOf("FValidPath").size(), 2u);

  EXPECT_TRUE(DoesFileExist("C:\\WINDOWS\\MISSING.INI", 3));
  EXPECT_THAT(OnlyCallOf("FDoesFileExist"), ElementsAre("\"C:\\WINDOWS\\MISSING.INI\"", "3"));
}

TEST_F(SystemDetectionTest, PassThroughsAskTheirToolkitFunction) {
  struct Case {
    const char* toolkitFunction;
    std::function<long long()> call;
    std::vector<std::string> args;
  } cases[] = {
      {"LGetVersionNthField",
       [] { return GetVersionNthField("1.2.3.4", 3); },
       {"\"1.2.3.4\"", "3"}},
      {"LcbGetSizeOfFile", [] { return GetSizeOfFile("C:\\X"); }, {"\"C:\\X\""}},
      {"FIsDriverInConfig", [] { return IsDriverInConfig("kyr.386"); }, {"\"kyr.386\""}},
      {"FHas87MathChip", [] { return Has87MathChip(); }, {}},
      {"FHas87MathChip", [] { return Has87MathChipAlias(); }, {}},
      {"FHasMonochromeDisplay", [] { return HasMonochromeDisplay(); }, {}},
      {"FHasMouseInstalled", [] { return HasMouseInstalled(); }, {}},
      {"FDirExists", [] { return DirExists("C:\\D"); }, {"\"C:\\D\""}},
      {"FDoesIniSectionExist",
       [] { return DoesIniSectionExist("A.INI", "S"); },
       {"\"A.INI\"", "\"S\""}},
      {"FDoesIniKeyExist",
       [] { return DoesIniKeyExist("A.INI", "S", "K"); },
       {"\"A.INI\"", "\"S\"", "\"K\""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.toolkitFunction);
    StandinReset();
    StandinSetResult(c.toolkitFunction, 0, 7);
    EXPECT_EQ(c.call(), 7);
    EXPECT_EQ(OnlyCallOf(c.toolkitFunction), c.args);
  }
}

}  // namespace

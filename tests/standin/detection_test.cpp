// The stand-in detection library's answers from a machine: what the host
// layer reports of its drives, environment, files and INI files, and what
// machine.ini [hardware] says.
#include <gmock/gmock.h>
#include <stdlib.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "host/include/host/syscalls.h"
#include "host/machine.h"
#include "host/src/reset_host.h"
#include "standin/core/standin.h"
#include "toolkit/toolkit_api.h"

namespace {

using ::testing::ElementsAre;

class DetectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/detecttest.XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    setenv("SETUPHOST_TRANSCRIPT", (dir_ + "/transcript.txt").c_str(), 1);
  }

  void TearDown() override {
    StandinReset();
    StandinSetQuiet(false);
    host::ResetHost();
    unsetenv("SETUPHOST_TRANSCRIPT");
    unsetenv("SETUPHOST_MACHINE_INI");
    std::filesystem::remove_all(dir_);
  }

  // A machine with drive folders c and the given others, and these
  // machine.ini sections after [machine].
  void OpenMachine(const std::string& sections, const std::string& drives = "",
                   const std::string& machineLines = "") {
    std::string machine = dir_ + "/machine";
    std::filesystem::create_directories(machine + "/c/windows/system");
    for (char letter : drives) std::filesystem::create_directories(machine + "/" + letter);
    std::string ini = machine + "/machine.ini";
    std::ofstream(ini) << "[machine]\nwindows=C:\\WINDOWS\nsystem=C:\\WINDOWS\\SYSTEM\n"
                       << machineLines << sections;
    host::ResetHost();
    setenv("SETUPHOST_MACHINE_INI", ini.c_str(), 1);
    StandinReset();
    StandinSetQuiet(true);
    std::string error;
    ASSERT_TRUE(host::OpenMachine(machine, &error)) << error;
  }

  void Write(const std::string& windowsPath, const std::string& bytes) {
    std::filesystem::path path = host::NativePath(windowsPath);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
  }

  std::string dir_;
};

// A toolkit text reader's answer: the text and the length it reported.
template <typename Reader>
std::string ReadText(Reader reader, int* length = nullptr) {
  char buffer[300];
  std::memset(buffer, '#', sizeof buffer);
  int got = reader(buffer, static_cast<int>(sizeof buffer));
  if (length != nullptr) *length = got;
  return buffer;
}

TEST_F(DetectionTest, DrivesAnswerFromTheMachine) {
  OpenMachine(
      "[drives]\nC=fixed 1000 600\nD=cdrom 700 0\nA=removable 1474560 1474560\n"
      "N=remote 5000000000 4000000000\n",
      "dne");
  struct Case {
    int drive;
    BOOL valid, fixed, removable, remote;
    LONGLONG total, free;
  } cases[] = {
      {1, TRUE, FALSE, TRUE, FALSE, 0, 0},  // in [drives] without a folder: no medium
      {2, FALSE, FALSE, FALSE, FALSE, 0, 0},
      {3, TRUE, TRUE, FALSE, FALSE, 1000, 600},
      {4, TRUE, FALSE, FALSE, FALSE, 700, 0},
      {5, TRUE, TRUE, FALSE, FALSE, LONGLONG{2} << 30, LONGLONG{1} << 30},  // a folder alone
      {14, TRUE, FALSE, FALSE, TRUE, 5000000000, 4000000000},
      {0, FALSE, FALSE, FALSE, FALSE, 0, 0},
      {27, FALSE, FALSE, FALSE, FALSE, 0, 0},
      {-15, FALSE, FALSE, FALSE, FALSE, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.drive);
    EXPECT_EQ(FIsValidDrive(c.drive), c.valid);
    EXPECT_EQ(FIsLocalHardDrive(c.drive), c.fixed);
    EXPECT_EQ(FIsRemoveDrive(c.drive), c.removable);
    EXPECT_EQ(FIsRemoteDrive(c.drive), c.remote);
    EXPECT_EQ(LcbTotalDrive(c.drive), c.total);
    EXPECT_EQ(LcbFreeDrive(c.drive), c.free);
  }
}

TEST_F(DetectionTest, FreeBytesFollowTheDiskLimit) {
  OpenMachine("[drives]\nC=fixed 1000 600\n[faults]\ndisk_free=100\n");
  EXPECT_EQ(LcbFreeDrive(3), 100);
  Write("C:\\TAKEN.BIN", "");
  HFILE file = _lopen("C:\\TAKEN.BIN", OF_WRITE);
  ASSERT_NE(file, HFILE_ERROR);
  EXPECT_EQ(_lwrite(file, "0123456789", 10), 10u);
  _lclose(file);
  EXPECT_EQ(LcbFreeDrive(3), 90);
  EXPECT_EQ(LcbTotalDrive(3), 1000);
}

TEST_F(DetectionTest, DriveListsHoldTheirKind) {
  OpenMachine("[drives]\nA=removable\nC=fixed\nD=cdrom\nN=remote\nR=remote\n", "dn");
  struct Case {
    BOOL(WINAPI* fill)(LPCSTR);
    const char* items;
  } cases[] = {
      {FGetValidDrivesList, "{\"A:\",\"C:\",\"D:\",\"N:\",\"R:\"}"},
      {FGetLocalHardDrivesList, "{\"C:\"}"},
      {FGetRemovableDrivesList, "{\"A:\"}"},
      {FGetNetworkDrivesList, "{\"N:\",\"R:\"}"},
  };
  for (const Case& c : cases) {
    FSetSymbolValue("LIST", "stale");
    EXPECT_TRUE(c.fill("LIST"));
    EXPECT_EQ(StandinSymbol("LIST"), c.items);
  }
}

TEST_F(DetectionTest, BadDriveLinesRefuseTheMachine) {
  for (const char* line : {"C=floppy", "C=fixed 10 20", "C=fixed x", "C=fixed 1 1 1"}) {
    std::string machine = dir_ + "/bad";
    std::filesystem::create_directories(machine + "/c");
    std::ofstream(machine + "/machine.ini") << "[drives]\n" << line << "\n";
    host::ResetHost();
    std::string error;
    EXPECT_FALSE(host::OpenMachine(machine, &error)) << line;
    EXPECT_THAT(error, ::testing::HasSubstr("[drives] C")) << line;
  }
}

TEST_F(DetectionTest, EnvironmentVariablesAndSearchAlongThem) {
  OpenMachine("[environment]\nPATH=C:\\NOPE;;C:\\BIN;C:\\TOOLS\\\nTEMP=C:\\TEMP\n");
  Write("C:\\TOOLS\\X.EXE", "x");
  Write("C:\\BIN\\Y.EXE", "y");
  Write("C:\\TOOLS\\Y.EXE", "y");
  Write("C:\\NOPE\\DIR.EXE\\INSIDE", "a directory, not a file");
  int length = 0;
  EXPECT_EQ(ReadText([](LPSTR b, int s) { return CbGetEnvVariableValue("path", b, s); }, &length),
            "C:\\NOPE;;C:\\BIN;C:\\TOOLS\\");
  EXPECT_EQ(length, 25);
  EXPECT_EQ(ReadText([](LPSTR b, int s) { return CbGetEnvVariableValue("WINDIR", b, s); }, &length),
            "");
  EXPECT_EQ(length, 0);
  struct Case {
    const char* target;
    const char* found;
  } cases[] = {
      {"X.EXE", "C:\\TOOLS\\X.EXE"},  // the trailing backslash is not doubled
      {"y.exe", "C:\\BIN\\y.exe"},    // the first directory that holds it
      {"DIR.EXE", ""},
      {"NONE.EXE", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(
        ReadText([&c](LPSTR b, int s) { return CbFindTargetOnEnvVar(c.target, "PATH", b, s); }),
        c.found);
  }
  EXPECT_EQ(ReadText([](LPSTR b, int s) { return CbFindTargetOnEnvVar("X.EXE", "NOVAR", b, s); }),
            "");
}

TEST_F(DetectionTest, VersionComesFromTheFilesVersionResource) {
  OpenMachine("");
  std::filesystem::copy_file(STANDIN_FIXTURES_DIR "/versioned.dll",
                             host::NativePath("C:\\WINDOWS\\SYSTEM\\VERSIONED.DLL"));
  Write("C:\\PLAIN.DLL", "MZ but nothing more");
  int length = 0;
  EXPECT_EQ(
      ReadText([](LPSTR b,
                  int s) { return CbGetVersionOfFile("C:\\WINDOWS\\SYSTEM\\versioned.dll", b, s); },
               &length),
      "1.2.3.4");
  EXPECT_EQ(length, 7);
  for (const char* path : {"C:\\PLAIN.DLL", "C:\\MISSING.DLL", "C:\\WINDOWS"}) {
    EXPECT_EQ(ReadText([path](LPSTR b, int s) { return CbGetVersionOfFile(path, b, s); }), "")
        << path;
  }
  // The whole length, also when only part of it fits.
  char small[4];
  EXPECT_EQ(CbGetVersionOfFile("C:\\WINDOWS\\SYSTEM\\VERSIONED.DLL", small, 4), 7);
  EXPECT_STREQ(small, "1.2");
}

TEST_F(DetectionTest, VersionFieldsAreNumbers) {
  struct Case {
    const char* version;
    int field;
    LONG number;
  } cases[] = {
      {"1.2.3.4", 1, 1}, {"1.2.3.4", 4, 4}, {"1.2.3.4", 5, 0}, {"1.2.3.4", 0, 0},
      {"10.020", 2, 20}, {"3", 2, 0},       {"1.x.3", 2, 0},   {"1.99999999999.3", 2, 0x7fffffff},
      {"", 1, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LGetVersionNthField(c.version, c.field), c.number) << c.version << " " << c.field;
  }
}

TEST_F(DetectionTest, FilesDateSizeAndExistence) {
  OpenMachine("");
  Write("C:\\DATA\\FILE.TXT", "twelve bytes");
  Write("C:\\DATA\\READONLY.TXT", "r");
  std::string native = host::NativePath("C:\\DATA\\FILE.TXT");
  // 2001-02-03 04:05:06 UTC: the machine's local time is UTC.
  struct timespec times[2] = {{981173106, 0}, {981173106, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, native.c_str(), times, 0), 0);
  chmod(host::NativePath("C:\\DATA\\READONLY.TXT").c_str(), 0444);

  EXPECT_EQ(ReadText([](LPSTR b, int s) { return CbGetDateOfFile("C:\\DATA\\FILE.TXT", b, s); }),
            "2001-02-03 04:05:06");
  EXPECT_EQ(ReadText([](LPSTR b, int s) { return CbGetDateOfFile("C:\\DATA\\NONE.TXT", b, s); }),
            "");
  EXPECT_EQ(LcbGetSizeOfFile("C:\\DATA\\FILE.TXT"), 12);
  EXPECT_EQ(LcbGetSizeOfFile("C:\\DATA\\NONE.TXT"), -1);
  EXPECT_EQ(LcbGetSizeOfFile("C:\\DATA"), -1);

  struct Case {
    const char* path;
    int mode;
    BOOL exists;
  } cases[] = {
      {"C:\\DATA\\FILE.TXT", 0, TRUE},
      {"c:\\data\\file.txt", 3, TRUE},
      {"C:\\DATA\\READONLY.TXT", 1, TRUE},
      {"C:\\DATA\\READONLY.TXT", 2, FALSE},
      {"C:\\DATA", 0, FALSE},
      {"C:\\DATA\\NONE.TXT", 0, FALSE},
  };
  for (const Case& c : cases) EXPECT_EQ(FDoesFileExist(c.path, c.mode), c.exists) << c.path;
  EXPECT_TRUE(FDirExists("C:\\DATA"));
  EXPECT_FALSE(FDirExists("C:\\DATA\\FILE.TXT"));
  EXPECT_FALSE(FDirExists("Q:\\"));
}

TEST_F(DetectionTest, TreeSearchIsDepthFirst) {
  OpenMachine("");
  Write("C:\\TREE\\A\\B\\T.TXT", "deep in the first branch");
  Write("C:\\TREE\\A\\C\\T.TXT", "later in the first branch");
  Write("C:\\TREE\\Z\\T.TXT", "shallow in the last branch");
  Write("C:\\TREE\\0\\T.TXT\\NOT-A-FILE", "a directory of the name, searched first");
  Write("C:\\TOP\\T.TXT", "in the directory itself");
  Write("C:\\TOP\\A\\T.TXT", "below");
  struct Case {
    const char* directory;
    const char* file;
    const char* found;
  } cases[] = {
      {"C:\\TREE", "T.TXT", "C:\\TREE\\A\\B\\T.TXT"},
      {"C:\\TREE\\", "t.txt", "C:\\TREE\\A\\B\\t.txt"},
      {"C:\\TOP", "T.TXT", "C:\\TOP\\T.TXT"},
      {"C:\\TREE", "U.TXT", ""},
      {"C:\\NOWHERE", "T.TXT", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(
        ReadText([&c](LPSTR b, int s) { return CbFindFileInTree(c.file, c.directory, b, s); }),
        c.found)
        << c.directory;
  }
}

TEST_F(DetectionTest, DriverInTheSystemConfiguration) {
  OpenMachine("");
  Write("C:\\WINDOWS\\SYSTEM.INI",
        "[boot]\r\ndevice=boot.drv\r\n[386Enh]\r\n; device=commented.386\r\n"
        "device=*vmm\r\n DEVICE = C:\\KYROTH\\kyr.386 \r\nkeyboard=kbd.386\r\n[other]\r\n"
        "device=other.386\r\n");
  struct Case {
    const char* driver;
    BOOL found;
  } cases[] = {
      {"KYR.386", TRUE},
      {"D:\\ELSEWHERE\\kyr.386", TRUE},
      {"*VMM", TRUE},
      {"kyr", FALSE},
      {"commented.386", FALSE},
      {"kbd.386", FALSE},
      {"boot.drv", FALSE},
      {"other.386", FALSE},
      {"", FALSE},
  };
  for (const Case& c : cases) EXPECT_EQ(FIsDriverInConfig(c.driver), c.found) << c.driver;
}

TEST_F(DetectionTest, IniSectionsKeysAndValues) {
  OpenMachine("");
  Write("C:\\WINDOWS\\APP.INI",
        "[Fonts]\r\nArial=arial.fon\r\nEmpty=\r\nQuoted=\"  spaced  \"\r\n[Empty Section]\r\n");
  Write("C:\\ELSE\\OTHER.INI", "[Here]\r\nKey = value with blanks \r\n");
  EXPECT_TRUE(FDoesIniSectionExist("APP.INI", "fonts"));
  EXPECT_TRUE(FDoesIniSectionExist("app.ini", "Empty Section"));
  EXPECT_FALSE(FDoesIniSectionExist("APP.INI", "Missing"));
  EXPECT_FALSE(FDoesIniSectionExist("NONE.INI", "Fonts"));
  EXPECT_TRUE(FDoesIniKeyExist("APP.INI", "Fonts", "ARIAL"));
  EXPECT_TRUE(FDoesIniKeyExist("APP.INI", "Fonts", "Empty"));
  EXPECT_FALSE(FDoesIniKeyExist("APP.INI", "Fonts", "Missing"));
  EXPECT_FALSE(FDoesIniKeyExist("APP.INI", "Empty Section", "Arial"));
  struct Case {
    const char* file;
    const char* section;
    const char* key;
    const char* value;
  } cases[] = {
      {"APP.INI", "Fonts", "arial", "arial.fon"},
      {"APP.INI", "Fonts", "Quoted", "  spaced  "},
      {"APP.INI", "Fonts", "Empty", ""},
      {"APP.INI", "Fonts", "Missing", ""},
      {"C:\\ELSE\\OTHER.INI", "here", "KEY", "value with blanks"},
      {"OTHER.INI", "Here", "Key", ""},  // without a directory: the Windows directory's
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadText([&c](LPSTR b, int s) {
                return CbGetIniKeyString(c.file, c.section, c.key, b, s);
              }),
              c.value)
        << c.file << " " << c.key;
  }
  std::string longValue(3000, 'v');
  Write("C:\\WINDOWS\\LONG.INI", "[S]\r\nK=" + longValue + "\r\n");
  char buffer[10];
  EXPECT_EQ(CbGetIniKeyString("LONG.INI", "S", "K", buffer, 10), 3000);
  EXPECT_STREQ(buffer, "vvvvvvvvv");
}

TEST_F(DetectionTest, HardwareFromTheMachine) {
  OpenMachine("");
  char name[32];
  EXPECT_TRUE(FGetProcessorType("", 0, name, 32));
  EXPECT_STREQ(name, "PENTIUM");
  EXPECT_TRUE(FHas87MathChip());
  EXPECT_FALSE(FHasMonochromeDisplay());
  EXPECT_TRUE(FHasMouseInstalled());
  EXPECT_TRUE(FGetParallelPortsList("PORTS"));
  EXPECT_EQ(StandinSymbol("PORTS"), "{\"LPT1\"}");
  EXPECT_TRUE(FGetSerialPortsList("PORTS"));
  EXPECT_EQ(StandinSymbol("PORTS"), "{\"COM1\",\"COM2\"}");

  OpenMachine(
      "[hardware]\nprocessor=80486\nmathchip=no\ndisplay=Monochrome\nmouse=no\n"
      "parallel=\nserial=COM1 , COM3\n");
  EXPECT_TRUE(FGetProcessorType("", 0, name, 32));
  EXPECT_STREQ(name, "80486");
  EXPECT_FALSE(FGetProcessorType("", 0, name, 5));  // five characters and a zero
  EXPECT_FALSE(FHas87MathChip());
  EXPECT_TRUE(FHasMonochromeDisplay());
  EXPECT_FALSE(FHasMouseInstalled());
  EXPECT_TRUE(FGetParallelPortsList("PORTS"));
  EXPECT_EQ(StandinSymbol("PORTS"), "");
  EXPECT_TRUE(FGetSerialPortsList("PORTS"));
  EXPECT_EQ(StandinSymbol("PORTS"), "{\"COM1\",\"COM3\"}");
  EXPECT_FALSE(FGetSerialPortsList(""));

  // A word the key does not take is named, and read as the other answer.
  OpenMachine("[hardware]\nmathchip=maybe\ndisplay=grey\nmouse=YES\n");
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(FHas87MathChip());
  EXPECT_FALSE(FHasMonochromeDisplay());
  EXPECT_TRUE(FHasMouseInstalled());
  std::string warnings = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(warnings.find("[hardware] mathchip is neither yes nor no: maybe"), std::string::npos)
      << warnings;
  EXPECT_NE(warnings.find("[hardware] display is neither monochrome nor color: grey"),
            std::string::npos)
      << warnings;
  EXPECT_EQ(warnings.find("mouse"), std::string::npos) << warnings;
}

TEST_F(DetectionTest, ValidPaths) {
  OpenMachine("");
  struct Case {
    const char* path;
    BOOL valid;
  } cases[] = {
      {"C:\\", TRUE},
      {"c:\\Windows\\System\\X.DLL", TRUE},
      {"C:\\DIR\\", TRUE},
      {"\\\\SERVER\\SHARE", TRUE},
      {"\\\\SERVER\\SHARE\\DIR\\FILE.TXT", TRUE},
      {"C:", FALSE},
      {"C:DIR", FALSE},
      {"\\DIR\\FILE", FALSE},
      {"DIR\\FILE", FALSE},
      {"1:\\DIR", FALSE},
      {"\\\\SERVER", FALSE},
      {"\\\\\\SHARE", FALSE},
      {"C:\\DIR\\\\FILE", FALSE},
      {"C:\\A*B", FALSE},
      {"C:\\A?B", FALSE},
      {"C:\\A|B", FALSE},
      {"C:\\A\"B", FALSE},
      {"C:\\A:B", FALSE},
      {"C:\\A\tB", FALSE},
      {"", FALSE},
      {nullptr, FALSE},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FValidPath(c.path), c.valid) << (c.path == nullptr ? "NULL" : c.path);
  }
  std::string longest = "C:\\" + std::string(MAX_PATH - 4, 'x');
  EXPECT_TRUE(FValidPath(longest.c_str()));
  EXPECT_FALSE(FValidPath((longest + "x").c_str()));
}

TEST_F(DetectionTest, ValidPathsInADoubleByteCodePage) {
  OpenMachine("", "", "acp=932\noemcp=932\n");
  // 0x83 0x7C is one character whose trail byte is '|'; 0x95 0x5C ends
  // in a backslash, which does not end the name.
  EXPECT_TRUE(FValidPath("C:\\\x83\x7C.TXT"));
  char directory[16], file[16];
  ASSERT_TRUE(FParsePathIntoPieces("C:\\A\\\x95\x5C", nullptr, 0, directory, 16, file, 16));
  EXPECT_STREQ(directory, "\\A\\");
  EXPECT_STREQ(file, "\x95\x5C");
}

TEST_F(DetectionTest, PathPieces) {
  OpenMachine("");
  struct Case {
    const char* path;
    int volumeSize, directorySize, fileSize;  // 0: the piece is not wanted
    BOOL parsed;
    const char *volume, *directory, *file;
  } cases[] = {
      {"C:\\A\\B\\X.DLL", 3, 6, 6, TRUE, "C:", "\\A\\B\\", "X.DLL"},
      {"C:\\A\\B\\X.DLL", 2, 6, 6, FALSE, "", "", ""},  // "C:" needs 3 bytes
      {"C:\\A\\B\\X.DLL", 3, 5, 6, FALSE, "", "", ""},
      {"C:\\A\\B\\X.DLL", 3, 6, 5, FALSE, "", "", ""},
      {"C:\\A\\B\\X.DLL", 0, 0, 6, TRUE, "", "", "X.DLL"},  // only the file name wanted
      {"C:\\X.DLL", 3, 2, 6, TRUE, "C:", "\\", "X.DLL"},
      {"C:\\DIR\\", 3, 8, 1, TRUE, "C:", "\\DIR\\", ""},
      {"\\\\SRV\\SHR\\D\\F", 10, 4, 2, TRUE, "\\\\SRV\\SHR", "\\D\\", "F"},
      {"X.DLL", 3, 6, 6, FALSE, "", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    char volume[16] = "", directory[16] = "", file[16] = "";
    EXPECT_EQ(FParsePathIntoPieces(c.path, c.volumeSize ? volume : nullptr, c.volumeSize,
                                   c.directorySize ? directory : nullptr, c.directorySize,
                                   c.fileSize ? file : nullptr, c.fileSize),
              c.parsed);
    EXPECT_STREQ(volume, c.volume);
    EXPECT_STREQ(directory, c.directory);
    EXPECT_STREQ(file, c.file);
  }
}

TEST_F(DetectionTest, DirectoriesAreJudgedByTheirTextAlone) {
  OpenMachine("");
  Write("C:\\DATA\\FILE.TXT", "x");
  struct Case {
    const char* path;
    BOOL valid;
  } cases[] = {// C:\NONE\YET is not on disk, but still a directory's name.
               {"C:\\DATA", TRUE},
               {"c:\\data\\", TRUE},
               {"C:\\", TRUE},
               {"C:\\NONE\\YET", TRUE},
               {"\\\\SRV\\SHR\\DIR", TRUE},
               // Relative, no backslash after the drive, a wildcard, an empty name, a
               // server without a share.
               {"", FALSE},
               {"DATA", FALSE},
               {"C:DATA", FALSE},
               {"C:\\A*B", FALSE},
               {"C:\\A\\\\B", FALSE},
               {"\\\\SRV", FALSE}};
  for (const Case& c : cases) EXPECT_EQ(FValidDir(c.path), c.valid) << c.path;
  EXPECT_FALSE(FValidDir(nullptr));
}

TEST_F(DetectionTest, CallsAreRecordedAndCanFailOrAnswerOtherwise) {
  OpenMachine("[toolkit]\nFIsValidDrive=fail 2\nLcbTotalDrive=result 12345678901 1\n");
  EXPECT_TRUE(FIsValidDrive(3));
  EXPECT_FALSE(FIsValidDrive(3));
  EXPECT_EQ(LcbTotalDrive(3), 12345678901);
  EXPECT_EQ(StandinCallsOf("FIsValidDrive").size(), 2u);
  EXPECT_THAT(StandinCallsOf("LcbTotalDrive")[0].args, ElementsAre("3"));
}

}  // namespace

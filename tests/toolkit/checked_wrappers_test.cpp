// The members that pass their arguments through to a toolkit function that
// answers a truth value (a zero answer ends the run), and the members that
// hand the toolkit's answer back unchanged.
#include <cstdint>

#include "checked_wrapper_support.h"
#include "toolkit/checked_wrappers.h"
#include "toolkit/toolkit_api.h"

namespace {

using ::testing::ExitedWithCode;
using wrapper_test::CheckedWrapperTest;

char stampData[] = "STAMP";

struct TruthCase {
  const char* member;
  const char* function;
  void (*call)();
  const char* args;  // as the toolkit receives them, inserted values included
};

const TruthCase kTruthCases[] = {
    {"SetAbout", "FSetAbout", [] { SetAboutChecked("About", "Text"); }, R"("About" "Text")"},
    {"ShowCustomDialogEvent", "FDoDialogExt",
     [] {
       char event[16];
       ShowCustomDialogEvent("mscuistf.dll", 300, "FEditDlgProc", "help.dll", 900, "FHelp", event,
                             16);
     },
     R"("mscuistf.dll" 300 "FEditDlgProc" "help.dll" 900 "FHelp")"},  // the caller's help library
    {"RestoreCursor", "FRestoreCursor", [] { RestoreCursorChecked(nullptr); }, "0"},
    {"AddListItem", "FAddListItem", [] { AddListItemChecked("L", "one"); }, R"("L" "one")"},
    {"ReplaceListItem", "FReplaceListItem",
     [] {
       AddListItemChecked("L", "one");  // an item to replace
       ReplaceListItemChecked("L", 1, "x");
     },
     R"("L" 1 "x")"},
    {"SetSymbolToInfKeys", "FSetSymbolToListOfInfKeys",
     [] { SetSymbolToInfKeysChecked("K", "Files"); }, R"("K" "Files" 1)"},
    {"RemoveSymbol", "FRemoveSymbol", [] { RemoveSymbolChecked("OLD"); }, R"("OLD")"},
    {"OpenInf", "FOpenInf", [] { OpenInfChecked("A.INF"); }, R"("A.INF" 1 0)"},
    {"ListInfField1", "FMakeListInfSectionField", [] { ListInfField1Checked("L", "S"); },
     R"("L" "S" 1)"},
    {"ListInfField5", "FMakeListInfSectionField", [] { ListInfField5Checked("L", "S"); },
     R"("L" "S" 5)"},
    {"ListInfField11", "FMakeListInfSectionField", [] { ListInfField11Checked("L", "S"); },
     R"("L" "S" 11)"},
    {"ListInfField15", "FMakeListInfSectionField", [] { ListInfField15Checked("L", "S"); },
     R"("L" "S" 15)"},
    {"ListInfField19", "FMakeListInfSectionField", [] { ListInfField19Checked("L", "S"); },
     R"("L" "S" 19)"},
    {"RemoveDir", "FRemoveDir", [] { RemoveDirChecked("C:\\OLD", 7); }, R"("C:\OLD" 7)"},
    {"RemoveIniSection", "FRemoveIniSection", [] { RemoveIniSectionChecked("A.INI", "S", 3); },
     R"("A.INI" "S" 3)"},
    {"CreateIniKeyValue", "FCreateIniKeyValue",
     [] { CreateIniKeyValueChecked("A.INI", "S", "K", "V", 4); }, R"("A.INI" "S" "K" "V" 4)"},
    {"RemoveIniKey", "FRemoveIniKey", [] { RemoveIniKeyChecked("A.INI", "S", "K", 5); },
     R"("A.INI" "S" "K" 5)"},
    {"CreateSysIniKeyValue", "FCreateSysIniKeyValue",
     [] { CreateSysIniKeyValueChecked("SYSTEM.INI", "S", "K", "V", 6); },
     R"("SYSTEM.INI" "S" "K" "V" 6)"},
    {"CopyOneFile", "FCopyOneFile", [] { CopyOneFileChecked("A", "B", 1, TRUE); },
     R"("A" "B" 3 1)"},
    {"RemoveFile", "YnrcRemoveFile", [] { RemoveFileChecked("OLD", 8); }, R"("OLD" 8)"},
    {"BackupFile", "YnrcBackupFile", [] { BackupFileChecked("W.INI", "W.BAK"); },
     R"("W.INI" "W.BAK" 0)"},
    {"BackupFileAlias", "YnrcBackupFile", [] { BackupFileAliasChecked("W.INI", "W.BAK"); },
     R"("W.INI" "W.BAK" 0)"},
    {"StampResource", "FStampResource",
     [] { StampResourceChecked("S", "K", "A.EXE", 10, 20, stampData, 5); },
     R"("S" "K" "A.EXE" 10 20 5)"},
    {"CreateProgManGroupEx", "FCreateProgManGroupEx",
     [] { CreateProgManGroupExChecked("G", "G.GRP", 9); }, R"("G" "G.GRP" 9)"},
    {"ShowProgManGroupEx", "FShowProgManGroupEx",
     [] { ShowProgManGroupExChecked("G", "G.GRP", -1, 2); }, R"("G" "G.GRP" "-1" 2)"},
    {"CreateProgManItemEx", "FCreateProgManItemEx",
     [] { CreateProgManItemExChecked("G", "G.GRP", "A", "A.EXE", "x", 1024); },
     R"("G" "G.GRP" "A,x" "A.EXE" 1024)"},
    {"AddSectionFiles", "FAddSectionFilesToCopyList",
     [] { AddSectionFilesChecked("S", "A:\\", "C:\\K"); }, R"("S" "A:\" "C:\K")"},
    {"AddSectionKeyFile", "FAddSectionKeyFileToCopyList",
     [] { AddSectionKeyFileChecked("S", "K", "A:\\", "C:\\K"); }, R"("S" "K" "A:\" "C:\K")"},
    {"AddSpecialFile", "FAddSpecialFileToCopyList",
     [] { AddSpecialFileChecked("S", "K", "A:\\", "C:\\K\\F"); }, R"("S" "K" "A:\" "C:\K\F")"},
    {"DumpCopyList", "FDumpCopyListToFile", [] { DumpCopyListChecked("C.LST"); }, R"("C.LST")"},
    {"AddBillboard", "FAddToBillboardList", [] { AddBillboardChecked("B.DLL", 700, "P", 30); },
     R"("B.DLL" 700 "P" 30)"},
    {"AddBlankBillboard", "FAddToBillboardList", [] { AddBlankBillboardChecked(45); },
     "NULL 0 NULL 45"},
    {"ClearBillboards", "FClearBillboardList", [] { ClearBillboardsChecked(); }, ""},
    {"OpenLogFile", "FOpenLogFile", [] { OpenLogFileChecked("S.LOG", TRUE); }, R"("S.LOG" 1)"},
    {"CloseLogFile", "FCloseLogFile", [] { CloseLogFileChecked(); }, ""},
    {"WriteToLog", "FWriteToLogFile", [] { WriteToLogChecked("copied"); }, R"("copied" 1)"},
    {"SetRestartDir", "FSetRestartDir", [] { SetRestartDirChecked("C:\\W"); }, R"("C:\W")"},
    {"PrependToPath", "FPrependToPath", [] { PrependToPathChecked("A.BAT", "PATH", "C:\\K", 0); },
     R"("A.BAT" "PATH" "C:\K" 0)"},
};

class TruthValueMember : public CheckedWrapperTest,
                         public ::testing::WithParamInterface<TruthCase> {};

// Any nonzero answer is success, not only 1.
TEST_P(TruthValueMember, PassesItsArgumentsAndReturnsOnNonzero) {
  StandinSetResult(GetParam().function, 0, -1);
  GetParam().call();
  EXPECT_EQ(StandinCallsOf(GetParam().function).size(), 1u);
  EXPECT_EQ(LastArgs(GetParam().function), GetParam().args);
}

TEST_P(TruthValueMember, ZeroEndsTheRunWithoutMessage) {
  StandinFailCall(GetParam().function, 1);
  EXPECT_EXIT(GetParam().call(), ExitedWithCode(0), "");
  EXPECT_THAT(Transcript(),
              ::testing::Contains(std::string("toolkit fail ") + GetParam().function));
  ExpectEnded(false);
}

INSTANTIATE_TEST_SUITE_P(Table, TruthValueMember, ::testing::ValuesIn(kTruthCases),
                         [](const auto& info) { return std::string(info.param.member); });

struct PassThroughCase {
  const char* function;
  long long (*call)();
  const char* args;
};

const PassThroughCase kPassThroughCases[] = {
    {"HShowWaitCursor", [] { return static_cast<long long>(intptr_t(ShowWaitCursor())); }, ""},
    {"FSetBeepingMode", [] { return static_cast<long long>(SetBeepingMode(TRUE)); }, "1"},
    {"FSetSilent", [] { return static_cast<long long>(SetSilentMode(FALSE)); }, "0"},
    {"FIsFileWritable", [] { return static_cast<long long>(IsFileWritable("A")); }, R"("A")"},
    {"ProSetPos", [] { return static_cast<long long>(SetProgressPosition(30, 100)); }, "30 100"},
    {"FRestartListEmpty", [] { return static_cast<long long>(IsRestartListEmpty()); }, ""},
    {"FExitExecRestart", [] { return static_cast<long long>(ExitExecRestart()); }, ""},
};

class PassThroughMember : public CheckedWrapperTest,
                          public ::testing::WithParamInterface<PassThroughCase> {};

// Whatever the toolkit answers, failure included, comes back unchanged.
TEST_P(PassThroughMember, ReturnsTheToolkitsAnswer) {
  for (long long answer : {0LL, 1LL, 7LL}) {
    StandinSetResult(GetParam().function, 0, answer);
    EXPECT_EQ(GetParam().call(), answer);
  }
  EXPECT_EQ(LastArgs(GetParam().function), GetParam().args);
  EXPECT_THAT(Transcript(), ::testing::Not(::testing::Contains("page show 400")));
}

INSTANTIATE_TEST_SUITE_P(Table, PassThroughMember, ::testing::ValuesIn(kPassThroughCases),
                         [](const auto& info) { return std::string(info.param.function); });

}  // namespace

#include "package.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "bench_files.h"

extern char** environ;

namespace bench {
namespace {

constexpr char kPrinter[] = "Kyroth FS-600";
constexpr char kProgram[] = "KYRCP.EXE";
// What the sample's answers install (German) besides the program.
constexpr const char* kOtherSources[] = {"DEUPRN.LNG", "DEUCP.LNG", "BCFONT.BCF", "kyr.386"};

std::string Source() { return KYR_SOURCE_DIR; }

}  // namespace

bool MakePackage(const std::string& dir, const PackageSize& size) {
  RemoveTree(dir);
  std::string command =
      "'" + Source() + "/samples/make-sample-machine.sh' '" + dir + "' >/dev/null 2>&1";
  if (std::system(command.c_str()) != 0) return false;
  std::string program = CachedFile(kProgram, size.program, true);
  if (program.empty()) return false;
  std::error_code error;
  std::filesystem::copy_file(program, dir + "/c/kyrdrv/" + kProgram,
                             std::filesystem::copy_options::overwrite_existing, error);
  if (error) return false;
  std::string ini = dir + "/c/windows/system.ini";
  WriteWholeFile(ini, SystemIniContent(ReadWholeFile(ini), size.systemIni));
  return true;
}

InstallRun RunInstallation(const std::string& dir) {
  InstallRun run;
  std::string transcript = dir + "/bench.transcript";
  std::string report = dir + "/bench.launch";
  std::string answers = Source() + "/samples/answers";
  std::vector<std::string> args = {
      KYR_LAUNCH,  report,  KYR_SETUPHOST,  "--machine", dir,        "--printer", kPrinter,
      "--answers", answers, "--transcript", transcript,  "--module", KYR_MODULE};
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  auto start = std::chrono::steady_clock::now();
  pid_t child;
  int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    run.error = "cannot start kyr_launch";
    return run;
  }
  int status = 0;
  if (waitpid(child, &status, 0) != child) {
    run.error = "lost kyr_launch";
    return run;
  }
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  int exitStatus = -1;
  std::FILE* launched = std::fopen(report.c_str(), "r");
  bool reported =
      launched != nullptr && std::fscanf(launched, "%d %ld", &exitStatus, &run.peakKilobytes) == 2;
  if (launched != nullptr) std::fclose(launched);
  bool returned = ReadWholeFile(transcript).find("\nreturn 0\n") != std::string::npos;
  run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0 && reported && exitStatus == 0 && returned;
  if (!run.ok) run.error = "the installation did not run to its end (" + transcript + ")";
  return run;
}

bool FloorInstallation(const std::string& machineDir, const std::string& outDir) {
  std::string sources = machineDir + "/c/kyrdrv/";
  std::string windows = machineDir + "/c/windows/";
  bool ok = FloorCopy(sources + kProgram, outDir + "/" + kProgram);
  for (const char* name : kOtherSources) {
    ok = ok && FloorCopy(sources + name, outDir + "/" + name);
  }
  return ok && BufferedCopy(windows + "system.ini", outDir + "/system.kyr") &&
         BufferedCopy(windows + "win.ini", outDir + "/win.kyr") &&
         BufferedCopy(outDir + "/system.kyr", outDir + "/system.ini");
}

}  // namespace bench

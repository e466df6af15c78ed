// The working-set trimmer and its tool, with "windir" pointed at a scratch folder. A planted
// file is trim_marker.exe, which leaves "<its path>.ran" beside itself when it runs.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/working_set_trimmer.h"
#include "tests/support/test_paths.h"

using namespace tltest;
using tunelark::TrimResult;
using tunelark::TrimWorkingSetOf;

namespace {

std::string ToolBytes() {
  tunelark::ByteArray bytes = tunelark::TrimmerToolBytes();
  return std::string(bytes.begin(), bytes.end());
}

struct ToolRun {
  DWORD exitCode = STILL_ACTIVE;
  std::string output;  // standard output and error together
};

ToolRun RunCaptured(const std::string& exe, const std::string& args) {
  ToolRun run;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return run;
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = writeEnd;
  PROCESS_INFORMATION info{};
  std::string commandLine = "\"" + exe + "\"" + (args.empty() ? "" : " " + args);
  BOOL started =
      CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info);
  CloseHandle(writeEnd);
  if (started) {
    char buffer[512];
    DWORD n = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &n, nullptr) && n > 0) run.output.append(buffer, n);
    WaitForSingleObject(info.hProcess, 10000);
    GetExitCodeProcess(info.hProcess, &run.exitCode);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
  }
  CloseHandle(readEnd);
  return run;
}

// A scratch folder as the Windows folder for the life of the fixture.
class TrimmerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = Env("windir");
    SetEnvironmentVariableA("windir", windir_.path().c_str());
  }
  void TearDown() override { SetEnvironmentVariableA("windir", saved_.empty() ? nullptr : saved_.c_str()); }
  std::string ToolPath() const { return windir_.path() + "\\empty.exe"; }
  std::string Marker() const { return ToolPath() + ".ran"; }
  void Plant() const {
    ASSERT_TRUE(CopyFileA((BinDirectory() + "\\trim_marker.exe").c_str(), ToolPath().c_str(), FALSE));
  }

  ScratchFolder windir_{"trim"};
  std::string saved_;
};

TEST(TrimmerToolTest, UsageFailureAndSuccess) {
  ScratchFolder folder("tool");
  std::string exe = folder.path() + "\\empty.exe";
  ASSERT_TRUE(WriteFileBytes(exe, ToolBytes()));
  EXPECT_LT(ToolBytes().size(), 9728u);

  ToolRun usage = RunCaptured(exe, "");
  EXPECT_EQ(usage.output, "USAGE: empty.exe {pid | task-name}\r\n");
  EXPECT_EQ(usage.exitCode, 1u);

  ToolRun missing = RunCaptured(exe, "2147483632");  // a multiple of 4 far above any live id
  EXPECT_EQ(missing.output, "could not empty working set for process #2147483632 [2147483632]\r\n");
  EXPECT_EQ(missing.exitCode, 2u);
  ToolRun noTask = RunCaptured(exe, "\"no such task.exe\"");
  EXPECT_EQ(noTask.output, "could not empty working set for process #0 [no such task.exe]\r\n");
  EXPECT_EQ(noTask.exitCode, 2u);

  EXPECT_EQ(RunCaptured(exe, std::to_string(GetCurrentProcessId())).exitCode, 0u);
  EXPECT_EQ(RunCaptured(exe, "TRIMMER_TEST").exitCode, 0u);  // task name: any case, ".exe" optional
}

TEST_F(TrimmerTest, FirstCallWritesAndRunsLaterCallsOnlyRun) {
  TrimResult first = TrimWorkingSetOf(GetCurrentProcessId());
  EXPECT_TRUE(first.wroteTool);
  EXPECT_TRUE(first.ranTool);
  EXPECT_EQ(first.toolExitCode, 0u);  // the tool got our id and emptied our working set
  EXPECT_TRUE(ReadFileBytes(ToolPath()) == ToolBytes());
  EXPECT_EQ(ListFolder(windir_.path()), std::vector<std::string>{"empty.exe"});  // no temporary left

  TrimResult second = TrimWorkingSetOf(GetCurrentProcessId());
  EXPECT_FALSE(second.wroteTool);
  EXPECT_TRUE(second.ranTool);
  EXPECT_EQ(second.toolExitCode, 0u);

  HANDLE thread = CreateThread(nullptr, 0, tunelark::TrimWorkingSet, nullptr, 0, nullptr);
  ASSERT_TRUE(thread);
  EXPECT_EQ(WaitForSingleObject(thread, 20000), WAIT_OBJECT_0);
  DWORD code = 1;
  GetExitCodeThread(thread, &code);
  CloseHandle(thread);
  EXPECT_EQ(code, 0u);
  EXPECT_TRUE(ReadFileBytes(ToolPath()) == ToolBytes());
}

TEST_F(TrimmerTest, PlantedFileIsReplacedAndNeverRun) {
  {  // the marker program does leave its mark when it runs
    ScratchFolder other("marker");
    std::string exe = other.path() + "\\empty.exe";
    ASSERT_TRUE(CopyFileA((BinDirectory() + "\\trim_marker.exe").c_str(), exe.c_str(), FALSE));
    RunCaptured(exe, "1");
    ASSERT_TRUE(FileExists(exe + ".ran"));
  }
  Plant();
  TrimResult result = TrimWorkingSetOf(GetCurrentProcessId());
  EXPECT_TRUE(result.wroteTool);
  EXPECT_TRUE(result.ranTool);
  EXPECT_EQ(result.toolExitCode, 0u);
  EXPECT_TRUE(ReadFileBytes(ToolPath()) == ToolBytes());
  EXPECT_FALSE(FileExists(Marker()));
}

TEST_F(TrimmerTest, PlantedFileThatCannotBeReplacedIsLeftAndNotRun) {
  Plant();
  std::string planted = ReadFileBytes(ToolPath());
  // Read-only and held open without delete sharing: neither Windows nor Wine replaces it.
  ASSERT_TRUE(SetFileAttributesA(ToolPath().c_str(), FILE_ATTRIBUTE_READONLY));
  HANDLE held = CreateFileA(ToolPath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  TrimResult result = TrimWorkingSetOf(GetCurrentProcessId());
  CloseHandle(held);
  EXPECT_FALSE(result.wroteTool);
  EXPECT_FALSE(result.ranTool);
  EXPECT_FALSE(FileExists(Marker()));
  EXPECT_TRUE(ReadFileBytes(ToolPath()) == planted);
  EXPECT_EQ(ListFolder(windir_.path()), std::vector<std::string>{"empty.exe"});
}

TEST_F(TrimmerTest, UnwritableOrMissingWindowsFolderDoesNothing) {
  std::string missing = windir_.path() + "\\absent";
  SetEnvironmentVariableA("windir", missing.c_str());
  TrimResult result = TrimWorkingSetOf(GetCurrentProcessId());
  EXPECT_FALSE(result.wroteTool);
  EXPECT_FALSE(result.ranTool);
  EXPECT_TRUE(ListFolder(windir_.path()).empty());
}

TEST_F(TrimmerTest, WindirUnsetEmptyOrRelativeDoesNothing) {
  char cwd[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, cwd);
  SetCurrentDirectoryA(windir_.path().c_str());  // where a relative path would land
  for (const char* value : {static_cast<const char*>(nullptr), "", "relative"}) {
    SetEnvironmentVariableA("windir", value);
    EXPECT_EQ(tunelark::TrimmerToolPath(), "");
    TrimResult result = TrimWorkingSetOf(GetCurrentProcessId());
    EXPECT_FALSE(result.wroteTool || result.ranTool);
  }
  SetCurrentDirectoryA(cwd);
  EXPECT_TRUE(ListFolder(windir_.path()).empty());
  SetEnvironmentVariableA("windir", (windir_.path() + "\\\\").c_str());  // trailing separators are dropped
  EXPECT_EQ(tunelark::TrimmerToolPath(), ToolPath());
}

}  // namespace

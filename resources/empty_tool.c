/* empty.exe: empties the working set of one process.
 *
 *   empty.exe {pid | task-name}
 *
 * A decimal argument is a process id; anything else is an executable name ("notepad.exe" or
 * "notepad", any case), and every running process of that name is emptied. Exit code 0 when
 * every process was emptied, 1 for the usage line, 2 when one could not be emptied.
 *
 * Built without the C runtime (kernel32 only, own entry point) so the program that carries it
 * stays small. */
#include <windows.h>
#include <tlhelp32.h>

enum { kDone = 0, kUsage = 1, kFailed = 2 };

static void Write(HANDLE out, const char* text) {
  DWORD written;
  if (out && out != INVALID_HANDLE_VALUE) WriteFile(out, text, (DWORD)lstrlenA(text), &written, NULL);
}

static void WriteNumber(HANDLE out, DWORD value) {
  char digits[12];
  char* p = digits + sizeof digits - 1;
  *p = '\0';
  do {
    *--p = (char)('0' + value % 10);
    value /= 10;
  } while (value);
  Write(out, p);
}

/* The first argument of the command line (quotes removed), written into arg. */
static void FirstArgument(char* arg, int capacity) {
  const char* p = GetCommandLineA();
  char quote;
  int n = 0;
  if (*p == '"') {
    for (++p; *p && *p != '"'; ++p) {}
    if (*p) ++p;
  } else {
    while (*p && *p != ' ' && *p != '\t') ++p;
  }
  while (*p == ' ' || *p == '\t') ++p;
  quote = *p == '"' ? *p++ : 0;
  while (*p && n < capacity - 1 && (quote ? *p != quote : (*p != ' ' && *p != '\t'))) arg[n++] = *p++;
  arg[n] = '\0';
}

/* A decimal process id, or 0 when text is not one. */
static DWORD ParsePid(const char* text) {
  ULONGLONG value = 0;
  if (!*text) return 0;
  for (; *text; ++text) {
    if (*text < '0' || *text > '9') return 0;
    value = value * 10 + (ULONGLONG)(*text - '0');
    if (value > 0xFFFFFFFFu) return 0;
  }
  return (DWORD)value;
}

/* Whether an executable name matches a task name given with or without ".exe". */
static BOOL NameMatches(const char* exeName, const char* taskName) {
  char withExe[MAX_PATH + 8];
  int n = lstrlenA(taskName);
  if (lstrcmpiA(exeName, taskName) == 0) return TRUE;
  if (n > MAX_PATH) return FALSE;
  lstrcpyA(withExe, taskName);
  lstrcpyA(withExe + n, ".exe");
  return lstrcmpiA(exeName, withExe) == 0;
}

static BOOL EmptyWorkingSetOf(DWORD pid) {
  HANDLE process = OpenProcess(PROCESS_SET_QUOTA | PROCESS_QUERY_INFORMATION, FALSE, pid);
  BOOL done;
  if (!process) return FALSE;
  done = SetProcessWorkingSetSize(process, (SIZE_T)-1, (SIZE_T)-1);
  CloseHandle(process);
  return done;
}

static void ReportFailure(DWORD pid, const char* name) {
  HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
  Write(err, "could not empty working set for process #");
  WriteNumber(err, pid);
  Write(err, " [");
  Write(err, name);
  Write(err, "]\r\n");
}

/* Calls visit for every process whose id is pid (pid != 0) or whose name matches name.
 * Returns the number of processes visited and whether every visit succeeded. */
typedef BOOL (*Visit)(DWORD pid, const char* exeName);

static int ForEachProcess(DWORD pid, const char* name, Visit visit, BOOL* allDone) {
  PROCESSENTRY32 entry;
  int count = 0;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  *allDone = TRUE;
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    if (pid ? entry.th32ProcessID != pid : !NameMatches(entry.szExeFile, name)) continue;
    ++count;
    if (!visit(entry.th32ProcessID, entry.szExeFile)) *allDone = FALSE;
  }
  CloseHandle(snapshot);
  return count;
}

static BOOL EmptyOrReport(DWORD pid, const char* exeName) {
  if (EmptyWorkingSetOf(pid)) return TRUE;
  ReportFailure(pid, exeName);
  return FALSE;
}

static BOOL ReportOnly(DWORD pid, const char* exeName) {
  ReportFailure(pid, exeName);
  return FALSE;
}

static int Run(const char* arg) {
  DWORD pid = ParsePid(arg);
  BOOL allDone;
  if (pid) {
    if (EmptyWorkingSetOf(pid)) return kDone;
    /* Name the process in the message when it exists; otherwise echo the argument. */
    if (ForEachProcess(pid, NULL, ReportOnly, &allDone) == 0) ReportFailure(pid, arg);
    return kFailed;
  }
  if (ForEachProcess(0, arg, EmptyOrReport, &allDone) == 0) {
    ReportFailure(0, arg);
    return kFailed;
  }
  return allDone ? kDone : kFailed;
}

void ToolMain(void) {
  char arg[MAX_PATH];
  FirstArgument(arg, sizeof arg);
  if (!arg[0]) {
    Write(GetStdHandle(STD_OUTPUT_HANDLE), "USAGE: empty.exe {pid | task-name}\r\n");
    ExitProcess(kUsage);
  }
  ExitProcess((UINT)Run(arg));
}

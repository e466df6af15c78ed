/* Stands in for a foreign program planted as %windir%\empty.exe: when it runs, it leaves
 * "<its own path>.ran" beside itself. */
#include <windows.h>

int main(void) {
  char path[MAX_PATH + 8];
  DWORD n = GetModuleFileNameA(NULL, path, MAX_PATH);
  HANDLE file;
  if (n == 0 || n >= MAX_PATH) return 1;
  lstrcatA(path, ".ran");
  file = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return 1;
  CloseHandle(file);
  return 0;
}

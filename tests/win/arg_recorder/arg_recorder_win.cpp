// A stand-in for a program that others start, such as a web browser: it appends the arguments it
// was started with, one a line in UTF-8, to "<its own path>.txt", and ends.
#include <windows.h>

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv) {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  FILE* log = _wfopen((std::wstring(self) + L".txt").c_str(), L"ab");
  if (!log) return 1;
  for (int i = 1; i < argc; ++i) {
    char line[4096] = {};
    WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, line, sizeof(line) - 1, nullptr, nullptr);
    std::fprintf(log, "%s\n", line);
  }
  std::fclose(log);
  return 0;
}

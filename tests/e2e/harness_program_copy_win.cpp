#include <windows.h>

#include <sstream>

#include "tests/e2e/harness.h"
#include "tests/e2e/program_copy.h"

namespace e2e {

std::string ReadWholeFile(const std::wstring& path) {
  std::string bytes;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) bytes.append(buffer, read);
  CloseHandle(file);
  return bytes;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

bool HasLine(const std::vector<std::string>& lines, const std::string& expected) {
  for (const std::string& line : lines) {
    if (line == expected) return true;
  }
  return false;
}

ProgramCopy::ProgramCopy(const std::wstring& fileName, const std::wstring& folderName) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  folder_ = std::wstring(temp) + folderName + L"\\";
  CreateDirectoryW(folder_.c_str(), nullptr);
  Clean();
  path_ = folder_ + fileName;
  copied_ = CopyFileW((BinFolder() + fileName).c_str(), path_.c_str(), FALSE) != FALSE;
}

ProgramCopy::~ProgramCopy() {
  Clean();
  DeleteFileW(path_.c_str());
  RemoveDirectoryW(folder_.c_str());
}

void ProgramCopy::Clean() const {
  for (const wchar_t* name : {L"crashhost-report.txt", L"crashhost-restart.txt", L"Errors.txt", L"stderr.txt",
                              L"screenshot.png", L"RegDump.txt"}) {
    DeleteFileW((folder_ + name).c_str());
  }
}

}  // namespace e2e

#include "ui/file_win.h"

#include <windows.h>

#include "ui/exceptions.h"
#include "ui/handles.h"
#include "ui/strings.h"
#include "ui/system_error_win.h"

namespace {

[[noreturn]] void ThrowFileError(const char* what, const std::wstring& path, DWORD code) {
  throw EOSError(std::string(what) + " " + Narrow(path) + " (" + SystemErrorText(code) + ")");
}

}  // namespace

bool FileExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string ReadWholeFile(const std::wstring& path) {
  UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) ThrowFileError("Cannot open file", path, GetLastError());
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size)) ThrowFileError("Cannot read file", path, GetLastError());
  if (size.QuadPart > 0x7FFFFFFF) ThrowFileError("Cannot read file", path, ERROR_FILE_TOO_LARGE);
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  // A file that shrinks while it is read gives what is there; one that grows, what it had.
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD read = 0;
    if (!ReadFile(file.Get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &read, nullptr)) {
      ThrowFileError("Cannot read file", path, GetLastError());
    }
    if (read == 0) break;
    done += read;
  }
  bytes.resize(done);
  return bytes;
}

void WriteWholeFile(const std::wstring& path, const std::string& bytes) {
  UniqueFile file(
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) ThrowFileError("Cannot create file", path, GetLastError());
  if (bytes.size() > 0xFFFFFFFFu) ThrowFileError("Cannot write file", path, ERROR_FILE_TOO_LARGE);
  DWORD written = 0;
  if (!WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
    ThrowFileError("Cannot write file", path, GetLastError());
  }
  if (written != bytes.size()) ThrowFileError("Cannot write file", path, ERROR_WRITE_FAULT);
}

bool DeleteFileIfExists(const std::wstring& path) {
  if (DeleteFileW(path.c_str())) return true;
  const DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

std::wstring FileNameOf(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

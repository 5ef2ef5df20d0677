// A program copied into a folder of its own under the temporary folder, so that the files it
// writes beside itself ("Errors.txt", "screenshot.png", its reports) stay apart and go with it.
#pragma once

#include <string>
#include <vector>

namespace e2e {

// A file's whole content; empty when it cannot be read.
std::string ReadWholeFile(const std::wstring& path);

// A text's lines, without their line ends.
std::vector<std::string> Lines(const std::string& text);

// Whether one of `lines` is exactly `expected`.
bool HasLine(const std::vector<std::string>& lines, const std::string& expected);

class ProgramCopy {
 public:
  // Copies `fileName` from the test's bin folder into <temp>\<folderName>\.
  ProgramCopy(const std::wstring& fileName, const std::wstring& folderName);
  ~ProgramCopy();
  ProgramCopy(const ProgramCopy&) = delete;
  ProgramCopy& operator=(const ProgramCopy&) = delete;

  bool Copied() const { return copied_; }
  const std::wstring& Path() const { return path_; }
  const std::wstring& Folder() const { return folder_; }
  std::string Read(const wchar_t* name) const { return ReadWholeFile(folder_ + name); }

 private:
  void Clean() const;
  std::wstring folder_, path_;
  bool copied_ = false;
};

}  // namespace e2e

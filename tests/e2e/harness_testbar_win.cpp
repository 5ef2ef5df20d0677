#include <gtest/gtest.h>

#include <sstream>

#include "tests/e2e/harness.h"
#include "tools/testbar/control_client_win.h"

namespace e2e {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> Split(const std::string& line, char separator) {
  std::vector<std::string> fields;
  std::istringstream in(line);
  for (std::string field; std::getline(in, field, separator);) fields.push_back(field);
  if (!line.empty() && line.back() == separator) fields.push_back("");
  return fields;
}

BarButton ParseButton(const std::string& line) {
  const std::vector<std::string> f = Split(line, '\t');
  BarButton button;
  if (f.size() < 6) return button;
  button.index = std::stoi(f[0]);
  button.window = static_cast<std::uint32_t>(std::stoul(f[1]));
  button.group = f[2] == "group";
  button.hidden = f[3] == "1";
  const std::vector<std::string> r = Split(f[4], ',');
  button.rect = {std::stoi(r.at(0)), std::stoi(r.at(1)), std::stoi(r.at(2)), std::stoi(r.at(3))};
  button.text = f[5];
  return button;
}

}  // namespace

TestBarProcess::TestBarProcess(const std::wstring& arguments) {
  // A stand-in still ending from an earlier test would answer in this one's place.
  if (!WaitUntil([] { return testbar::FindTestBar() == nullptr; })) return;
  // The pointer rests away from the bar (along the bottom of the screen): a bar that appears under
  // it would get mouse moves that no test made.
  SetCursorPos(0, 0);
  process_ = Process::Start(BinFolder() + L"testbar.exe", arguments);
  started_ = process_ && WaitUntil([this] { return Command("ping").rfind("ok", 0) == 0; }, 20000);
}

TestBarProcess::~TestBarProcess() {
  if (!process_) return;
  Command("quit");
  // A stand-in that does not end by itself is ended through its handle by ~Process.
  WaitUntil([this] { return process_->WaitForExit(0); }, 10000);
}

std::string TestBarProcess::Command(const std::string& command) const {
  return testbar::SendCommand(command).value_or("");
}

std::vector<std::string> TestBarProcess::Checked(const std::string& command) const {
  std::vector<std::string> lines = Lines(Command(command));
  if (lines.empty() || lines[0] != "ok") {
    ADD_FAILURE_AT(__FILE__, __LINE__) << command << ": " << (lines.empty() ? "" : lines[0]);
    return {};
  }
  lines.erase(lines.begin());
  return lines;
}

std::vector<BarButton> TestBarProcess::Order() const {
  std::vector<BarButton> buttons;
  for (const std::string& line : Checked("order")) buttons.push_back(ParseButton(line));
  return buttons;
}

HWND TestBarProcess::Toolbar() const {
  HWND window = testbar::FindTestBar();
  for (const wchar_t* cls : {L"ReBarWindow32", L"MSTaskSwWClass", L"ToolbarWindow32"}) {
    if (window == nullptr) return nullptr;
    window = FindWindowExW(window, nullptr, cls, nullptr);
  }
  return window;
}

}  // namespace e2e

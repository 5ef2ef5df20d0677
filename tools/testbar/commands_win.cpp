#include "tools/testbar/commands_win.h"

#include <cstdlib>
#include <functional>
#include <map>
#include <vector>

#include "tools/testbar/bar_window_win.h"
#include "tools/testbar/command_words.h"

namespace testbar {
namespace {

using Words = std::vector<std::string>;

std::string Ok(const std::string& data = {}) { return "ok\n" + data; }
std::string Error(const std::string& reason) { return "error: " + reason + "\n"; }

// A decimal number, or nothing when the word is not one.
bool ParseNumber(const std::string& word, long long& value) {
  if (word.empty()) return false;
  char* end = nullptr;
  value = std::strtoll(word.c_str(), &end, 10);
  return end != nullptr && *end == '\0';
}

HWND ParseWindow(const std::string& word) {
  long long value = 0;
  if (!ParseNumber(word, value) || value <= 0) return nullptr;
  return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(value));
}

std::string Done(bool changed, TestBar& bar, const char* failure) {
  if (!changed) return Error(failure);
  bar.Layout();
  return Ok();
}

std::string Add(TestBar& bar, const Words& w) {
  if (w.size() < 2 || w.size() > 3) return Error("usage: add TITLE [GROUP]");
  HWND window = bar.Buttons().AddWindow(w[1], w.size() == 3 ? w[2] : std::string());
  if (window == nullptr) return Error("no such group, or the window could not be made");
  bar.Layout();
  return Ok(std::to_string(HandleToULong(window)) + "\n");
}

std::string Group(TestBar& bar, const Words& w) {
  if (w.size() != 3 || (w[2] != "expanded" && w[2] != "collapsed")) {
    return Error("usage: group NAME expanded|collapsed");
  }
  return Done(bar.Buttons().AddGroup(w[1], w[2] == "collapsed"), bar, "group exists");
}

std::string Move(TestBar& bar, const Words& w) {
  long long from = 0, to = 0;
  if (w.size() != 3 || !ParseNumber(w[1], from) || !ParseNumber(w[2], to)) {
    return Error("usage: move FROM TO");
  }
  return Done(SendMessageW(bar.Toolbar(), TB_MOVEBUTTON, static_cast<WPARAM>(from),
                           static_cast<LPARAM>(to)) != 0,
              bar, "the toolbar refused the move");
}

std::string Picture(TestBar& bar, const Words& w) {
  long long index = 0;
  if (w.size() != 2 || !ParseNumber(w[1], index) || index < 0) return Error("usage: picture INDEX");
  const std::string rows = bar.Buttons().Picture(static_cast<int>(index));
  return rows.empty() ? Error("no such button, or it shows no picture") : Ok(rows);
}

std::string Rows(TestBar& bar, const Words& w) {
  long long rows = 0;
  if (w.size() != 2 || !ParseNumber(w[1], rows) || rows < 0 || rows > 16) {
    return Error("usage: rows N");
  }
  bar.SetRows(static_cast<int>(rows));
  return Ok(std::to_string(SendMessageW(bar.Toolbar(), TB_GETROWS, 0, 0)) + "\n");
}

// Commands that name one window: remove, hang, retitle.
std::string OnWindow(TestBar& bar, const Words& w) {
  HWND window = w.size() >= 2 ? ParseWindow(w[1]) : nullptr;
  if (window == nullptr) return Error("usage: " + w[0] + " WINDOW ...");
  if (w[0] == "remove" && w.size() == 2) {
    return Done(bar.Buttons().Remove(window), bar, "no such window");
  }
  if (w[0] == "hang" && w.size() == 2) {
    return Done(bar.Buttons().Hang(window), bar, "no such window");
  }
  if (w[0] == "retitle" && w.size() == 3) {
    return Done(bar.Buttons().Retitle(window, w[2]), bar, "no such window");
  }
  long long period = 0;
  if (w[0] == "ticker" && w.size() == 4 && ParseNumber(w[2], period) && period >= 0) {
    return Done(bar.Tick(window, w[3], static_cast<unsigned>(period)), bar, "no such window");
  }
  return Error("wrong arguments for " + w[0]);
}

std::string Fold(TestBar& bar, const Words& w) {
  if (w.size() != 2) return Error("usage: " + w[0] + " GROUP");
  return Done(bar.Buttons().SetCollapsed(w[1], w[0] == "collapse"), bar, "no such group");
}

using Handler = std::function<std::string(TestBar&, const Words&)>;

const std::map<std::string, Handler>& Handlers() {
  static const std::map<std::string, Handler> handlers = {
      {"ping", [](TestBar&, const Words&) { return Ok(); }},
      {"add", Add},
      {"group", Group},
      {"remove", OnWindow},
      {"hang", OnWindow},
      {"retitle", OnWindow},
      {"ticker", OnWindow},
      {"collapse", Fold},
      {"expand", Fold},
      {"move", Move},
      {"rows", Rows},
      {"picture", Picture},
      {"order", [](TestBar& bar, const Words&) { return Ok(bar.Buttons().Order()); }},
      {"messages", [](TestBar& bar, const Words&) { return Ok(bar.Log().Text()); }},
      {"clear",
       [](TestBar& bar, const Words&) {
         bar.Log().Clear();
         return Ok();
       }},
      {"traycalls", [](TestBar& bar, const Words&) { return Ok(bar.Tray().Calls()); }},
      {"toolbar",
       [](TestBar& bar, const Words&) {
         return Ok(std::to_string(HandleToULong(bar.Toolbar())) + "\n");
       }},
  };
  return handlers;
}

}  // namespace

CommandResult ExecuteCommand(TestBar& bar, const std::string& command) {
  const Words words = SplitCommand(command);
  if (words.empty()) return {Error("empty command")};
  if (words[0] == "quit") return {Ok(), true};
  const auto handler = Handlers().find(words[0]);
  if (handler == Handlers().end()) return {Error("unknown command " + words[0])};
  return {handler->second(bar, words)};
}

}  // namespace testbar

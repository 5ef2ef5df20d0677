#include "app/settings/run_entry.h"

namespace settings {

std::string RunKeyPath(bool once) {
  std::string path = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  return once ? path + "Once" : path;
}

std::string RunValueText(const std::string& path, const std::string& parameters) {
  const std::string quoted = "\"" + path + "\"";
  if (!parameters.empty()) return quoted + " " + parameters;
  return path.find(' ') != std::string::npos ? quoted : path;
}

}  // namespace settings

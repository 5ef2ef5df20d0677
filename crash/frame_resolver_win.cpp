#include "crash/frame_resolver_win.h"

#include <dbghelp.h>

#include <set>
#include <string>

#include "ui/strings.h"
#include "ui/system_library_win.h"

namespace crash {

// The platform's symbol library, loaded from the system folder on first use and only from there:
// it is not one of the system's protected libraries, so a copy beside the program must never win.
class SymbolLibrary {
 public:
  SymbolLibrary() {
    module_ = LoadSystemLibrary(L"dbghelp.dll");
    if (!module_ || !Bind(setOptions_, "SymSetOptions") || !Bind(initialize_, "SymInitializeW") ||
        !Bind(cleanup_, "SymCleanup") || !Bind(loadModule_, "SymLoadModuleExW") || !Bind(fromAddress_, "SymFromAddrW")) {
      return;
    }
    Bind(lineFromAddress_, "SymGetLineFromAddrW64");
    setOptions_(SYMOPT_UNDNAME | SYMOPT_DEFERRED_LOADS | SYMOPT_LOAD_LINES | SYMOPT_FAIL_CRITICAL_ERRORS |
                SYMOPT_NO_PROMPTS);
    ready_ = initialize_(GetCurrentProcess(), nullptr, FALSE) != FALSE;
  }
  ~SymbolLibrary() {
    if (ready_) cleanup_(GetCurrentProcess());
    if (module_) FreeLibrary(module_);
  }
  SymbolLibrary(const SymbolLibrary&) = delete;
  SymbolLibrary& operator=(const SymbolLibrary&) = delete;

  // Fills in the function and source line of `address` (inside the frame's instruction) where the
  // library knows them; the offset is counted from the frame's own address.
  void Describe(std::uint64_t address, HMODULE module, bool wantName, StackFrame& frame) {
    if (!ready_ || !module) return;
    LoadOnce(module);
    if (wantName) {
      alignas(SYMBOL_INFOW) unsigned char buffer[sizeof(SYMBOL_INFOW) + 256 * sizeof(wchar_t)] = {};
      auto* symbol = reinterpret_cast<SYMBOL_INFOW*>(buffer);
      symbol->SizeOfStruct = sizeof(SYMBOL_INFOW);
      symbol->MaxNameLen = 256;
      DWORD64 displacement = 0;
      if (fromAddress_(GetCurrentProcess(), address, &displacement, symbol) && symbol->NameLen > 0) {
        frame.function = Narrow(std::wstring(symbol->Name, symbol->NameLen < 256 ? symbol->NameLen : 255));
        frame.functionOffset = frame.address - symbol->Address;
      }
    }
    if (lineFromAddress_) {
      IMAGEHLP_LINEW64 line{};
      line.SizeOfStruct = sizeof(line);
      DWORD displacement = 0;
      if (lineFromAddress_(GetCurrentProcess(), address, &displacement, &line) && line.FileName) {
        std::wstring file = line.FileName;
        frame.sourceLine = Narrow(file.substr(file.find_last_of(L"\\/") + 1)) + ":" + std::to_string(line.LineNumber);
      }
    }
  }

 private:
  template <class Function>
  bool Bind(Function& function, const char* name) {
    return BindExport(module_, function, name);
  }

  void LoadOnce(HMODULE module) {
    if (!loaded_.insert(module).second) return;
    wchar_t path[MAX_PATH] = {};
    if (!GetModuleFileNameW(module, path, MAX_PATH)) return;
    loadModule_(GetCurrentProcess(), nullptr, path, nullptr, reinterpret_cast<DWORD64>(module), 0, nullptr, 0);
  }

  HMODULE module_ = nullptr;
  bool ready_ = false;
  std::set<HMODULE> loaded_;
  decltype(&SymSetOptions) setOptions_ = nullptr;
  decltype(&SymInitializeW) initialize_ = nullptr;
  decltype(&SymCleanup) cleanup_ = nullptr;
  decltype(&SymLoadModuleExW) loadModule_ = nullptr;
  decltype(&SymFromAddrW) fromAddress_ = nullptr;
  decltype(&SymGetLineFromAddrW64) lineFromAddress_ = nullptr;
};

namespace {

constexpr wchar_t kTableResource[] = L"ROWTENDER_SYMBOLS";

void LoadEmbeddedTable(HMODULE program, SymbolTable& table) {
  HRSRC resource = FindResourceW(program, kTableResource, MAKEINTRESOURCEW(10) /* RT_RCDATA */);
  if (!resource) return;
  HGLOBAL loaded = LoadResource(program, resource);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (bytes) table.Load(bytes, SizeofResource(program, resource));
}

}  // namespace

FrameResolver::FrameResolver() : program_(GetModuleHandleW(nullptr)) { LoadEmbeddedTable(program_, table_); }

FrameResolver::~FrameResolver() = default;

std::string FrameResolver::ModuleName(std::uint64_t address, HMODULE* module) {
  HMODULE found = nullptr;
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          reinterpret_cast<LPCWSTR>(static_cast<std::uintptr_t>(address)), &found)) {
    found = nullptr;
  }
  if (module) *module = found;
  wchar_t path[MAX_PATH] = {};
  if (!found || !GetModuleFileNameW(found, path, MAX_PATH)) return {};
  std::wstring file = path;
  return Narrow(file.substr(file.find_last_of(L"\\/") + 1));
}

StackFrame FrameResolver::Resolve(std::uint64_t address, bool returnAddress) {
  StackFrame frame;
  frame.address = address;
  const std::uint64_t inside = returnAddress && address > 0 ? address - 1 : address;
  HMODULE module = nullptr;
  frame.module = ModuleName(inside, &module);
  if (!module) return frame;
  const std::uint64_t base = reinterpret_cast<std::uintptr_t>(module);
  frame.moduleOffset = address - base;
  if (module == program_ && inside - base <= 0xFFFFFFFFu) {
    if (auto match = table_.Find(static_cast<std::uint32_t>(inside - base))) {
      frame.function = std::string(match->name);
      frame.functionOffset = match->offset + (address - inside);
    }
  }
  if (!library_) library_ = std::make_unique<SymbolLibrary>();
  library_->Describe(inside, module, frame.function.empty(), frame);
  return frame;
}

std::vector<StackFrame> FrameResolver::ResolveAll(const std::vector<std::uint64_t>& addresses, bool faultFirst) {
  std::vector<StackFrame> frames;
  frames.reserve(addresses.size());
  for (std::size_t i = 0; i < addresses.size(); ++i) frames.push_back(Resolve(addresses[i], !(faultFirst && i == 0)));
  return frames;
}

}  // namespace crash

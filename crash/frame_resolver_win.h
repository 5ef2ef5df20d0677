// Turns code addresses into stack frames: the module and the offset inside it, and the function's
// name: for our own program from the symbol table the build embedded in it, elsewhere (and where
// the table knows nothing) from the platform's symbol library, which may also know the source line.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "crash/report_text.h"
#include "crash/symbol_table.h"

namespace crash {

class SymbolLibrary;

class FrameResolver {
 public:
  FrameResolver();
  ~FrameResolver();
  FrameResolver(const FrameResolver&) = delete;
  FrameResolver& operator=(const FrameResolver&) = delete;

  // `returnAddress`: the address follows a call, so the name is looked up one byte earlier (a call
  // can be the last instruction of its function).
  StackFrame Resolve(std::uint64_t address, bool returnAddress);

  // The first frame is the instruction that raised the error when `faultFirst`, otherwise every
  // frame is a return address.
  std::vector<StackFrame> ResolveAll(const std::vector<std::uint64_t>& addresses, bool faultFirst);

  // The module that holds `address`, by file name; empty when none does.
  static std::string ModuleName(std::uint64_t address, HMODULE* module = nullptr);

 private:
  HMODULE program_;
  SymbolTable table_;
  std::unique_ptr<SymbolLibrary> library_;
};

}  // namespace crash

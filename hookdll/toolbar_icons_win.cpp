#include "hookdll/toolbar_icons_win.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "hookdll/icon_list_writer.h"

namespace hookdll {
namespace {

using DrawProc = BOOL(WINAPI*)(HIMAGELIST, int, HDC, int, int, UINT);
using IconSizeProc = BOOL(WINAPI*)(HIMAGELIST, int*, int*);

// The image list functions of the common controls library that made the toolbar. The taskbar's
// process has it loaded already; importing it would load it into every process the hook enters.
struct ImageListCalls {
  DrawProc draw = nullptr;
  IconSizeProc iconSize = nullptr;
};

// The module whose code runs the toolbar: the very library whose image lists it holds (a process
// may have two versions of it loaded).
HMODULE ToolbarModule(HWND toolbar) {
  HMODULE module = nullptr;
  const auto procedure = reinterpret_cast<LPCWSTR>(GetClassLongPtrW(toolbar, GCLP_WNDPROC));
  if (procedure != nullptr &&
      GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         procedure, &module)) {
    return module;
  }
  return GetModuleHandleW(L"comctl32.dll");
}

ImageListCalls CallsOf(HWND toolbar) {
  ImageListCalls calls;
  HMODULE module = ToolbarModule(toolbar);
  if (module == nullptr) return calls;
  calls.draw = reinterpret_cast<DrawProc>(reinterpret_cast<void*>(GetProcAddress(module, "ImageList_Draw")));
  calls.iconSize =
      reinterpret_cast<IconSizeProc>(reinterpret_cast<void*>(GetProcAddress(module, "ImageList_GetIconSize")));
  return calls;
}

// A top-down 32-bit picture selected into a memory device context, freed with the object.
class Canvas {
 public:
  Canvas(int width, int height) : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    if (dc_ != nullptr && bitmap_ != nullptr) old_ = SelectObject(dc_, bitmap_);
  }
  ~Canvas() {
    if (old_ != nullptr) SelectObject(dc_, old_);
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
    if (dc_ != nullptr) DeleteDC(dc_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  bool Ready() const { return old_ != nullptr; }
  HDC DC() const { return dc_; }
  void Fill(int stockBrush) {
    RECT all{0, 0, width_, height_};
    FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(stockBrush)));
  }
  void CopyTo(std::uint32_t* pixels) const {
    GdiFlush();
    std::memcpy(pixels, bits_, static_cast<std::size_t>(width_) * height_ * sizeof(std::uint32_t));
  }

 private:
  int width_, height_;
  HDC dc_;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  void* bits_ = nullptr;
};

}  // namespace

std::string ReadToolbarIcons(HWND toolbar, const ToolbarEntries& entries) {
  const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar, TB_GETIMAGELIST, 0, 0));
  const ImageListCalls calls = CallsOf(toolbar);
  int width = 0, height = 0;
  if (images == nullptr || calls.draw == nullptr || calls.iconSize == nullptr ||
      !calls.iconSize(images, &width, &height) || width < 1 || height < 1 ||
      width > static_cast<int>(hook::kMaxIconSide) || height > static_cast<int>(hook::kMaxIconSide)) {
    return {};
  }
  Canvas canvas(width, height);
  if (!canvas.Ready()) return {};
  std::vector<int> imageOf;
  imageOf.reserve(entries.size());
  for (const ToolbarEntry& entry : entries) imageOf.push_back(entry.record.bitmap);
  const DrawImage draw = [&](int image, std::uint32_t* onBlack, std::uint32_t* onWhite) {
    for (auto [background, pixels] : {std::pair{BLACK_BRUSH, onBlack}, std::pair{WHITE_BRUSH, onWhite}}) {
      canvas.Fill(background);
      if (!calls.draw(images, image, canvas.DC(), 0, 0, ILD_NORMAL)) return false;
      canvas.CopyTo(pixels);
    }
    return true;
  };
  return WriteIconList(imageOf, static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height), draw);
}

}  // namespace hookdll

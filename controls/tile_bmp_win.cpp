#include "controls/tile_bmp_win.h"

#include "controls/mouse_handlers_win.h"
#include "controls/tile_layout.h"
#include "controls/version_number.h"
#include "ui/strings.h"

namespace {

ui::ControlDescription WithDefaultSize(ui::ControlDescription d) {
  controls::GiveEmptySideDefaultSize(d.box.width, d.box.height);
  return d;
}

}  // namespace

TTileBmp::TTileBmp(Form& form, const ui::ControlDescription& description)
    : PaintedControl(form, WithDefaultSize(description)) {
  if (!Description().resource.empty()) {
    bitmap_.Reset(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), Widen(Description().resource).c_str(),
                                                  IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  }
}

void TTileBmp::SetBitMap(HBITMAP bitmap) {
  bitmap_.Reset(bitmap ? static_cast<HBITMAP>(CopyImage(bitmap, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)) : nullptr);
  if (!Handle()) return;
  layout::Box box = Bounds();
  controls::GiveEmptySideDefaultSize(box.width, box.height);
  SetBounds(box);
  InvalidateRect(Handle(), nullptr, FALSE);
}

std::string TTileBmp::Version() const { return controls::DottedVersion(GetVersionNumber()); }

void TTileBmp::SetVersion(const std::string& /*ignored*/) {}

std::uint32_t TTileBmp::GetVersionNumber() const { return controls::kTileBmpVersionNumber; }

SIZE TTileBmp::TileSize() const {
  BITMAP bm{};
  if (!bitmap_ || !GetObjectW(bitmap_.Get(), sizeof(bm), &bm)) return {0, 0};
  return {bm.bmWidth, bm.bmHeight};
}

void TTileBmp::Paint(HDC dc, const RECT& client) {
  SIZE tile = TileSize();
  if (controls::IsEmptyTile(tile.cx, tile.cy)) {
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    return;
  }
  UniqueMemoryDC source(CreateCompatibleDC(dc));
  ScopedSelect select(source.Get(), bitmap_.Get());
  for (const controls::TileCopy& copy : controls::PlanTiles(client.right, client.bottom, tile.cx, tile.cy)) {
    BitBlt(dc, copy.x, copy.y, copy.width, copy.height, source.Get(), 0, 0, SRCCOPY);
  }
}

LRESULT TTileBmp::HandleOwnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  FireDescribedMouseHandler(*this, message, wParam, lParam);
  return PaintedControl::HandleOwnMessage(message, wParam, lParam, handled);
}

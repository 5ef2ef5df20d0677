// TTileBmp: a banner that covers its rectangle with copies of one bitmap, laid edge to edge from
// its top-left corner. The main window's bottom bar uses one with an 8x8 tile.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "ui/control_win.h"
#include "ui/handles.h"

class TTileBmp : public PaintedControl {
 public:
  // A description without a size gets 32 x 32; its resource, if any, names the tile bitmap.
  TTileBmp(Form& form, const ui::ControlDescription& description);

  // The owned tile; null while empty.
  HBITMAP BitMap() const { return bitmap_.Get(); }
  // Copies `bitmap` (null: empties the tile), gives a side of 0 the default size and repaints.
  void SetBitMap(HBITMAP bitmap);

  // "1.1.0.0"; stored forms may carry another text, which changes nothing.
  std::string Version() const;
  void SetVersion(const std::string& ignored);
  virtual std::uint32_t GetVersionNumber() const;

 protected:
  const wchar_t* ClassName() const override { return L"TTileBmp"; }
  // Opaque: every pixel is painted here, so nothing is erased underneath.
  void Paint(HDC dc, const RECT& client) override;
  LRESULT HandleOwnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

 private:
  SIZE TileSize() const;
  UniqueBitmap bitmap_;
};

#include "ui/image_list_win.h"

#include <commctrl.h>

#include "ui/window_win.h"

ImageList::ImageList(Form* owner, int width, int height)
    : Component(owner), list_(ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 4, 4)) {
  if (!list_) ThrowLastError("ImageList_Create");
}

int ImageList::Count() const { return ImageList_GetImageCount(list_.Get()); }

int ImageList::AddIcon(HICON icon) { return ImageList_ReplaceIcon(list_.Get(), -1, icon); }

void ImageList::Clear() { ImageList_RemoveAll(list_.Get()); }

UniqueIcon ImageList::GetIcon(int index) const {
  if (index < 0 || index >= Count()) return UniqueIcon();
  return UniqueIcon(ImageList_GetIcon(list_.Get(), index, ILD_NORMAL));
}

int ImageList::AddMasked(HBITMAP strip, COLORREF key) { return ImageList_AddMasked(list_.Get(), strip, key); }

SIZE ImageList::ImageSize() const {
  int width = 0, height = 0;
  ImageList_GetIconSize(list_.Get(), &width, &height);
  return SIZE{width, height};
}

void ImageList::Draw(int index, HDC dc, int x, int y, bool enabled) const {
  if (index < 0 || index >= Count()) return;
  if (enabled) {
    ImageList_Draw(list_.Get(), index, dc, x, y, ILD_TRANSPARENT);
    return;
  }
  const SIZE size = ImageSize();
  UniqueIcon icon = GetIcon(index);
  DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon.Get()), 0, x, y, size.cx, size.cy,
             DST_ICON | DSS_DISABLED);
}

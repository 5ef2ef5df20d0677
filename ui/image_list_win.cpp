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

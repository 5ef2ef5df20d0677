// An image list component: small icons kept in a system image list, handed out as icons by index.
#pragma once

#include <windows.h>

#include "ui/component_win.h"
#include "ui/handles.h"
#include "ui/removal_notice.h"

class ImageList : public Component, public RemovalNotifier {
 public:
  // An empty list of width x height images.
  explicit ImageList(Form* owner, int width = 16, int height = 16);

  HIMAGELIST Handle() const { return list_.Get(); }
  int Count() const;
  // Adds a copy of icon; returns its index or -1.
  int AddIcon(HICON icon);
  // Adds the images of a strip of images side by side, `key` being their transparent colour;
  // returns the index of the first or -1.
  int AddMasked(HBITMAP strip, COLORREF key);
  void Clear();
  // A new icon made from the image at index; empty (null) for an index outside the list.
  UniqueIcon GetIcon(int index) const;
  // The images' size.
  SIZE ImageSize() const;
  // Draws the image at index with its transparency at (x, y); a disabled one greyed, as disabled
  // menu items and buttons show their pictures. An index outside the list draws nothing.
  void Draw(int index, HDC dc, int x, int y, bool enabled) const;

 private:
  UniqueImageList list_;
};

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
  void Clear();
  // A new icon made from the image at index; empty (null) for an index outside the list.
  UniqueIcon GetIcon(int index) const;

 private:
  UniqueImageList list_;
};

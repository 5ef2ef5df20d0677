#include "controls/control_factory_win.h"

#include "controls/tile_bmp_win.h"
#include "controls/url_label_win.h"

std::unique_ptr<Control> CreateControl(Form& form, const ui::ControlDescription& description) {
  switch (description.kind) {
    case ui::ControlKind::TileBmp:
      return std::make_unique<TTileBmp>(form, description);
    case ui::ControlKind::URLLabel:
      return std::make_unique<TAutoURLLabel>(form, description);
    default:
      return CreateStandardControl(form, description);
  }
}

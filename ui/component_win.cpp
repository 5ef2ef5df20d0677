#include "ui/component_win.h"

#include "ui/form_win.h"

Component::Component(Form* owner) : owner_(owner) {
  if (owner_) owner_->AddComponent(this);
}

Component::~Component() {
  if (owner_) owner_->RemoveComponent(this);
}

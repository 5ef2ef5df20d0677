// A non-visual part of a form (timer, tray icon, image list holder): owned by its form, told when
// the form's description has been loaded, destroyed with the form.
#pragma once

class Form;

class Component {
 public:
  // owner may be null: a component without a windowed owner.
  explicit Component(Form* owner);
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;
  virtual ~Component();

  Form* Owner() const { return owner_; }

  // Called once after the owner's description was loaded and before its creation handler runs.
  virtual void Loaded() {}

 private:
  Form* owner_;
};

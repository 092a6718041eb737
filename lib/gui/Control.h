// Retained-state controls. A control holds its own state; when a backend is attached it
// mirrors that state into a real widget (through the control's peer) and feeds user input
// back as calls on the control. Tests read the state directly.
#pragma once

#include <functional>
#include <string>

namespace gui {

class Form;
class Control;

using Handler = std::function<void()>;

// What a backend attaches to a control to mirror its state.
class Peer {
 public:
  virtual ~Peer() = default;
  virtual void Changed(Control& control) = 0;
};

enum class Align { None, Top };

struct Bounds {
  int left = 0, top = 0, width = 0, height = 0;
  friend bool operator==(const Bounds&, const Bounds&) = default;
};

class Control {
 public:
  Control(Form* owner, std::string name) : owner_(owner), name_(std::move(name)) {}
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& Name() const { return name_; }
  Form* Owner() const { return owner_; }

  const Bounds& GetBounds() const { return bounds_; }
  void SetBounds(int left, int top, int width, int height);
  int Left() const { return bounds_.left; }
  int Top() const { return bounds_.top; }
  int Width() const { return bounds_.width; }
  int Height() const { return bounds_.height; }

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  // -1: takes no part in the tab order.
  int TabOrder() const { return tabOrder_; }
  void SetTabOrder(int order) { tabOrder_ = order; }
  Align GetAlign() const { return align_; }
  void SetAlign(Align align);

  // Whether the control can hold the keyboard focus at all (labels, shapes and speed
  // buttons cannot).
  virtual bool CanFocus() const { return false; }

  Peer* GetPeer() const { return peer_; }
  void SetPeer(Peer* peer) { peer_ = peer; }

 protected:
  // Tells the backend the state changed.
  void Changed();
  // Runs an event handler inside the application's error trap.
  void Fire(const Handler& handler);

 private:
  Form* owner_;
  std::string name_;
  Bounds bounds_;
  bool visible_ = true;
  bool enabled_ = true;
  int tabOrder_ = -1;
  Align align_ = Align::None;
  Peer* peer_ = nullptr;
};

}  // namespace gui

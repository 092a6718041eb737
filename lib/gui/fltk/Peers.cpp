#include "gui/fltk/Peers.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Menu_Item.H>
#include <FL/Fl_Multiline_Output.H>
#include <FL/Fl_Progress.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <string>
#include <vector>

#include "gui/Controls.h"
#include "gui/DirectoryListBox.h"
#include "gui/DriveComboBox.h"
#include "gui/fltk/FolderList.h"
#include "gui/fltk/FormWindow.h"
#include "gui/fltk/LabelBox.h"
#include "gui/fltk/PictureBox.h"
#include "gui/fltk/ShapeBox.h"
#include "gui/fltk/Theme.h"

namespace gui::fltk {
namespace {

// What every peer does: bounds, visibility and enabled state; the rest is the kind's own.
template <class C, class W>
class WidgetPeer : public Peer {
 public:
  WidgetPeer(C& control, FormWindow& window)
      : control_(control), window_(window), widget_(new W(0, 0, 1, 1)) {
    window.add(widget_);
    window.Register(control, *widget_);
    Style(*widget_);
  }

  void Changed(Control&) final {
    // Placed first: a list scrolls its selected row into view for the size it has.
    window_.Place(control_, *widget_, Where(control_));
    Apply(control_, *widget_);
    // Through the base class: the folder list's own visible(), show() and hide() are per row.
    Fl_Widget& widget = *widget_;
    if (control_.Visible() != (widget.visible() != 0)) {
      control_.Visible() ? widget.show() : widget.hide();
      window_.redraw();
    }
    if (control_.Enabled() != (widget.active() != 0)) {
      control_.Enabled() ? widget.activate() : widget.deactivate();
    }
  }

 protected:
  virtual void Apply(C& control, W& widget) = 0;
  virtual Bounds Where(C& control) { return control.GetBounds(); }
  C& control_;
  FormWindow& window_;
  W* widget_;
};

void SetLabel(Fl_Widget& widget, const std::string& caption) {
  if (widget.label() != nullptr && caption == widget.label()) return;
  widget.copy_label(caption.c_str());
}

class LabelPeer : public WidgetPeer<Label, LabelBox> {
 public:
  using WidgetPeer::WidgetPeer;

 protected:
  void Apply(Label& label, LabelBox& box) override {
    box.SetCaption(label.Caption());
    box.labelcolor(ToFl(label.FontColour()));
    box.redraw();
  }
  Bounds Where(Label& label) override {
    Bounds bounds = label.GetBounds();
    const Size text = MeasureLine(Label::DrawnText(label.Caption()));
    if (label.AutoSize()) {
      bounds.width = text.width;
      bounds.height = text.height;
    }
    // A line of the window font is a little taller than the 12 pixels the labels are given;
    // its lower edge is drawn rather than cut off.
    bounds.height = std::max(bounds.height, text.height);
    return bounds;
  }
};

// A push button that shows the frame of the default button (the one Enter presses).
class PushButton : public Fl_Button {
 public:
  using Fl_Button::Fl_Button;
  bool isDefault = false;

 protected:
  void draw() override {
    Fl_Button::draw();
    if (!isDefault) return;
    fl_color(active_r() ? FL_BLACK : fl_inactive(FL_BLACK));
    fl_rect(x(), y(), w(), h());
  }
};

class ButtonPeer : public WidgetPeer<Button, PushButton> {
 public:
  ButtonPeer(Button& button, FormWindow& window) : WidgetPeer(button, window) {
    widget_->callback([](Fl_Widget*, void* data) { static_cast<Button*>(data)->Click(); }, &button);
  }

 protected:
  void Apply(Button& button, PushButton& widget) override {
    SetLabel(widget, button.Caption());
    widget.isDefault = button.Default();
    widget.redraw();
  }
};

class SpeedButtonPeer : public WidgetPeer<SpeedButton, Fl_Button> {
 public:
  SpeedButtonPeer(SpeedButton& button, FormWindow& window) : WidgetPeer(button, window) {
    widget_->visible_focus(0);  // never takes the focus, so no keyboard either
    widget_->callback([](Fl_Widget*, void* data) { static_cast<SpeedButton*>(data)->Click(); },
                      &button);
  }

 protected:
  void Apply(SpeedButton& button, Fl_Button& widget) override {
    SetLabel(widget, button.Caption());
  }
};

class MemoPeer : public WidgetPeer<Memo, Fl_Multiline_Output> {
 public:
  using WidgetPeer::WidgetPeer;

 protected:
  void Apply(Memo& memo, Fl_Multiline_Output& widget) override {
    std::string text;
    for (std::size_t i = 0; i < memo.Lines().size(); ++i) {
      if (i > 0) text += '\n';
      text += memo.Lines()[i];
    }
    widget.wrap(memo.WordWrap() ? 1 : 0);
    if (text != widget.value()) widget.value(text.c_str());
  }
};

class GaugePeer : public WidgetPeer<Gauge, Fl_Progress> {
 public:
  GaugePeer(Gauge& gauge, FormWindow& window) : WidgetPeer(gauge, window) {
    // A gauge a few pixels high shows no bar inside FLTK's default sunken box; a flat box
    // shows it, and the gauge has no border anyway.
    widget_->box(FL_FLAT_BOX);
    widget_->minimum(0);
    widget_->maximum(100);
  }

 protected:
  void Apply(Gauge& gauge, Fl_Progress& widget) override {
    widget.color(FaceColour());
    widget.selection_color(ToFl(gauge.ForeColour()));
    const auto percent = static_cast<float>(gauge.PercentDone());
    if (widget.value() != percent) widget.value(percent);
    if (gauge.ShowText()) {
      SetLabel(widget, std::to_string(gauge.PercentDone()) + "%");
    } else {
      widget.label(nullptr);
    }
  }
};

class ImagePeer : public WidgetPeer<Image, PictureBox> {
 public:
  using WidgetPeer::WidgetPeer;

 protected:
  void Apply(Image& image, PictureBox& widget) override { widget.SetJpeg(image.Jpeg()); }
};

class ShapePeer : public WidgetPeer<Shape, ShapeBox> {
 public:
  using WidgetPeer::WidgetPeer;

 protected:
  void Apply(Shape& shape, ShapeBox& widget) override {
    widget.SetLook(shape.Kind() == ShapeKind::RoundRect ? ShapeBox::Look::RoundRect
                                                        : ShapeBox::Look::Rectangle,
                   ToFl(shape.PenColour()), shape.Filled());
  }
};

class BevelPeer : public WidgetPeer<Bevel, ShapeBox> {
 public:
  using WidgetPeer::WidgetPeer;

 protected:
  void Apply(Bevel&, ShapeBox& widget) override {
    widget.SetLook(ShapeBox::Look::TopLine, FL_BLACK, false);
  }
};

class EditPeer : public WidgetPeer<Edit, Fl_Input> {
 public:
  EditPeer(Edit& edit, FormWindow& window) : WidgetPeer(edit, window) {
    widget_->when(FL_WHEN_CHANGED);
    widget_->callback(
        [](Fl_Widget* widget, void* data) {
          static_cast<Edit*>(data)->UserEdited(static_cast<Fl_Input*>(widget)->value());
        },
        &edit);
  }

 protected:
  void Apply(Edit& edit, Fl_Input& widget) override {
    // Only a change from the program is written back, so the caret stays where the user is.
    if (edit.Text() != widget.value()) widget.value(edit.Text().c_str());
  }
};

class FolderListPeer : public WidgetPeer<DirectoryListBox, FolderList> {
 public:
  FolderListPeer(DirectoryListBox& list, FormWindow& window) : WidgetPeer(list, window) {
    // The model rebuilds the rows inside these calls; the widget copes with that because it
    // reads nothing of its own after calling back.
    widget_->onSelect = [&list](int row) { list.Select(row); };
    widget_->onOpen = [&list](int row) { list.OpenItem(row); };
  }

 protected:
  void Apply(DirectoryListBox& list, FolderList& widget) override {
    std::vector<FolderList::Row> rows;
    rows.reserve(list.Items().size());
    for (const auto& item : list.Items()) rows.push_back({item.caption, item.level, item.open});
    widget.SetRows(std::move(rows), list.ItemIndex(), list.ItemHeight);
  }
};

class DriveBoxPeer : public WidgetPeer<DriveComboBox, Fl_Choice> {
 public:
  DriveBoxPeer(DriveComboBox& box, FormWindow& window) : WidgetPeer(box, window) {
    widget_->callback(
        [](Fl_Widget* widget, void* data) {
          static_cast<DriveComboBox*>(data)->Choose(static_cast<Fl_Choice*>(widget)->value());
        },
        &box);
  }

 protected:
  void Apply(DriveComboBox& box, Fl_Choice& widget) override {
    if (box.Items() != labels_) {
      // Items are given to FLTK as a ready menu, so "/", "&" and "_" in volume labels are
      // not read as menu syntax.
      labels_ = box.Items();
      items_.assign(labels_.size() + 1, Fl_Menu_Item{});
      for (std::size_t i = 0; i < labels_.size(); ++i) {
        items_[i].text = labels_[i].c_str();
        items_[i].labelfont_ = WindowFont();
        items_[i].labelsize_ = kFontSize;
      }
      widget.menu(items_.data());
    }
    if (box.ItemIndex() >= 0 && widget.value() != box.ItemIndex()) widget.value(box.ItemIndex());
  }

 private:
  std::vector<std::string> labels_;
  std::vector<Fl_Menu_Item> items_;
};

template <class P, class C>
std::unique_ptr<Peer> Make(Control& control, FormWindow& window) {
  auto peer = std::make_unique<P>(static_cast<C&>(control), window);
  peer->Changed(control);
  return peer;
}

}  // namespace

std::unique_ptr<Peer> MakePeer(Control& control, FormWindow& window) {
  if (dynamic_cast<Label*>(&control)) return Make<LabelPeer, Label>(control, window);
  if (dynamic_cast<Button*>(&control)) return Make<ButtonPeer, Button>(control, window);
  if (dynamic_cast<SpeedButton*>(&control))
    return Make<SpeedButtonPeer, SpeedButton>(control, window);
  if (dynamic_cast<Memo*>(&control)) return Make<MemoPeer, Memo>(control, window);
  if (dynamic_cast<Gauge*>(&control)) return Make<GaugePeer, Gauge>(control, window);
  if (dynamic_cast<Image*>(&control)) return Make<ImagePeer, Image>(control, window);
  if (dynamic_cast<Shape*>(&control)) return Make<ShapePeer, Shape>(control, window);
  if (dynamic_cast<Bevel*>(&control)) return Make<BevelPeer, Bevel>(control, window);
  if (dynamic_cast<Edit*>(&control)) return Make<EditPeer, Edit>(control, window);
  if (dynamic_cast<DirectoryListBox*>(&control))
    return Make<FolderListPeer, DirectoryListBox>(control, window);
  if (dynamic_cast<DriveComboBox*>(&control))
    return Make<DriveBoxPeer, DriveComboBox>(control, window);
  return nullptr;
}

}  // namespace gui::fltk

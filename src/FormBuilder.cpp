#include "FormBuilder.h"

#include "gui/Controls.h"
#include "gui/DirectoryListBox.h"
#include "gui/DriveComboBox.h"
#include "res/Resources.h"

namespace setup {
namespace {

using res::Kind;

gui::Control& Create(gui::Form& form, const res::ControlLayout& item) {
  const bool autoSize = (item.style & res::kAutoSize) != 0;
  switch (item.kind) {
    case Kind::Shape: {
      auto& shape = form.Add<gui::Shape>(item.name);
      if (item.style & res::kRoundRect) {
        shape.SetKind(gui::ShapeKind::RoundRect);
        shape.SetPenColour(gui::Colour::Grey);
        shape.SetFilled(false);
      }
      return shape;
    }
    case Kind::Label: {
      auto& label = form.Add<gui::Label>(item.name);
      label.SetAutoSize(autoSize);
      label.SetCaption(item.text);
      if (item.style & res::kGreyText) label.SetFontColour(gui::Colour::Grey);
      return label;
    }
    case Kind::SpeedButton: {
      auto& button = form.Add<gui::SpeedButton>(item.name);
      button.SetCaption(item.text);
      return button;
    }
    case Kind::Bevel:
      return form.Add<gui::Bevel>(item.name);
    case Kind::Image: {
      auto& image = form.Add<gui::Image>(item.name);
      image.SetJpeg(std::string(res::banner_jpg));
      return image;
    }
    case Kind::Gauge: {
      auto& gauge = form.Add<gui::Gauge>(item.name);
      gauge.SetForeColour(gui::Colour::Red);
      gauge.SetShowText(false);
      return gauge;
    }
    case Kind::Button: {
      auto& button = form.Add<gui::Button>(item.name);
      button.SetCaption(item.text);
      button.SetDefault((item.style & res::kDefault) != 0);
      button.SetCancel((item.style & res::kCancel) != 0);
      if (item.style & res::kResultOk) button.SetModalResult(gui::mrOk);
      if (item.style & res::kResultCancel) button.SetModalResult(gui::mrCancel);
      return button;
    }
    case Kind::Memo: {
      auto& memo = form.Add<gui::Memo>(item.name);
      memo.SetWordWrap(true);
      memo.SetLines({item.text});
      return memo;
    }
    case Kind::Edit: {
      auto& edit = form.Add<gui::Edit>(item.name);
      edit.SetText(item.text);
      return edit;
    }
    case Kind::DirectoryListBox:
      return form.Add<gui::DirectoryListBox>(item.name);
    case Kind::DriveComboBox:
      return form.Add<gui::DriveComboBox>(item.name);
  }
  throw std::logic_error("unknown control kind");
}

}  // namespace

gui::Form& BuildForm(gui::Form& form, const res::FormLayout& layout) {
  form.SetCaption(layout.caption);
  form.SetClientSize(layout.clientWidth, layout.clientHeight);
  form.SetBorder(layout.frame == res::Frame::Dialog ? gui::BorderStyle::Dialog
                                                    : gui::BorderStyle::Sizeable);
  for (const res::ControlLayout& item : layout.controls) {
    gui::Control& control = Create(form, item);
    control.SetBounds(item.left, item.top, item.width, item.height);
    control.SetTabOrder(item.tabOrder);
    if (item.style & res::kAlignTop) control.SetAlign(gui::Align::Top);
    if (item.style & res::kHidden) control.SetVisible(false);
    if (item.style & res::kDisabled) control.SetEnabled(false);
  }
  return form;
}

}  // namespace setup

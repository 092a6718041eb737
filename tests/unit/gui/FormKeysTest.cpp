// Keys a window handles as a whole: Enter presses the default button unless another button
// has the focus, Esc presses the cancel button.
#include <gtest/gtest.h>

#include <string>

#include "gui/Application.h"
#include "gui/Controls.h"
#include "gui/Form.h"
#include "gui/headless/HeadlessBackend.h"

namespace {

struct KeyCase {
  const char* focused;  // control name, or "" for none
  gui::Key key;
  const char* pressed;  // button expected to be pressed, or "" for none
};

class FormKeys : public testing::TestWithParam<KeyCase> {};

TEST_P(FormKeys, PressTheRightButton) {
  gui::HeadlessBackend backend;
  gui::Application app(backend);
  gui::Form& dialog = app.CreateForm<gui::Form>("Form2");
  auto& edit = dialog.Add<gui::Edit>("Edit1");
  auto& ok = dialog.Add<gui::Button>("OKBtn");
  auto& cancel = dialog.Add<gui::Button>("CancelBtn");
  ok.SetDefault(true);
  cancel.SetCancel(true);
  std::string pressed;
  ok.OnClick = [&] { pressed += "OKBtn"; };
  cancel.OnClick = [&] { pressed += "CancelBtn"; };
  (void)edit;

  const KeyCase& c = GetParam();
  dialog.SetActiveControl(*c.focused != 0 ? dialog.Find(c.focused) : nullptr);
  dialog.HandleKey(c.key);
  EXPECT_EQ(pressed, c.pressed);
}

INSTANTIATE_TEST_SUITE_P(Cases, FormKeys,
                         testing::Values(KeyCase{"", gui::Key::Enter, "OKBtn"},
                                         KeyCase{"Edit1", gui::Key::Enter, "OKBtn"},
                                         KeyCase{"OKBtn", gui::Key::Enter, "OKBtn"},
                                         KeyCase{"CancelBtn", gui::Key::Enter, "CancelBtn"},
                                         KeyCase{"Edit1", gui::Key::Escape, "CancelBtn"},
                                         KeyCase{"OKBtn", gui::Key::Escape, "CancelBtn"}));

TEST(FormKeysWithoutCancel, EscapeDoesNothing) {
  gui::HeadlessBackend backend;
  gui::Application app(backend);
  gui::Form& form = app.CreateForm<gui::Form>("Form1");
  auto& install = form.Add<gui::Button>("Button1");
  bool pressed = false;
  install.OnClick = [&] { pressed = true; };
  EXPECT_FALSE(form.HandleKey(gui::Key::Escape));
  EXPECT_FALSE(pressed);
  EXPECT_FALSE(app.QuitRequested());
}

}  // namespace

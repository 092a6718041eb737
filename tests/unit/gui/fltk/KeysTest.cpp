// Keys typed into a real window: Enter, Esc and Tab, and where the focus starts.
#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include <string>

#include "ScreenTools.h"
#include "gui/Application.h"
#include "gui/Controls.h"
#include "gui/Form.h"
#include "gui/fltk/FltkBackend.h"

namespace {

class Dialog : public gui::Form {
 public:
  Dialog(gui::Application& app, bool withCancel) : gui::Form(app, "Form2") {
    SetCaption("설치경로 변경");
    SetClientSize(435, 120);
    SetBorder(gui::BorderStyle::Dialog);
    auto& edit = Add<gui::Edit>("Edit1");
    edit.SetBounds(8, 8, 330, 21);
    edit.SetTabOrder(2);
    auto& ok = Add<gui::Button>("OKBtn");
    ok.SetBounds(351, 33, 75, 25);
    ok.SetCaption("확 인");
    ok.SetDefault(true);
    ok.SetTabOrder(0);
    ok.OnClick = [this] { pressed += "OK "; };
    if (withCancel) {
      auto& cancel = Add<gui::Button>("CancelBtn");
      cancel.SetBounds(351, 73, 75, 25);
      cancel.SetCaption("취 소");
      cancel.SetCancel(true);
      cancel.SetTabOrder(1);
      cancel.OnClick = [this] { pressed += "Cancel "; };
    }
  }
  std::string pressed;
};

// Types keys into the window with xdotool, as a user would, and lets the window handle them.
void Type(const std::string& keys) {
  const std::string id = guitest::FindWindow("SetupAssistant");
  guitest::Run("xdotool windowfocus --sync " + id + " key --delay 20 " + keys);
}

struct KeyCase {
  bool withCancel;
  const char* keys;
  const char* pressed;
};

class Keys : public testing::TestWithParam<KeyCase> {};

TEST_P(Keys, PressTheButtonTheyMean) {
  const KeyCase& c = GetParam();
  gui::FltkBackend backend;
  gui::Application app(backend);
  auto& dialog = app.CreateForm<Dialog>(c.withCancel);
  dialog.Show();
  ASSERT_TRUE(guitest::PumpUntil([] { return !guitest::FindWindow("SetupAssistant").empty(); }));
  Type(c.keys);
  // Every case ends with a key that presses something, so there is a moment to wait for.
  EXPECT_TRUE(guitest::PumpUntil([&] { return dialog.pressed == c.pressed; }))
      << "pressed: " << dialog.pressed;
  EXPECT_TRUE(backend.WindowOf(dialog)->shown());  // Esc never closes a window by itself
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Keys,
    testing::Values(KeyCase{true, "Return", "OK "}, KeyCase{true, "Escape", "Cancel "},
                    KeyCase{true, "KP_Enter", "OK "},
                    // Tab moves to Cancel (tab order 1); Enter then presses the focused button.
                    KeyCase{true, "Tab Return", "Cancel "},
                    // Tab, Tab reaches the edit box; Enter there means the default button.
                    KeyCase{true, "Tab Tab Return", "OK "},
                    KeyCase{true, "shift+Tab Return", "OK "},  // back from OK to the edit box
                    KeyCase{false, "Escape Return", "OK "}));

TEST(Focus, ModalFormStartsOnFirstInTabOrderThenReturnsToLastFocused) {
  gui::FltkBackend backend;
  gui::Application app(backend);
  auto& dialog = app.CreateForm<Dialog>(true);
  backend.ShowForm(dialog, true);
  ASSERT_TRUE(guitest::PumpUntil([] { return !guitest::FindWindow("SetupAssistant").empty(); }));
  EXPECT_EQ(Fl::focus(), backend.WidgetOf(*dialog.Find("OKBtn")));

  Type("Tab Tab");
  gui::Control* edit = dialog.Find("Edit1");
  EXPECT_TRUE(guitest::PumpUntil([&] { return dialog.ActiveControl() == edit; }));
  backend.HideForm(dialog);
  backend.ShowForm(dialog, true);
  EXPECT_EQ(Fl::focus(), backend.WidgetOf(*edit));
}

TEST(Typing, EditReportsWhatTheUserTyped) {
  gui::FltkBackend backend;
  gui::Application app(backend);
  auto& dialog = app.CreateForm<Dialog>(true);
  auto& edit = static_cast<gui::Edit&>(*dialog.Find("Edit1"));
  edit.SetText("C:\\");
  dialog.Show();
  ASSERT_TRUE(guitest::PumpUntil([] { return !guitest::FindWindow("SetupAssistant").empty(); }));
  Type("Tab Tab End x y z");
  EXPECT_TRUE(guitest::PumpUntil([&] { return edit.Text() == "C:\\xyz"; })) << edit.Text();
}

}  // namespace

// A form's window as outside tools and the window manager see it.
#include <gtest/gtest.h>

#include <FL/Fl_Widget.H>
#include <FL/Fl_Window.H>

#include "ScreenTools.h"
#include "gui/Application.h"
#include "gui/Controls.h"
#include "gui/Form.h"
#include "gui/fltk/FltkBackend.h"

namespace {

class SmallForm : public gui::Form {
 public:
  SmallForm(gui::Application& app, gui::BorderStyle border) : gui::Form(app, "Form1") {
    SetCaption("설치 도우미");
    SetClientSize(403, 284);
    SetBorder(border);
    auto& banner = Add<gui::Image>("Image1");
    banner.SetBounds(0, 0, 403, 65);
    banner.SetAlign(gui::Align::Top);
    auto& button = Add<gui::Button>("Button1");
    button.SetBounds(213, 245, 78, 27);
    button.SetCaption("설 치");
  }
};

// A form shown on the real backend, with the X window id outside tools know it by.
class Window : public testing::Test {
 protected:
  // Shows a SmallForm and waits until its window can be found by class.
  SmallForm& Show(gui::BorderStyle border) {
    auto& form = app.CreateForm<SmallForm>(border);
    form.Show();
    EXPECT_TRUE(
        guitest::PumpUntil([&] { return !(id = guitest::FindWindow("SetupAssistant")).empty(); }));
    return form;
  }

  gui::FltkBackend backend;
  gui::Application app{backend};
  std::string id;
};

TEST_F(Window, FoundByItsClassWithItsCaptionSizeAndCentred) {
  auto& form = Show(gui::BorderStyle::Sizeable);
  ASSERT_FALSE(id.empty());

  EXPECT_EQ(guitest::WindowInfo(id, "Width"), 403);
  EXPECT_EQ(guitest::WindowInfo(id, "Height"), 284);
  EXPECT_EQ(guitest::WindowInfo(id, "Absolute upper-left X"), (1024 - 403) / 2);
  EXPECT_EQ(guitest::WindowInfo(id, "Absolute upper-left Y"), (768 - 284) / 2);
  EXPECT_EQ(guitest::Run("xprop -id " + id + " _NET_WM_NAME"),
            "_NET_WM_NAME(UTF8_STRING) = \"설치 도우미\"");
  EXPECT_EQ(guitest::Run("xprop -id " + id + " WM_CLASS"),
            "WM_CLASS(STRING) = \"SetupAssistant\", \"SetupAssistant\"");
  // Sizeable: a minimum but no maximum size.
  const std::string hints = guitest::Run("xprop -id " + id + " WM_NORMAL_HINTS");
  EXPECT_NE(hints.find("minimum size"), std::string::npos) << hints;
  EXPECT_EQ(hints.find("maximum size"), std::string::npos) << hints;

  // Shown again after hiding, the window stays where it was rather than being centred.
  Fl_Window* window = backend.WindowOf(form);
  window->position(20, 30);
  form.Hide();
  form.Show();
  EXPECT_EQ(window->x(), 20);
  EXPECT_EQ(window->y(), 30);
}

TEST_F(Window, DialogHasFixedSize) {
  Show(gui::BorderStyle::Dialog);
  ASSERT_FALSE(id.empty());
  const std::string hints = guitest::Run("xprop -id " + id + " WM_NORMAL_HINTS");
  EXPECT_NE(hints.find("minimum size: 403 by 284"), std::string::npos) << hints;
  EXPECT_NE(hints.find("maximum size: 403 by 284"), std::string::npos) << hints;
}

TEST_F(Window, ResizedControlsKeepTheirPlaceAndTopRowFollowsWidth) {
  auto& form = Show(gui::BorderStyle::Sizeable);
  ASSERT_FALSE(id.empty());
  Fl_Window* window = backend.WindowOf(form);

  for (const auto& [width, height] : {std::pair{200, 150}, std::pair{600, 400}}) {
    guitest::Run("xdotool windowsize " + id + " " + std::to_string(width) + " " +
                 std::to_string(height));
    ASSERT_TRUE(guitest::PumpUntil([&] { return window->w() == width; })) << width;
    const Fl_Widget* banner = backend.WidgetOf(*form.Find("Image1"));
    const Fl_Widget* button = backend.WidgetOf(*form.Find("Button1"));
    EXPECT_EQ(banner->w(), width);
    EXPECT_EQ(banner->h(), 65);
    EXPECT_EQ(button->x(), 213);
    EXPECT_EQ(button->y(), 245);
    EXPECT_EQ(button->w(), 78);
  }
}

TEST_F(Window, CloseBoxClosesTheForm) {
  auto& form = Show(gui::BorderStyle::Sizeable);
  ASSERT_FALSE(id.empty());
  guitest::SendCloseRequest(id);
  // The main form's close asks the application to end; the window itself stays until then.
  EXPECT_TRUE(guitest::PumpUntil([&] { return app.QuitRequested(); }));
  EXPECT_TRUE(backend.WindowOf(form)->shown());
}

}  // namespace

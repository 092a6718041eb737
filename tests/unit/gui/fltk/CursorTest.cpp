// The hour-glass: over every window of the application, but not over a message box.
#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include <vector>

#include "BoxDriver.h"
#include "ScreenTools.h"
#include "gui/Application.h"
#include "gui/Form.h"
#include "gui/fltk/FltkBackend.h"

namespace {

using Pixels = std::vector<unsigned long>;

// The cursor over a point, once the screen shows the one expected (or the time is up).
Pixels CursorAt(int x, int y, const std::function<bool(const Pixels&)>& settled) {
  guitest::MovePointer(x, y);
  Pixels now;
  guitest::PumpUntil([&] { return settled(now = guitest::CursorImage()); },
                     std::chrono::seconds(2));
  return now;
}

TEST(Cursor, HourGlassOverEveryWindowButArrowOverMessageBox) {
  gui::FltkBackend backend;
  gui::Application app(backend);
  auto& main = app.CreateForm<gui::Form>("Form1");
  main.SetClientSize(403, 284);
  auto& dialog = app.CreateForm<gui::Form>("Form2");
  dialog.SetClientSize(200, 100);
  main.Show();
  dialog.Show();
  backend.WindowOf(dialog)->position(0, 0);
  ASSERT_TRUE(guitest::PumpUntil([&] { return backend.WindowOf(dialog)->x() == 0; }));
  const auto overMain = [&] {
    Fl_Window* w = backend.WindowOf(main);
    return std::pair{w->x() + w->w() / 2, w->y() + w->h() / 2};
  };

  const Pixels arrow =
      CursorAt(overMain().first, overMain().second, [](const Pixels& p) { return !p.empty(); });
  ASSERT_FALSE(arrow.empty());

  app.SetScreenCursor(gui::Cursor::HourGlass);
  const auto differs = [&](const Pixels& p) { return !p.empty() && p != arrow; };
  const Pixels busyMain = CursorAt(overMain().first, overMain().second, differs);
  EXPECT_NE(busyMain, arrow);
  const Pixels busyDialog = CursorAt(100, 50, differs);
  EXPECT_EQ(busyDialog, busyMain);

  Pixels overBox;
  guitest::BoxDriver driver([&](const std::string& id) {
    const int x = guitest::WindowInfo(id, "Absolute upper-left X");
    const int y = guitest::WindowInfo(id, "Absolute upper-left Y");
    overBox = CursorAt(x + 20, y + 10, [&](const Pixels& p) { return p == arrow; });
    guitest::Run("xdotool windowfocus --sync " + id + " key Return");
  });
  app.ShowMessage("busy");
  EXPECT_EQ(overBox, arrow);

  app.SetScreenCursor(gui::Cursor::Default);
  EXPECT_EQ(
      CursorAt(overMain().first, overMain().second, [&](const Pixels& p) { return p == arrow; }),
      arrow);
}

}  // namespace

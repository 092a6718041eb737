// What a real window draws: every kind of control, in the Korean-capable font.
#include <gtest/gtest.h>

#include <FL/Fl_Window.H>

#include <cstdlib>

#include "DemoForm.h"
#include "ScreenTools.h"
#include "TestSystem.h"
#include "gui/fltk/FltkBackend.h"
#include "gui/fltk/Theme.h"

// After the model: FLTK's drawing header brings in Xlib and its macro None.
#include <FL/fl_draw.H>

namespace {

using guitest::DemoForm;
using guitest::Rgb;

bool IsRed(Rgb p) {
  return p.r > 200 && p.g < 60 && p.b < 60;
}
bool IsFace(Rgb p) {
  return p.r == 0xF0 && p.g == 0xF0 && p.b == 0xF0;
}
bool IsDark(Rgb p) {
  return p.r < 0x90 && p.g < 0x90 && p.b < 0x90;
}

TEST(Render, WindowFontHasHangulGlyphs) {
  gui::FltkBackend backend;
  fl_font(gui::fltk::WindowFont(), gui::fltk::kFontSize);
  EXPECT_TRUE(guitest::CurrentFontHas({0xC124 /* 설 */, 0xCE58 /* 치 */, 0xB3C4 /* 도 */, 'A'}));
  // One syllable is about as wide as the font is high; a missing-glyph box would be narrower.
  EXPECT_GE(backend.MeasureText("설치").width, 18);
}

TEST(Render, EveryControlKindIsDrawn) {
  guitest::TempSystem drives;
  gui::FltkBackend backend;
  gui::Application app(backend);
  auto& form = app.CreateForm<DemoForm>(drives.System(), guitest::MakeBanner(drives.Folder()));
  form.Show();
  Fl_Window* window = backend.WindowOf(form);
  ASSERT_NE(window, nullptr);
  const int left = window->x(), top = window->y();

  // Drawing happens as events are handled; wait until the gauge shows up on screen.
  const auto file = drives.Folder() / "demo.png";
  std::unique_ptr<guitest::Screenshot> shot;
  ASSERT_TRUE(guitest::PumpUntil([&] {
    shot = std::make_unique<guitest::Screenshot>(file);
    return IsRed(shot->At(left + DemoForm::kGaugeLeft + 2, top + DemoForm::kGaugeTop + 1));
  })) << "no red bar in "
      << file;
  if (std::getenv("GUI_TEST_KEEP_SCREENSHOT") != nullptr)
    std::filesystem::copy_file(file, std::getenv("GUI_TEST_KEEP_SCREENSHOT"),
                               std::filesystem::copy_options::overwrite_existing);

  // The gauge at 50 %: the left half of its 166 pixels red on all 4 rows, the right half face.
  const int gx = left + DemoForm::kGaugeLeft, gy = top + DemoForm::kGaugeTop;
  EXPECT_EQ(shot->Count(gx, gy, 82, DemoForm::kGaugeHeight, IsRed), 82 * DemoForm::kGaugeHeight);
  EXPECT_EQ(shot->Count(gx + 84, gy, 82, DemoForm::kGaugeHeight, IsFace),
            82 * DemoForm::kGaugeHeight);
  // Hangul labels leave ink; an empty area would be face only.
  EXPECT_GT(shot->Count(left + 40, top + 107, 120, 14, IsDark), 40) << "로딩중...";
  // The fixed-size install-folder label stops at its right edge (19 + 318).
  EXPECT_GT(shot->Count(left + 19, top + 195, 318, 14, IsDark), 100);
  EXPECT_EQ(shot->Count(left + 337, top + 195, 4, 14, IsDark), 0);
  // The banner's blue, and the face beyond its 403 pixels where the top row follows the width.
  EXPECT_GT(shot->At(left + 10, top + 30).b, 0x90);
  EXPECT_TRUE(IsFace(shot->At(left + 500, top + 30)));
  // The hidden memo draws nothing; the visible edit does.
  EXPECT_TRUE(IsFace(shot->At(left + 200, top + 225)));
  EXPECT_GT(shot->Count(left + 410, top + 80, 220, 21, IsDark), 30);
}

}  // namespace

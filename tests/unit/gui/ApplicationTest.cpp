// The application's loop on the headless backend: how an end request takes effect, the error
// trap around handlers, and modal results.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "gui/Application.h"
#include "gui/Controls.h"
#include "gui/Form.h"
#include "gui/headless/HeadlessBackend.h"

namespace {

using gui::BoxKind;

class ApplicationTest : public testing::Test {
 protected:
  ApplicationTest() : app(backend) { app.Title = "설치도우미"; }

  gui::HeadlessBackend backend;
  gui::Application app;
};

TEST_F(ApplicationTest, EndRequestedInsideHandlerLetsItFinishThenEndsLoop) {
  gui::Form& form = app.CreateForm<gui::Form>("Form1");
  auto& button = form.Add<gui::Button>("Button2");
  std::vector<std::string> steps;
  button.OnClick = [&] {
    app.Terminate();
    steps.push_back(app.Terminated() ? "terminated at once" : "still running");
    app.ProcessMessages();  // the running handler pumps messages, as a download does
    steps.push_back(app.Terminated() ? "terminated after pump" : "not after pump");
  };
  backend.Post([&] { button.Click(); });
  backend.Post([&] { steps.push_back("next message handled"); });
  app.Run();
  EXPECT_EQ(steps, (std::vector<std::string>{"still running", "terminated after pump"}));
  EXPECT_TRUE(app.Terminated());
  EXPECT_FALSE(backend.ScriptEmpty());  // the loop stopped before the next message
}

TEST_F(ApplicationTest, BoxAskedForAfterEndRequestClosesAtOnce) {
  app.CreateForm<gui::Form>("Form1");
  app.Terminate();
  app.ShowMessage(" 200: 서브와 접속 할 수 없습니다.  ");
  app.ShowException("boom");
  EXPECT_TRUE(backend.boxes.empty());
  EXPECT_TRUE(app.Terminated());
}

TEST_F(ApplicationTest, ErrorLeavingHandlerShowsOneErrorBoxAndNextHandlerRuns) {
  gui::Form& form = app.CreateForm<gui::Form>("Form1");
  auto& failing = form.Add<gui::Button>("Button1");
  auto& next = form.Add<gui::Button>("Button2");
  bool afterThrow = false, nextRan = false;
  failing.OnClick = [&] {
    throw std::runtime_error("Cannot open file z.txt");
    afterThrow = true;
  };
  next.OnClick = [&] { nextRan = true; };
  backend.Post([&] { failing.Click(); });
  backend.Post([&] { next.Click(); });
  backend.Post([&] { app.Terminate(); });
  app.Run();
  ASSERT_EQ(backend.boxes.size(), 1u);
  EXPECT_EQ(backend.boxes[0].kind, BoxKind::Error);
  EXPECT_EQ(backend.boxes[0].caption, "설치도우미");
  EXPECT_EQ(backend.boxes[0].text, "Cannot open file z.txt.");
  EXPECT_FALSE(afterThrow);
  EXPECT_TRUE(nextRan);
}

TEST_F(ApplicationTest, OwnMessageHasTitleAsCaptionAndTextUnchanged) {
  app.ShowMessage("     Waiting err..    ");
  ASSERT_EQ(backend.boxes.size(), 1u);
  EXPECT_EQ(backend.boxes[0].kind, BoxKind::Message);
  EXPECT_EQ(backend.boxes[0].caption, "설치도우미");
  EXPECT_EQ(backend.boxes[0].text, "     Waiting err..    ");
}

TEST_F(ApplicationTest, ButtonWithModalResultClosesModalFormWithIt) {
  app.CreateForm<gui::Form>("Form1");
  gui::Form& dialog = app.CreateForm<gui::Form>("Form2");
  auto& ok = dialog.Add<gui::Button>("OKBtn");
  ok.SetModalResult(gui::mrOk);
  bool clicked = false;
  ok.OnClick = [&] { clicked = true; };
  backend.Post([&] { ok.Click(); });
  EXPECT_EQ(dialog.ShowModal(), gui::mrOk);
  EXPECT_TRUE(clicked);
  EXPECT_FALSE(dialog.Showing());

  // The close box means Cancel.
  backend.Post([&] { dialog.Close(); });
  EXPECT_EQ(dialog.ShowModal(), gui::mrCancel);
}

TEST_F(ApplicationTest, DisabledButtonIgnoresPress) {
  gui::Form& form = app.CreateForm<gui::Form>("Form1");
  auto& button = form.Add<gui::Button>("Button1");
  int clicks = 0;
  button.OnClick = [&] { ++clicks; };
  button.SetEnabled(false);
  button.Click();
  button.SetEnabled(true);
  button.SetVisible(false);
  button.Click();
  EXPECT_EQ(clicks, 0);
}

}  // namespace

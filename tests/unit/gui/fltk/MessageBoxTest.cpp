// The two message boxes on screen: caption, the keys that close them, copying their text.
#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Widget.H>

#include <string>

#include "BoxDriver.h"
#include "ScreenTools.h"
#include "gui/Application.h"
#include "gui/Form.h"
#include "gui/fltk/FltkBackend.h"

namespace {

struct BoxCase {
  gui::BoxKind kind;
  const char* key;
};

class MessageBoxKeys : public testing::TestWithParam<BoxCase> {};

TEST_P(MessageBoxKeys, ShowsTitleAsCaptionAndClosesOnKey) {
  gui::FltkBackend backend;
  std::string caption;
  guitest::BoxDriver driver([&](const std::string& id) {
    caption = guitest::Run("xprop -id " + id + " _NET_WM_NAME");
    guitest::Run("xdotool windowfocus --sync " + id + " key " + GetParam().key);
  });
  backend.MessageBox(GetParam().kind, "설치도우미", " 200: 서브와 접속 할 수 없습니다.  ");
  EXPECT_TRUE(driver.Acted());
  EXPECT_FALSE(driver.TimedOut()) << GetParam().key << " did not close the box";
  EXPECT_EQ(caption, "_NET_WM_NAME(UTF8_STRING) = \"설치도우미\"");
}

INSTANTIATE_TEST_SUITE_P(Cases, MessageBoxKeys,
                         testing::Values(BoxCase{gui::BoxKind::Message, "Return"},
                                         BoxCase{gui::BoxKind::Message, "Escape"},
                                         BoxCase{gui::BoxKind::Error, "Return"},
                                         BoxCase{gui::BoxKind::Error, "Escape"}));

// Takes whatever is pasted into it.
class PasteTarget : public Fl_Widget {
 public:
  PasteTarget() : Fl_Widget(0, 0, 1, 1) {}
  int handle(int event) override {
    if (event != FL_PASTE) return 0;
    text.assign(Fl::event_text(), static_cast<std::size_t>(Fl::event_length()));
    return 1;
  }
  void draw() override {}
  std::string text;
};

TEST(MessageBox, CtrlCCopiesTheText) {
  gui::FltkBackend backend;
  const std::string text = "     Waiting err..    ";
  guitest::BoxDriver driver([](const std::string& id) {
    guitest::Run("xdotool windowfocus --sync " + id + " key ctrl+c Return");
  });
  backend.MessageBox(gui::BoxKind::Message, "설치도우미", text);
  ASSERT_FALSE(driver.TimedOut());
  for (int clipboard : {0, 1}) {
    PasteTarget target;
    Fl::paste(target, clipboard);
    EXPECT_TRUE(guitest::PumpUntil([&] { return !target.text.empty(); }));
    EXPECT_EQ(target.text, text) << "selection buffer " << clipboard;
  }
}

TEST(MessageBox, OtherWindowsTakeNoInputWhileItIsOpen) {
  gui::FltkBackend backend;
  gui::Application app(backend);
  app.Title = "설치도우미";
  auto& form = app.CreateForm<gui::Form>("Form1");
  form.SetClientSize(403, 284);
  form.SetCaption("설치 도우미");
  form.Show();
  ASSERT_TRUE(guitest::PumpUntil([] { return !guitest::FindWindow("SetupAssistant").empty(); }));
  guitest::BoxDriver driver([&](const std::string& id) {
    // The close box of the form underneath is refused while the box is open.
    guitest::SendCloseRequest(guitest::FindWindow("SetupAssistant"));
    guitest::PumpUntil([] { return false; }, std::chrono::milliseconds(200));
    guitest::Run("xdotool windowfocus --sync " + id + " key Return");
  });
  app.ShowMessage("text");
  EXPECT_FALSE(driver.TimedOut());
  EXPECT_FALSE(app.QuitRequested());
}

}  // namespace

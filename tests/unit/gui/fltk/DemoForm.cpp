#include "DemoForm.h"

#include <fstream>
#include <sstream>

#include "ScreenTools.h"
#include "gui/Controls.h"
#include "gui/DirectoryListBox.h"
#include "gui/DriveComboBox.h"

namespace guitest {

std::string MakeBanner(const std::filesystem::path& folder) {
  const auto file = folder / "banner.jpg";
  Run("convert -size 403x65 gradient:'#1040A0-#A0C8F0' '" + file.string() + "'");
  std::ifstream in(file, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

DemoForm::DemoForm(gui::Application& app, os::System& system, const std::string& banner)
    : gui::Form(app, "Form1") {
  SetCaption("설치 도우미");
  SetClientSize(kWidth, kHeight);

  auto& shape = Add<gui::Shape>("Shape1");
  shape.SetBounds(12, 180, 376, 41);
  shape.SetKind(gui::ShapeKind::RoundRect);
  shape.SetPenColour(gui::Colour::Grey);
  shape.SetFilled(false);
  const char* lines[] = {"설치할 제품: 데모 제품", "버전 1.0 (2024)", "로딩중...",
                         "잠깐만 기다려주세요.....", "A && B, &Underlined"};
  for (int i = 0; i < 5; ++i) {
    auto& label = Add<gui::Label>("Label" + std::to_string(i + 1));
    label.SetAutoSize(false);
    label.SetBounds(40, 71 + 18 * i + (i == 4 ? 1 : 0), 350, 12);
    label.SetCaption(lines[i]);
  }
  auto& title = Add<gui::Label>("Label6");
  title.SetBounds(17, 175, 0, 0);
  title.SetFontColour(gui::Colour::Grey);
  title.SetCaption(" 설치경로 ");
  auto& change = Add<gui::SpeedButton>("SpeedButton1");
  change.SetBounds(342, 189, 38, 22);
  change.SetCaption("변경");
  Add<gui::Bevel>("Bevel1").SetBounds(2, 234, 396, 7);
  auto& path = Add<gui::Label>("ipath");
  path.SetAutoSize(false);
  path.SetBounds(19, 195, 318, 12);
  path.SetCaption("C:\\Program Files\\아주 긴 설치 경로\\잘려서 보여야 합니다\\끝까지");
  auto& image = Add<gui::Image>("Image1");
  image.SetBounds(0, 0, 403, 65);
  image.SetAlign(gui::Align::Top);
  image.SetJpeg(banner);
  auto& gauge = Add<gui::Gauge>("Gauge1");
  gauge.SetBounds(kGaugeLeft, kGaugeTop, kGaugeWidth, kGaugeHeight);
  gauge.SetProgress(50);
  auto& install = Add<gui::Button>("Button1");
  install.SetBounds(213, 245, 78, 27);
  install.SetCaption("설 치");
  install.SetTabOrder(0);
  install.SetDefault(true);
  auto& memo = Add<gui::Memo>("Memo1");
  memo.SetBounds(8, 216, 385, 24);
  memo.SetVisible(false);
  memo.SetTabOrder(1);
  memo.SetLines({"Memo1"});
  auto& cancel = Add<gui::Button>("Button2");
  cancel.SetBounds(309, 245, 78, 27);
  cancel.SetCaption("취 소");
  cancel.SetTabOrder(2);
  cancel.SetCancel(true);

  // The folder dialog's controls, to the right.
  auto& edit = Add<gui::Edit>("Edit1");
  edit.SetBounds(410, 80, 220, 21);
  edit.SetText("C:\\Program Files\\데모");
  edit.SetTabOrder(3);
  auto& list = Add<gui::DirectoryListBox>("DirectoryListBox1");
  list.SetBounds(410, 108, 220, 120);
  list.SetTabOrder(4);
  list.Attach(system);
  auto& drives = Add<gui::DriveComboBox>("DriveComboBox1");
  drives.SetBounds(410, 236, 220, 22);
  drives.SetTabOrder(5);
  drives.Attach(system);
  drives.SetDirList(&list);
}

}  // namespace guitest

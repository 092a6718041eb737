#include "res/Layouts.h"

namespace res {
namespace {

// clang-format off
constexpr ControlLayout kMainControls[] = {
  // name           kind                left top  width height  text                        tab  style
  {"Shape1",       Kind::Shape,        12, 180, 376, 41,  "",                             -1, kRoundRect},
  {"Label1",       Kind::Label,        40,  71, 350, 12,  "",                             -1, kPlain},
  {"Label2",       Kind::Label,        40,  89, 350, 12,  "",                             -1, kPlain},
  {"Label3",       Kind::Label,        40, 107, 350, 12,  "로딩중...",                    -1, kPlain},
  {"Label4",       Kind::Label,        40, 125, 350, 12,  "잠깐만 기다려주세요.....",     -1, kPlain},
  {"Label5",       Kind::Label,        40, 144, 350, 12,  "",                             -1, kPlain},
  {"Label6",       Kind::Label,        17, 175,   0,  0,  " 설치경로 ",                   -1, kAutoSize | kGreyText},
  {"SpeedButton1", Kind::SpeedButton, 342, 189,  38, 22,  "변경",                         -1, kDisabled},
  {"Bevel1",       Kind::Bevel,         2, 234, 396,  7,  "",                             -1, kPlain},
  {"ipath",        Kind::Label,        19, 195, 318, 12,  "",                             -1, kPlain},
  {"Image1",       Kind::Image,         0,   0, 403, 65,  "",                             -1, kAlignTop},
  {"Gauge1",       Kind::Gauge,         7, 264, 166,  4,  "",                             -1, kHidden},
  {"Button1",      Kind::Button,      213, 245,  78, 27,  "설 치",                         0, kDisabled},
  {"Memo1",        Kind::Memo,          8, 216, 385, 24,  "Memo1",                         1, kHidden},
  {"Button2",      Kind::Button,      309, 245,  78, 27,  "취 소",                         2, kDisabled},
};

constexpr ControlLayout kDialogControls[] = {
  {"Label1",            Kind::Label,             22,  24,   0,   0, "설치경로:", -1, kAutoSize},
  {"Edit1",             Kind::Edit,              18,  39, 313,  20, "c:\\",       4, kPlain},
  {"Label2",            Kind::Label,             21,  67,   0,   0, "경로선택:", -1, kAutoSize},
  {"DirectoryListBox1", Kind::DirectoryListBox,  18,  82, 313, 145, "",           2, kPlain},
  {"DriveComboBox1",    Kind::DriveComboBox,     18, 232, 312,  18, "",           3, kPlain},
  {"OKBtn",             Kind::Button,           351,  33,  75,  25, "확 인",      0, kDefault | kResultOk},
  {"CancelBtn",         Kind::Button,           351,  73,  75,  25, "취 소",      1, kCancel | kResultCancel},
};
// clang-format on

}  // namespace

const FormLayout kMainWindow{"Form1", "설치 도우미", 403, 284, Frame::Sizeable, kMainControls};
const FormLayout kFolderDialog{"Form2", "경로선택", 442, 276, Frame::Dialog, kDialogControls};

}  // namespace res

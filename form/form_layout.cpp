#include "form/form_layout.h"

#include <QLabel>
#include <QStringList>

#include <algorithm>
#include <array>

namespace tavrin {
namespace {

// The colours the window is drawn in, light grey and white with black text, role by role. The red and blue
// values were chosen against them, so the window keeps them whatever palette the desktop or Qt offers.
// clang-format off
constexpr DrawnColour kDrawnColours[] = {
  //  role                         enabled (active, inactive)    disabled
  {QPalette::WindowText,           qRgb(0, 0, 0),                qRgb(190, 190, 190)},
  {QPalette::Button,               qRgb(239, 239, 239),          qRgb(239, 239, 239)},
  {QPalette::Light,                qRgb(255, 255, 255),          qRgb(255, 255, 255)},
  {QPalette::Midlight,             qRgb(202, 202, 202),          qRgb(202, 202, 202)},
  {QPalette::Dark,                 qRgb(159, 159, 159),          qRgb(190, 190, 190)},
  {QPalette::Mid,                  qRgb(184, 184, 184),          qRgb(184, 184, 184)},
  {QPalette::Text,                 qRgb(0, 0, 0),                qRgb(190, 190, 190)},
  {QPalette::BrightText,           qRgb(255, 255, 255),          qRgb(255, 255, 255)},
  {QPalette::ButtonText,           qRgb(0, 0, 0),                qRgb(190, 190, 190)},
  {QPalette::Base,                 qRgb(255, 255, 255),          qRgb(239, 239, 239)},
  {QPalette::Window,               qRgb(239, 239, 239),          qRgb(239, 239, 239)},
  {QPalette::Shadow,               qRgb(118, 118, 118),          qRgb(177, 177, 177)},
  {QPalette::Highlight,            qRgb(48, 140, 198),           qRgb(145, 145, 145)},
  {QPalette::HighlightedText,      qRgb(255, 255, 255),          qRgb(255, 255, 255)},
  {QPalette::Link,                 qRgb(0, 0, 255),              qRgb(0, 0, 255)},
  {QPalette::LinkVisited,          qRgb(255, 0, 255),            qRgb(255, 0, 255)},
  {QPalette::AlternateBase,        qRgb(247, 247, 247),          qRgb(247, 247, 247)},
  {QPalette::ToolTipBase,          qRgb(255, 255, 220),          qRgb(255, 255, 220)},
  {QPalette::ToolTipText,          qRgb(0, 0, 0),                qRgb(0, 0, 0)},
  {QPalette::PlaceholderText,      qRgba(0, 0, 0, 128),          qRgba(0, 0, 0, 128)},
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
  {QPalette::Accent,               qRgb(48, 140, 198),           qRgb(145, 145, 145)}, // as the highlight
#endif
};
// clang-format on

// A member and its name, spelled once so the two cannot drift apart.
#define CONTROL(member) &Form1::member, #member

constexpr Look kPlain{};
constexpr Look kHeading{.face = Face::Song, .points = 26.25};
constexpr Look kValue{.face = Face::Kai, .points = 14.25, .ink = Ink::Red};
constexpr Look kFinalValue{.face = Face::Kai, .points = 15.75, .ink = Ink::Blue};
constexpr Look kFinalHeading{.face = Face::Hei, .points = 15.75, .bold = true};
constexpr Look kFinalCaption{.face = Face::Song, .points = 14.25};
constexpr bool kHidden = true;

// Row by row from the top of the window, left to right within a row.
// clang-format off
const std::array kLayout{
  ControlSpec{CONTROL(Label1),   3360,    0, 4455, 495,  0, "Tavrin", kHeading},
  ControlSpec{CONTROL(Label30),   960,  840, 1335, 255, 46, "抗震设防烈度"},
  ControlSpec{CONTROL(Combo9),   2520,  720,  975, 300, 47, &lists::seismicIntensity},
  ControlSpec{CONTROL(Label31),  4320,  720, 1215, 255, 48, "场地类别"},
  ControlSpec{CONTROL(Combo10),  5640,  720,  975, 300, 49, &lists::siteCategory},
  ControlSpec{CONTROL(Label2),    960, 1320, 1455, 255,  1, "混凝土强度等级"},
  ControlSpec{CONTROL(Combo1),   2520, 1320, 1095, 300, 11, &lists::concreteGrade},
  ControlSpec{CONTROL(Label3),   4320, 1320,  975, 255,  2, "保护层厚度"},
  ControlSpec{CONTROL(Combo2),   5640, 1320, 1095, 300, 12, &lists::coverThickness},
  ControlSpec{CONTROL(Label5),    960, 1920, 1095, 255,  4, "钢筋强度等级"},
  ControlSpec{CONTROL(Combo4),   2520, 1800, 1095, 300, 14, &lists::steelGrade},
  ControlSpec{CONTROL(Label4),   4320, 1800, 1095, 375,  3, "植筋直径"},
  ControlSpec{CONTROL(Combo3),   5640, 1800, 1095, 300, 13, &lists::barDiameter},
  ControlSpec{CONTROL(Label29),  7080, 1800, 1095, 255, 44, "箍筋直径："},
  ControlSpec{CONTROL(Combo8),   8280, 1800,  975, 300, 45, &lists::stirrupDiameter},
  ControlSpec{CONTROL(Label6),    960, 2400, 1335, 255,  5, "结构胶粘剂等级"},
  ControlSpec{CONTROL(Combo5),   2520, 2280, 1095, 300, 15, &lists::adhesiveGrade},
  ControlSpec{CONTROL(Label7),   4320, 2280, 1215, 255,  6, "植筋间距(mm)"},
  ControlSpec{CONTROL(Text1),    5640, 2280,  855, 270, 16, ""},
  ControlSpec{CONTROL(Label8),   7080, 2280, 1215, 255,  7, "植筋边距(mm)"},
  ControlSpec{CONTROL(Text2),    8280, 2280,  855, 270, 17, ""},
  ControlSpec{CONTROL(Label9),    960, 2880, 1215, 255,  8, "构件受力状态"},
  ControlSpec{CONTROL(Combo6),   2520, 2760, 1455, 300, 18, &lists::memberState},
  ControlSpec{CONTROL(Label10),  4320, 2880, 2295, 375,  9, "混凝土孔壁潮湿影响系数："},
  ControlSpec{CONTROL(Text3),    6600, 2760,  495, 270, 19, ""},
  ControlSpec{CONTROL(Label11),   960, 3480, 1455, 255, 10, "使用环境温度(℃)"},
  ControlSpec{CONTROL(Combo7),   2520, 3360, 1095, 300, 20, &lists::serviceTemperature},
  ControlSpec{CONTROL(Label12),  4320, 3360, 1215, 255, 21, "温度影响系数", kPlain, kHidden},
  ControlSpec{CONTROL(Text4),    5640, 3360,  735, 270, 22, "", kPlain, kHidden},
  ControlSpec{CONTROL(Label28),  6720, 3120, 1095, 615, 43, "请输入胶粘剂粘结强度设计值fbd:"},
  ControlSpec{CONTROL(Text5),    8160, 3240, 1215, 495, 29, "", kValue},
  ControlSpec{CONTROL(Command1), 1200, 4080, 1455, 375, 41, "计　　算"},
  ControlSpec{CONTROL(Command2), 4920, 4080, 1335, 375, 42, "返回默认值"},
  ControlSpec{CONTROL(Label13),   960, 4800, 2295, 255, 23, "构件受力状态影响系数ψbr:"},
  ControlSpec{CONTROL(Label14),  3480, 4800,  855, 255, 24, "", kValue},
  ControlSpec{CONTROL(Label15),  5640, 4800, 2655, 255, 25, "锚固长度承载力修正系数ψN:"},
  ControlSpec{CONTROL(Label16),  8280, 4800, 1095, 255, 26, "", kValue},
  ControlSpec{CONTROL(Label17),   960, 5520, 2775, 255, 27, "植筋用胶粘剂粘结强度设计值fbd:"},
  ControlSpec{CONTROL(Label18),  3960, 5400, 1095, 375, 28, "", kValue},
  ControlSpec{CONTROL(Label19),  5640, 5520, 2295, 255, 30, "混凝土劈裂影响系数aspt:"},
  ControlSpec{CONTROL(Label20),  8280, 5520,  975, 255, 31, "", kValue},
  ControlSpec{CONTROL(Label21),   960, 6360, 2415, 255, 32, " 植筋基本锚固长度ls(mm):"},
  ControlSpec{CONTROL(Label22),  3720, 6240,  855, 375, 33, "", kValue},
  ControlSpec{CONTROL(Label23),  5640, 6360, 2295, 255, 34, "植筋位移修正系数ψae:"},
  ControlSpec{CONTROL(Label24),  8280, 6240, 1095, 375, 35, "", kValue},
  ControlSpec{CONTROL(Label25),  1080, 6960, 1935, 375, 36, "计算结果：", kFinalHeading},
  ControlSpec{CONTROL(Label26),  1200, 7680, 2295, 375, 37, "植筋直径(mm)：", kFinalCaption},
  ControlSpec{CONTROL(Text6),    3360, 7560,  975, 495, 38, "", kFinalValue},
  ControlSpec{CONTROL(Label27),  4560, 7680, 2655, 255, 39, "植筋锚固长度(mm):", kFinalCaption},
  ControlSpec{CONTROL(Text7),    7200, 7560, 2295, 495, 40, "", kFinalValue},
};

// Inputs first, then the result displays.
const std::array<NamedBy, 23> kNamingLabels{{
  {&Form1::Combo1, &Form1::Label2},  {&Form1::Combo2, &Form1::Label3}, {&Form1::Combo3, &Form1::Label4},
  {&Form1::Combo4, &Form1::Label5},  {&Form1::Combo5, &Form1::Label6},      {&Form1::Text1, &Form1::Label7},
  {&Form1::Text2, &Form1::Label8},   {&Form1::Combo6, &Form1::Label9},      {&Form1::Text3, &Form1::Label10},
  {&Form1::Combo7, &Form1::Label11}, {&Form1::Text4, &Form1::Label12},
  {&Form1::Text5, &Form1::Label28},
  {&Form1::Combo8, &Form1::Label29}, {&Form1::Combo9, &Form1::Label30}, {&Form1::Combo10, &Form1::Label31},
  {&Form1::Label18, &Form1::Label17, true}, {&Form1::Label14, &Form1::Label13, true},
  {&Form1::Label16, &Form1::Label15, true},      {&Form1::Label20, &Form1::Label19, true},
  {&Form1::Label22, &Form1::Label21, true},      {&Form1::Label24, &Form1::Label23, true},
  {&Form1::Text6, &Form1::Label26, true},        {&Form1::Text7, &Form1::Label27, true},
}};
// clang-format on

#undef CONTROL

int pixels(int twips) {
  return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

} // namespace

std::span<const ControlSpec> formLayout() {
  return kLayout;
}

std::span<const NamedBy> namingLabels() {
  return kNamingLabels;
}

QWidget *widgetOf(const Form1 &form, const ControlMember &member) {
  return std::visit([&form](auto pointer) -> QWidget * { return form.*pointer; }, member);
}

QRect pixelRect(const ControlSpec &spec) {
  return {pixels(spec.left), pixels(spec.top), pixels(spec.width), pixels(spec.height)};
}

void setWorking(QWidget &display, const QString &working) {
  display.setToolTip(working);
  display.setAccessibleDescription(working);
}

QString workingOn(const QWidget &display) {
  return display.accessibleDescription();
}

void showInFull(QLabel &label, const QString &value) {
  label.setText(value);
  const int needed = label.fontMetrics().horizontalAdvance(value) + 2 * label.margin() + 2;
  label.resize(std::max(label.minimumWidth(), needed), label.height());
}

QFont fontFor(const Look &look) {
  return faceFont(look.face, look.points, look.bold);
}

QColor inkColour(Ink ink) {
  switch (ink) {
  case Ink::Red:
    return {255, 0, 0};
  case Ink::Blue:
    return {0, 0, 255};
  case Ink::System:
    break;
  }
  return {};
}

std::span<const DrawnColour> drawnColours() {
  return kDrawnColours;
}

QPalette drawnPalette() {
  QPalette palette;
  for (const DrawnColour &colour : kDrawnColours) {
    palette.setColor(QPalette::Active, colour.role, QColor::fromRgba(colour.enabled));
    palette.setColor(QPalette::Inactive, colour.role, QColor::fromRgba(colour.enabled));
    palette.setColor(QPalette::Disabled, colour.role, QColor::fromRgba(colour.disabled));
  }
  palette.setResolveMask(~QPalette::ResolveMask{}); // no role, stated or not, follows the desktop
  return palette;
}

} // namespace tavrin

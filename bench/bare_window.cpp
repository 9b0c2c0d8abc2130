// The floor of the start-up comparison: what Qt alone costs for a window of the program's size with one
// label that shows a sample in each font the window draws with. The fonts are named as installed (the
// Song, Kai and Hei faces of the Debian font packages), so the floor pays for opening, hinting and
// shaping the same faces at the same sizes, but not for any lookups the window makes on the way to them.
#include <QApplication>
#include <QLabel>
#include <QWidget>

namespace {

constexpr int kClientWidth = 722; // pixels, the window's client area
constexpr int kClientHeight = 561;

struct Sample {
  const char *family;
  double points;
  bool bold;
  const char *text; // the scripts the window's captions mix: Han, Latin, Greek and full-width signs
};

const Sample kSamples[] = {
    {"AR PL UMing CN", 9, false, "构件受力状态影响系数ψbr:"},
    {"AR PL UMing CN", 26.25, false, "Tavrin"},
    {"AR PL UMing CN", 14.25, false, "植筋直径(mm)："},
    {"AR PL UKai CN", 14.25, false, "355.5555"},
    {"AR PL UKai CN", 15.75, false, "430.2222"},
    {"WenQuanYi Zen Hei", 15.75, true, "计算结果："},
};

QString span(const Sample &sample) {
  return QStringLiteral("<span style=\"font-family:'%1'; font-size:%2pt; font-weight:%3\">%4</span> ")
      .arg(QString::fromUtf8(sample.family))
      .arg(sample.points)
      .arg(sample.bold ? 700 : 400)
      .arg(QString::fromUtf8(sample.text));
}

} // namespace

int main(int argc, char *argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Tavrin"));
  window.setFont(QFont(QString::fromUtf8(kSamples[0].family), 9));
  window.resize(kClientWidth, kClientHeight);
  QLabel label(&window);
  QString text;
  for (const Sample &sample : kSamples) {
    text += span(sample);
  }
  label.setText(text);
  label.move(64, 0);
  label.adjustSize();
  window.show();
  return QApplication::exec();
}

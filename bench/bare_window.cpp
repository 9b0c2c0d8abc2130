// The floor of the start-up comparison: what Qt alone costs for a window of the program's size with one
// label that shows a sample in each of the program's fonts, so the font work the window cannot avoid is
// paid here too.
#include "form/form_layout.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

namespace {

using tavrin::Face;
using tavrin::Look;

struct Sample {
  Look look;
  const char *text;
};

// One sample in each font the window uses: face, size and weight as its captions and displays have them.
const Sample kSamples[] = {
    {Look{.face = Face::Song, .points = 9}, "混凝土强度等级"},
    {Look{.face = Face::Song, .points = 26.25}, "Tavrin"},
    {Look{.face = Face::Song, .points = 14.25}, "植筋直径(mm)："},
    {Look{.face = Face::Kai, .points = 14.25}, "355.5555"},
    {Look{.face = Face::Kai, .points = 15.75}, "430.2222"},
    {Look{.face = Face::Hei, .points = 15.75, .bold = true}, "计算结果："},
};

QString span(const Sample &sample) {
  const QFont font = tavrin::fontFor(sample.look);
  QStringList families;
  for (const QString &family : font.families()) {
    families << QLatin1Char('\'') + family + QLatin1Char('\'');
  }
  return QStringLiteral("<span style=\"font-family:%1; font-size:%2pt; font-weight:%3\">%4</span> ")
      .arg(families.join(QLatin1Char(',')))
      .arg(font.pointSizeF())
      .arg(font.bold() ? 700 : 400)
      .arg(QString::fromUtf8(sample.text));
}

} // namespace

int main(int argc, char *argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Tavrin"));
  window.setFont(tavrin::fontFor(Look{}));
  window.resize(tavrin::kClientWidthTwips / tavrin::kTwipsPerPixel,
                tavrin::kClientHeightTwips / tavrin::kTwipsPerPixel);
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

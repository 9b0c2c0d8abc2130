#include "form/faces.h"

#include <QFontDatabase>

#include <algorithm>
#include <map>

namespace tavrin {

// Each face as drawn first; then, for Kai, the name modern Windows gives it (Windows 10 and 11 ship KaiTi
// and no longer KaiTi_GB2312); last the Debian face of the same style.
QStringList familiesOf(Face face) {
  switch (face) {
  case Face::Hei:
    return {QStringLiteral("SimHei"), QStringLiteral("黑体"), QStringLiteral("WenQuanYi Zen Hei")};
  case Face::Kai:
    return {QStringLiteral("KaiTi_GB2312"), QStringLiteral("楷体_GB2312"), QStringLiteral("KaiTi"),
            QStringLiteral("楷体"), QStringLiteral("AR PL UKai CN")};
  case Face::Song:
    break;
  }
  return {QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("AR PL UMing CN")};
}

QStringList fromFirstInstalled(const QStringList &families) {
  // Names as installed, not QFontDatabase::hasFamily: that runs fontconfig's substitution rules on each
  // name first, which is slow and may map an absent face onto some installed one.
  return fromFirstInstalled(families, QFontDatabase::families());
}

QStringList fromFirstInstalled(const QStringList &families, const QStringList &installed) {
  const auto first = std::ranges::find_if(families, [&installed](const QString &family) {
    return installed.contains(family, Qt::CaseInsensitive);
  });
  return first == families.cend() ? families : QStringList(first, families.cend());
}

// Resolved once for the life of the program: every control asks for one of these three lists.
QFont faceFont(Face face, double points, bool bold) {
  static const std::map<Face, QStringList> kInstalledFamilies = [] {
    std::map<Face, QStringList> lists;
    for (const Face face : {Face::Song, Face::Hei, Face::Kai}) {
      lists[face] = fromFirstInstalled(familiesOf(face));
    }
    return lists;
  }();
  QFont font;
  font.setFamilies(kInstalledFamilies.at(face));
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

QFont windowFont() {
  return faceFont(Face::Song, 9);
}

} // namespace tavrin

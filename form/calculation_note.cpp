#include "form/calculation_note.h"

#include <QStringList>

namespace tavrin {
namespace {

constexpr QStringView kTitle = u"Tavrin 植筋计算书";
constexpr QStringView kInputsHeading = u"输入：";
constexpr QStringView kResultsHeading = u"计算结果：";
constexpr QStringView kWorkingIndent = u"\u3000\u3000";

// A caption that ends in a full-width colon needs no blank before its value.
QString captionAndValue(const NoteItem &item) {
  return item.caption + (item.caption.endsWith(u'：') ? QString() : QStringLiteral(" ")) + item.value;
}

QString cell(const QString &text, const char *tag = "td") {
  const QString name = QString::fromLatin1(tag);
  return '<' + name + '>' + text.toHtmlEscaped().replace('\n', QStringLiteral("<br>")) + "</" + name + '>';
}

QString htmlTable(const QStringList &headings, const std::vector<NoteItem> &items, bool withWorking) {
  QString rows;
  for (const QString &heading : headings) {
    rows += cell(heading, "th");
  }
  rows = "<tr>" + rows + "</tr>";
  for (const NoteItem &item : items) {
    rows += "<tr>" + cell(item.caption) + cell(item.value) + (withWorking ? cell(item.working) : QString()) +
            "</tr>";
  }
  return R"(<table border="1" cellspacing="0" cellpadding="4">)" + rows + "</table>";
}

} // namespace

QString noteText(const CalculationNote &note) {
  QStringList lines{kTitle.toString(), QString(), kInputsHeading.toString()};
  for (const NoteItem &item : note.inputs) {
    lines << captionAndValue(item);
  }
  lines << QString() << kResultsHeading.toString();
  for (const NoteItem &item : note.results) {
    lines << captionAndValue(item);
    for (const QString &line : item.working.split('\n')) {
      lines << kWorkingIndent.toString() + line;
    }
  }
  return lines.join('\n') + '\n';
}

QString noteHtml(const CalculationNote &note) {
  return R"(<html><head><meta charset="utf-8"></head><body><p><b>)" + kTitle.toString().toHtmlEscaped() +
         "</b></p>" + htmlTable({QStringLiteral("输入"), QStringLiteral("数值")}, note.inputs, false) +
         "<p></p>" +
         htmlTable({QStringLiteral("计算结果"), QStringLiteral("数值"), QStringLiteral("计算过程")},
                   note.results, true) +
         "</body></html>";
}

} // namespace tavrin

#include "form/calculation_note.h"

#include <QStringList>

namespace tavrin {
namespace {

constexpr QStringView kIndent = u"\u3000\u3000";

QString title() {
  return QStringLiteral("Tavrin " TAVRIN_VERSION " 植筋计算书");
}

QStringList basis() {
  return {QStringLiteral(
              "GB 50367-2013《混凝土结构加固设计规范》第15章 植筋技术：适用条件按第15.1.1、15.1.2、15.1.5、"
              "15.1.6条检查，按构造要求植筋的最小锚固长度按第15.3.1条。"),
          QStringLiteral("植筋基本锚固长度 ls = 0.2 × αspt × d × fy / fbd，植筋锚固长度 ld = ψN × ψae × ls；"
                         "fbd、αspt、ψae 等表值为本程序所列，应按现行规范版本核对。")};
}

QStringList signatures() {
  return {QStringLiteral("计算："), QStringLiteral("校对："), QStringLiteral("审核：")};
}

QString line(const NoteItem &item) {
  return item.caption + u'：' + item.value;
}

QString html(const QString &text) {
  return text.toHtmlEscaped().replace('\n', QStringLiteral("<br>"));
}

QString cell(const QString &text, const char *tag = "td") {
  const QString name = QString::fromLatin1(tag);
  return '<' + name + '>' + html(text) + "</" + name + '>';
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

QString paragraphs(const QStringList &lines) {
  QString text;
  for (const QString &line : lines) {
    text += "<p>" + html(line) + "</p>";
  }
  return text;
}

QString heading(const QString &text) {
  return "<p><b>" + html(text) + "</b></p>";
}

QStringList noticeLines(const CalculationNote &note) {
  return note.notices.isEmpty() ? QStringList{QStringLiteral("无")} : note.notices;
}

} // namespace

QString noteText(const CalculationNote &note) {
  QStringList lines{title(), QStringLiteral("日期：") + note.date, QString(), QStringLiteral("计算依据：")};
  for (const QString &basisLine : basis()) {
    lines << kIndent.toString() + basisLine;
  }
  lines << QString() << QStringLiteral("输入：");
  for (const NoteItem &item : note.inputs) {
    lines << line(item);
  }
  lines << QString() << QStringLiteral("计算结果：");
  for (const NoteItem &item : note.results) {
    lines << line(item);
    for (const QString &working : item.working.split('\n')) {
      lines << kIndent.toString() + working;
    }
  }
  lines << QString() << note.minimumLengthHeading + u'：' << note.minimumLengths;
  lines << QString() << QStringLiteral("规范提示：") << noticeLines(note);
  lines << QString() << note.conclusion << QString() << signatures();
  return lines.join('\n') + '\n';
}

QString noteHtml(const CalculationNote &note) {
  return R"(<html><head><meta charset="utf-8"></head><body>)" + heading(title()) +
         paragraphs({QStringLiteral("日期：") + note.date}) + heading(QStringLiteral("计算依据：")) +
         paragraphs(basis()) + heading(QStringLiteral("输入：")) +
         htmlTable({QStringLiteral("输入"), QStringLiteral("数值")}, note.inputs, false) +
         heading(QStringLiteral("计算结果：")) +
         htmlTable({QStringLiteral("计算结果"), QStringLiteral("数值"), QStringLiteral("计算过程")},
                   note.results, true) +
         heading(note.minimumLengthHeading + u'：') + paragraphs(note.minimumLengths) +
         heading(QStringLiteral("规范提示：")) + paragraphs(noticeLines(note)) +
         paragraphs({note.conclusion}) + paragraphs(signatures()) + "</body></html>";
}

} // namespace tavrin

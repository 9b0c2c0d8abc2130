#include "form/note_pages.h"

#include "form/faces.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QStringList>
#include <QTextDocument>

#include <memory>
#include <vector>

namespace tavrin {
namespace {

constexpr QStringView kIndent = u"\u3000\u3000";
constexpr double kNotePoints = 10.5; // 五号, the size of a printed calculation note
constexpr int kPdfResolution = 300;  // dots per inch

QString q(const std::string &text) {
  return QString::fromStdString(text);
}

QString html(const std::string &text) {
  return q(text).toHtmlEscaped().replace('\n', QStringLiteral("<br>"));
}

QStringList textRow(const NoteTable &table, const std::vector<std::string> &row) {
  if (table.labelled) { // "植筋直径 d（mm） 16（本次）：ls（mm） 355.5555，…", cells without a value left out
    QStringList labelled;
    for (std::size_t i = 1; i < row.size(); ++i) {
      if (row.at(i) != notWorkedOut) {
        labelled << q(table.headings.at(i)) + u' ' + q(row.at(i));
      }
    }
    return {q(table.headings.at(0)) + u' ' + q(row.at(0)) + u'：' + labelled.join(u'，')};
  }
  QStringList lines{q(row.at(0)) + u'：' + q(row.at(1))};
  for (std::size_t i = 2; i < row.size(); ++i) {
    for (const QString &line : q(row.at(i)).split('\n')) {
      lines << kIndent.toString() + line;
    }
  }
  return lines;
}

// A table as wide as the page, its columns in set shares, so that a word processor wraps every cell inside
// the margins instead of widening the table past them.
QString htmlTable(const NoteTable &table) {
  QString columns;
  QString heads;
  for (std::size_t i = 0; i < table.headings.size(); ++i) {
    const QString width = QStringLiteral(" width=\"%1%\"").arg(table.shares.at(i));
    columns += "<col" + width + '>';
    heads += "<th" + width + '>' + html(table.headings.at(i)) + "</th>";
  }
  QString rows = "<tr>" + heads + "</tr>";
  for (const std::vector<std::string> &row : table.rows) {
    rows += "<tr>";
    for (const std::string &cell : row) {
      rows += "<td>" + html(cell) + "</td>";
    }
    rows += "</tr>";
  }
  return R"(<table width="100%" border="1" cellspacing="0" cellpadding="3" style="width:100%;table-layout:fixed">)" +
         columns + rows + "</table>";
}

QFont noteFont() {
  QFont font = windowFont();
  font.setPointSizeF(kNotePoints);
  return font;
}

} // namespace

QPageLayout notePageLayout() {
  return {QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 15, 20, 15),
          QPageLayout::Millimeter};
}

QString noteText(const CalculationNote &note) {
  QStringList lines{q(note.title)};
  for (const NoteSection &section : note.sections) {
    lines << QString();
    if (!section.heading.empty()) {
      lines << q(section.heading) + u'：';
    }
    for (const std::string &paragraph : section.paragraphs) {
      lines << q(paragraph);
    }
    if (section.table) {
      for (const std::vector<std::string> &row : section.table->rows) {
        lines << textRow(*section.table, row);
      }
    }
  }
  return lines.join('\n') + '\n';
}

QString noteHtml(const CalculationNote &note) {
  QString body = "<p><b>" + html(note.title) + "</b></p>";
  for (const NoteSection &section : note.sections) {
    if (!section.heading.empty()) {
      body += "<p><b>" + html(section.heading) + "</b></p>";
    }
    for (const std::string &paragraph : section.paragraphs) {
      body += "<p>" + html(paragraph) + "</p>";
    }
    if (section.table) {
      body += htmlTable(*section.table);
    }
  }
  return R"(<html><head><meta charset="utf-8"></head><body>)" + body + "</body></html>";
}

namespace {

// A part laid out on pages of the device's body: the text below the running head and above the foot.
struct LaidOutPart {
  std::unique_ptr<QTextDocument> document;
  QString runningHead;
  int pages = 0;
};

LaidOutPart layOut(const NotePart &part, QPagedPaintDevice &device, const QSizeF &body) {
  auto document = std::make_unique<QTextDocument>();
  document->documentLayout()->setPaintDevice(&device); // measured in the device's own dots
  document->setDefaultFont(noteFont());
  document->setHtml(noteHtml(*part.note));
  document->setPageSize(body);
  const int pages = document->pageCount();
  return {std::move(document), part.runningHead, pages};
}

} // namespace

void paintNotes(std::span<const NotePart> parts, QPagedPaintDevice &device) {
  const QRectF page(QPointF(0, 0), device.pageLayout().paintRectPixels(device.logicalDpiX()).size());
  const qreal band = QFontMetricsF(noteFont(), &device).height() * 2; // head and foot
  const QRectF body = page.adjusted(0, band, 0, -band);
  std::vector<LaidOutPart> laidOut;
  int total = 0;
  for (const NotePart &part : parts) {
    laidOut.push_back(layOut(part, device, body.size()));
    total += laidOut.back().pages;
  }

  QPainter painter(&device);
  painter.setFont(noteFont());
  int number = 0;
  for (const LaidOutPart &part : laidOut) {
    for (int index = 0; index < part.pages; ++index) {
      if (number++ > 0) {
        device.newPage();
      }
      painter.drawText(QRectF(0, 0, page.width(), band), Qt::AlignLeft | Qt::AlignTop, part.runningHead);
      painter.drawText(QRectF(0, page.height() - band, page.width(), band),
                       Qt::AlignHCenter | Qt::AlignBottom,
                       QStringLiteral("第 %1 页 共 %2 页").arg(number).arg(total));
      painter.save();
      const QRectF shown(0, index * body.height(), body.width(), body.height());
      painter.translate(body.left(), body.top() - shown.top());
      painter.setClipRect(shown);
      QAbstractTextDocumentLayout::PaintContext context;
      context.clip = shown;
      part.document->documentLayout()->draw(&painter, context);
      painter.restore();
    }
  }
}

void paintNote(const CalculationNote &note, const QString &runningHead, QPagedPaintDevice &device) {
  const NotePart part{&note, runningHead};
  paintNotes({&part, 1}, device);
}

QString writeNotesPdf(std::span<const NotePart> parts, const QString &title, const QString &path) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    return file.errorString();
  }
  {
    QPdfWriter pdf(&file); // one writer for the whole document, so that each font is embedded once
    pdf.setTitle(title);
    pdf.setCreator(QStringLiteral("Tavrin " TAVRIN_VERSION));
    pdf.setResolution(kPdfResolution);
    pdf.setPageLayout(notePageLayout());
    paintNotes(parts, pdf);
  }
  if (file.error() != QFileDevice::NoError || !file.commit()) {
    return file.errorString();
  }
  return {};
}

QString writeNotePdf(const CalculationNote &note, const QString &runningHead, const QString &path) {
  const NotePart part{&note, runningHead};
  return writeNotesPdf({&part, 1}, q(note.title), path);
}

} // namespace tavrin

#pragma once

#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace tavrin::test {

// The text of a saved note as a checker's tools read it (pdftotext). The Windows suite runs under Wine, where
// no Unix tool can be started: there the file is only checked to be a whole PDF, and scripts/test-windows
// reads the text of a note the installed program saves.
inline QString pdfText(const QString &path) {
#ifdef Q_OS_WIN
  QFile pdf(path);
  EXPECT_TRUE(pdf.open(QIODevice::ReadOnly)) << path.toStdString();
  const QByteArray bytes = pdf.readAll();
  EXPECT_TRUE(bytes.startsWith("%PDF-") && bytes.trimmed().endsWith("%%EOF")) << path.toStdString();
  return {};
#else
  QProcess reader;
  reader.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, "-"});
  EXPECT_TRUE(reader.waitForFinished(30000)) << "pdftotext (Debian's poppler-utils)";
  return QString::fromUtf8(reader.readAllStandardOutput());
#endif
}

// Each part is in the PDF's text (where it can be read).
inline void expectNoteInPdf(const QString &path, const QStringList &parts) {
  const QString pages = pdfText(path);
#ifndef Q_OS_WIN
  for (const QString &part : parts) {
    EXPECT_TRUE(pages.contains(part)) << part.toStdString() << " in " << path.toStdString();
  }
#else
  (void)pages, (void)parts;
#endif
}

} // namespace tavrin::test

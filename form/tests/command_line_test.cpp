// The program run from the command line as a script runs it: each export outcome, its exit status, its one
// line on standard error, what it leaves at OUT, and nothing written to the user's settings or data folders.
#include "form/tests/pdf_text.h"
#include "project/project.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tavrin::test {
namespace {

QByteArray bytesOf(const QString &path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

// A clean position, one with B级胶 for a 25 mm bar, which the design code does not allow, and one refused
// by its spacing.
project::Project threePositions() {
  project::Project project{QStringLiteral("某办公楼加固"), {}};
  InputState notice = defaultInputState();
  notice.barDiameter = 9, notice.adhesiveGrade = 1, notice.barSpacing = "150", notice.edgeDistance = "80";
  InputState refused = defaultInputState();
  refused.barSpacing = "50";
  project.positions = {{QStringLiteral("一层柱 KZ1"), defaultInputState(), {}},
                       {QStringLiteral("屋面梁 WKL2"), notice, {}},
                       {QStringLiteral("楼梯平台 PTB"), refused, {}}};
  return project;
}

enum class Leaves { Pdf, Csv, Unchanged };

TEST(CommandLine, ExportsOrSaysWhyInOneLine) {
  const QTemporaryDir folder;
  const QString project = folder.filePath("三部位.tavrin");
  ASSERT_EQ(project::writeProjectFile(threePositions(), project), QString());
  const QString cut = folder.filePath("cut.tavrin");
  {
    QFile file(cut);
    file.open(QIODevice::WriteOnly), file.write(bytesOf(project).left(200));
  }
  const QString out = folder.filePath("出/out");
  ASSERT_TRUE(QDir().mkpath(folder.filePath("出")));
  const QString missing = folder.filePath("no such folder/out.pdf");

  const struct {
    const char *what;
    QStringList arguments;
    int status;
    QString said; // in the one line on standard error
    Leaves leaves;
  } cases[] = {
      {"PDF", {"--export-pdf", out, project}, 0, {}, Leaves::Pdf},
      {"CSV", {"--export-csv", out, project}, 0, {}, Leaves::Csv},
      {"bad file",
       {"--export-pdf", out, cut},
       1,
       "无法打开工程文件“" + QDir::toNativeSeparators(cut),
       Leaves::Unchanged},
      {"bad option", {"--export-pdf", out}, 2, "选项有误", Leaves::Unchanged},
      {"write failure",
       {"--export-csv", missing, project},
       1,
       "无法保存植筋深度表“" + QDir::toNativeSeparators(missing),
       Leaves::Unchanged},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    {
      QFile earlier(out);
      ASSERT_TRUE(earlier.open(QIODevice::WriteOnly) && earlier.write("earlier") == 7);
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));  // the program picks its platform itself
    environment.insert(QStringLiteral("DISPLAY"), ":9999"); // and needs no display, even a broken one
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), folder.filePath("config"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), folder.filePath("data"));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(TAVRIN_PROGRAM), c.arguments);
    ASSERT_TRUE(program.waitForFinished(60000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), c.status);
    const QString said = QString::fromUtf8(program.readAllStandardError());
    EXPECT_EQ(said.count('\n'), c.status == 0 ? 0 : 1) << said.toStdString();
    EXPECT_TRUE(c.status == 0 ? said.isEmpty() : said.startsWith("tavrin: " + c.said)) << said.toStdString();
    const QByteArray left = bytesOf(out);
    switch (c.leaves) {
    case Leaves::Pdf:
      expectNoteInPdf(out, {"植筋锚固深度汇总表", "不得用于施工图", "部位：楼梯平台 PTB", "第 1 页 共 "});
      break;
    case Leaves::Csv:
      EXPECT_TRUE(left.startsWith("\xEF\xBB\xBF序号,部位,"));
      EXPECT_EQ(left.count("\r\n"), 4);
      EXPECT_TRUE(left.endsWith(
          "3,楼梯平台 PTB,C25,HRB335,16,A级胶,—,—,—,未能计算：植筋间距不能小于植筋直径的5倍\r\n"));
      break;
    case Leaves::Unchanged:
      EXPECT_EQ(left, "earlier");
      break;
    }
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_EQ(QDir(folder.filePath("出")).entryList(QDir::Files | QDir::Hidden).size(), 1)
        << "nothing beside OUT";
    EXPECT_FALSE(QFile::exists(folder.filePath("config")) || QFile::exists(folder.filePath("data")))
        << "no setting, lock or recovery file";
  }
}

} // namespace
} // namespace tavrin::test

int main(int argc, char *argv[]) {
  const QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

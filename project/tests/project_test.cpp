#include "project/project.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

// Readable failures.
void PrintTo(const QString &text, std::ostream *out) {
  *out << '"' << text.toStdString() << '"';
}

namespace tavrin::project {

// A readable failure: the project as its file.
void PrintTo(const Project &project, std::ostream *out) {
  *out << projectFileBytes(project).toStdString();
}

namespace {

Position position(const QString &name, const std::function<void(InputState &)> &edit, bool calculated) {
  InputState inputs = defaultInputState();
  edit(inputs);
  return {name, inputs, calculated ? std::optional(outcomeOf(inputs)) : std::nullopt};
}

// A job of four positions: one calculated as the window opens, one with notices and both optional entries
// asked for, a refused one under a repeated name, and one never calculated that keeps hidden entries' texts.
Project sampleProject() {
  return {QStringLiteral("某办公楼加固"),
          {position(
               "柱顶", [](InputState &) {}, true),
           position(
               "梁端",
               [](InputState &in) {
                 in.concreteGrade = lists::gradeC20;
                 in.memberState = lists::cantilever;
                 in.steelGrade = lists::plainBarsHPB235;
                 in.userBondStrength = "3.5";
                 in.serviceTemperature = lists::above60Celsius;
                 in.temperatureFactor = "1.2";
               },
               true),
           position(
               "梁端", [](InputState &in) { in.barSpacing = "60"; }, true),
           position(
               "板边 ≥C60",
               [](InputState &in) {
                 in.concreteGrade = lists::gradeC60OrAbove;
                 in.seismicIntensity = lists::intensity8OrMore;
                 in.temperatureFactor = "0.8";
                 in.userBondStrength = "１，５ mm";
               },
               false)}};
}

// The sample's file with its JSON edited: the whole, one position (the first unless told) and its inputs.
using Edit = std::function<void(QJsonObject &root, QJsonObject &position, QJsonObject &inputs)>;
QByteArray sampleEdited(const Edit &edit, int index = 0) {
  QJsonObject root = QJsonDocument::fromJson(projectFileBytes(sampleProject())).object();
  QJsonArray positions = root["positions"].toArray();
  QJsonObject position = positions[index].toObject();
  QJsonObject inputs = position["inputs"].toObject();
  edit(root, position, inputs);
  position["inputs"] = inputs;
  positions[index] = position;
  root["positions"] = positions;
  return QJsonDocument(root).toJson();
}

QByteArray withInput(int index, const QString &key, const QJsonValue &value) {
  return sampleEdited(
      [&](QJsonObject &, QJsonObject &, QJsonObject &inputs) {
        value.isUndefined() ? inputs.remove(key) : static_cast<void>(inputs.insert(key, value));
      },
      index);
}

const QByteArray sampleFile = projectFileBytes(sampleProject());

TEST(ProjectOutcome, SaysWhatTheRunShowed) {
  const Project sample = sampleProject();
  EXPECT_EQ(*sample.positions[0].saved, (RunOutcome{"430.2222", "440", {}, {}}));
  EXPECT_EQ(sample.positions[1].saved->notices, (QStringList{"15.1.1", "15.1.2", "15.1.6", "本程序"}));
  EXPECT_EQ(sample.positions[2].saved->refusal, QStringLiteral("植筋间距不能小于植筋直径的5倍"));
  EXPECT_TRUE(sample.positions[2].saved->ld.isEmpty());
}

TEST(ProjectFile, ReadsBackWhatItWrites) {
  Project blanked = sampleProject();
  blanked.positions[0].name = QStringLiteral("柱 顶  ");
  blanked.positions[0].inputs.edgeDistance = "5 0";
  const struct {
    const char *what;
    QByteArray file;
    Project expected;
  } cases[] = {
      {"the sample", sampleFile, sampleProject()},
      {"the untitled project", projectFileBytes(untitledProject()), untitledProject()},
      {"a byte-order mark", "\xEF\xBB\xBF" + sampleFile, sampleProject()},
      {"unknown keys", sampleEdited([](QJsonObject &root, QJsonObject &position, QJsonObject &inputs) {
         root["comment"] = "from a spreadsheet";
         position["colour"] = 3;
         inputs["unit"] = "mm";
       }),
       sampleProject()},
      {"control characters and line separators",
       sampleEdited([](QJsonObject &, QJsonObject &position, QJsonObject &inputs) {
         position["name"] = QStringLiteral("柱\t顶\u2028\r");
         inputs["edgeDistance"] = QString(u'5') + QChar(0) + u'0';
       }),
       blanked},
  };
  for (const auto &[what, file, expected] : cases) {
    const ReadOutcome read = readProject(file);
    ASSERT_TRUE(std::holds_alternative<Project>(read))
        << what << ": " << std::get<QString>(read).toStdString();
    EXPECT_EQ(std::get<Project>(read), expected) << what;
  }
}

TEST(ProjectFile, RefusesWhatItCannotOpenAndNeverWritesIt) {
  QByteArray tooMany = R"({"format": "tavrin-project", "version": 1, "positions": [{})";
  tooMany += QByteArray(",{}").repeated(maxPositions) + "]}";
  const struct {
    const char *what;
    QByteArray file;
    QString reason; // the whole message or a distinctive part
  } cases[] = {
      {"not an object", "[1, 2]", "不是 Tavrin 工程文件"},
      {"another format",
       sampleEdited([](QJsonObject &root, QJsonObject &, QJsonObject &) { root["format"] = "tavrin"; }),
       "不是 Tavrin 工程文件"},
      {"cut short", sampleFile.first(sampleFile.size() / 2), "文件不完整或已损坏（第 "},
      {"not UTF-8", "{\"format\": \"tavrin-project\", \"project\": \"\xB9\xA4\xB3\xCC\"}", "不是 UTF-8"},
      {"a newer version",
       sampleEdited([](QJsonObject &root, QJsonObject &, QJsonObject &) { root["version"] = 99; }),
       "文件的格式版本为 99，本程序只能打开版本 1 的工程文件，请用更新的 Tavrin 打开"},
      {"no version",
       sampleEdited([](QJsonObject &root, QJsonObject &, QJsonObject &) { root.remove("version"); }),
       "文件不完整或已损坏"},
      {"a fractional version",
       sampleEdited([](QJsonObject &root, QJsonObject &, QJsonObject &) { root["version"] = 1.5; }),
       "文件不完整或已损坏"},
      {"too many positions", tooMany, "文件过大：共 10001 个部位"},
      {"too many bytes", QByteArray(maxFileBytes + 1, ' '), "文件过大：超过 16 MB"},
      {"no positions", R"({"format": "tavrin-project", "version": 1, "positions": []})", "没有部位"},
      {"an item no list has", withInput(2, "concreteGrade", "C99"),
       "第 3 个部位“梁端”的混凝土强度等级（concreteGrade）为“C99”，不是列表中的选项"},
      {"a sign not as the list shows it", withInput(0, "stirrupDiameter", "≥8"),
       "第 1 个部位“柱顶”的箍筋直径（stirrupDiameter）为“≥8”"},
      {"a missing input", withInput(0, "siteCategory", QJsonValue::Undefined),
       "第 1 个部位“柱顶”缺少场地类别（siteCategory）"},
      {"a number for a typed entry", withInput(1, "barSpacing", 100),
       "第 2 个部位“梁端”的植筋间距（barSpacing）不是文本"},
      {"an empty name",
       sampleEdited([](QJsonObject &, QJsonObject &position, QJsonObject &) { position["name"] = ""; }, 3),
       "第 4 个部位的名称（name）"},
      {"a damaged outcome", sampleEdited([](QJsonObject &, QJsonObject &position, QJsonObject &) {
         position["saved"] = QJsonArray{"440"};
       }),
       "第 1 个部位“柱顶”的上次计算结果（saved）不完整或已损坏"},
  };
  const QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString path = folder.filePath("refused.tavrin");
  for (const auto &[what, file, reason] : cases) {
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                written.write(file) == file.size());
    written.close();
    const QDateTime modified = QFileInfo(path).lastModified();
    const ReadOutcome read = readProjectFile(path);
    ASSERT_TRUE(std::holds_alternative<QString>(read)) << what;
    EXPECT_TRUE(std::get<QString>(read).contains(reason))
        << what << ": " << std::get<QString>(read).toStdString();
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.readAll() == file && QFileInfo(path).lastModified() == modified) << what;
  }
  EXPECT_TRUE(
      std::get<QString>(readProjectFile(folder.filePath("absent.tavrin"))).startsWith("无法打开文件："));
}

#ifdef Q_OS_UNIX
// While it lives no file may grow past a few bytes, as on a full disk.
struct FullDisk {
  rlimit before{};
  FullDisk() {
    getrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit full{64, before.rlim_max};
    setrlimit(RLIMIT_FSIZE, &full);
  }
  ~FullDisk() {
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, SIG_DFL);
  }
};
#endif

TEST(ProjectFile, FailedWriteKeepsWhatWasThereAndLeavesNothingBeside) {
  const QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString kept = folder.filePath("kept.tavrin");
  ASSERT_EQ(writeProjectFile(untitledProject(), kept), QString());
  const QString locked = folder.filePath("locked");
  ASSERT_TRUE(QDir().mkpath(locked));
  QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
  QStringList failing{folder.filePath("absent/project.tavrin"), kept + "/project.tavrin", locked};
  if (!QFileInfo(locked).isWritable()) { // root writes into any folder
    failing.append(locked + "/project.tavrin");
  }
  for (const QString &path : failing) {
    EXPECT_NE(writeProjectFile(sampleProject(), path), QString()) << path.toStdString();
  }
#ifdef Q_OS_UNIX
  QString fullDiskReason;
  {
    const FullDisk full;
    fullDiskReason = writeProjectFile(sampleProject(), kept);
  }
  EXPECT_NE(fullDiskReason, QString()) << "saving over the file on a full disk";
#endif
  const auto entries = [](const QString &path) {
    return QDir(path).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
  };
  EXPECT_EQ(entries(folder.path()), (QStringList{"kept.tavrin", "locked"}));
  EXPECT_EQ(entries(locked), QStringList());
  EXPECT_EQ(std::get<Project>(readProjectFile(kept)), untitledProject());
}

} // namespace
} // namespace tavrin::project

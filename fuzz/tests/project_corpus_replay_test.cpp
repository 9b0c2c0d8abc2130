#include "fuzz/project_round_trip.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace tavrin::fuzz {
namespace {

// Every stored project file, including each one that once broke the property, keeps it.
TEST(ProjectFuzzCorpus, EveryStoredFileReadsBackWhatItWrites) {
  const QDir corpus(TAVRIN_PROJECT_FUZZ_CORPUS);
  const QStringList files = corpus.entryList(QDir::Files);
  for (const QString &name : files) {
    QFile file(corpus.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    EXPECT_EQ(projectRoundTripViolation(file.readAll()), std::string()) << name.toStdString();
  }
  EXPECT_GE(files.size(), 5) << "the seed corpus is missing";
}

} // namespace
} // namespace tavrin::fuzz

#include "project/recovery.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QUuid>

#include <algorithm>

namespace tavrin::project {
namespace {

const QString kSuffix = QStringLiteral(".tavrin");
// Kept in the recovery file beside the project's own keys, which a project reader ignores.
const QString kProjectFileKey = QStringLiteral("recoveryOf");
const QString kWrittenKey = QStringLiteral("recoveryWritten");

} // namespace

RecoverySlot::RecoverySlot(const QString &folder, const QString &id)
    : folder_(folder), id_(id), lock_(QDir(folder).filePath(id + QStringLiteral(".lock"))) {
  lock_.setStaleLockTime(0);
}

std::unique_ptr<RecoverySlot> RecoverySlot::claim(const QString &folder, const QString &id) {
  if (!QDir().mkpath(folder)) {
    return nullptr;
  }
  std::unique_ptr<RecoverySlot> slot(new RecoverySlot(folder, id));
  return slot->lock_.tryLock(0) ? std::move(slot) : nullptr;
}

std::unique_ptr<RecoverySlot> RecoverySlot::claimNew(const QString &folder) {
  return claim(folder, QUuid::createUuid().toString(QUuid::WithoutBraces));
}

QStringList RecoverySlot::slotsWithFiles(const QString &folder) {
  QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("*") + kSuffix}, QDir::Files);
  std::ranges::sort(files, {}, [](const QFileInfo &file) { return file.lastModified(); });
  QStringList ids;
  for (const QFileInfo &file : files) {
    ids.append(file.completeBaseName());
  }
  return ids;
}

void RecoverySlot::sweepAbandonedLocks(const QString &folder) {
  for (const QFileInfo &lock : QDir(folder).entryInfoList({QStringLiteral("*.lock")}, QDir::Files)) {
    if (!QFileInfo::exists(QDir(folder).filePath(lock.completeBaseName() + kSuffix))) {
      claim(folder, lock.completeBaseName()); // taken over and let go at once, which removes it
    }
  }
}

QString RecoverySlot::filePath() const {
  return QDir(folder_).filePath(id_ + kSuffix);
}

QString RecoverySlot::write(const QByteArray &projectBytes, const QString &projectFile) {
  QJsonObject recovery = QJsonDocument::fromJson(projectBytes).object();
  recovery.insert(kProjectFileKey, projectFile);
  recovery.insert(kWrittenKey, QDateTime::currentDateTime().toString(Qt::ISODate));
  QSaveFile file(filePath());
  if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(recovery).toJson()) < 0 ||
      !file.commit()) {
    return file.errorString();
  }
  return {};
}

bool RecoverySlot::read(QByteArray &projectBytes, QString &projectFile, QDateTime &written) const {
  QFile file(filePath());
  if (!file.open(QIODevice::ReadOnly)) {
    return false;
  }
  projectBytes = file.readAll();
  const QJsonObject recovery = QJsonDocument::fromJson(projectBytes).object();
  projectFile = recovery.value(kProjectFileKey).toString();
  written = QDateTime::fromString(recovery.value(kWrittenKey).toString(), Qt::ISODate);
  return !recovery.isEmpty();
}

void RecoverySlot::discard() {
  QFile::remove(filePath());
}

} // namespace tavrin::project

#pragma once

#include <QDateTime>
#include <QLockFile>
#include <QString>
#include <QStringList>

#include <memory>

namespace tavrin::project {

// A recovery file of one running program, in a folder of the program's own: the project's last unsaved
// state, written beside and renamed, and a lock held for as long as the program runs. The lock's stale time
// is 0, so only a dead program's lock is ever taken over: two programs running at once never take each
// other's recovery, and a program that was killed leaves its file for the next start.
class RecoverySlot {
public:
  // The slot named id in folder, locked for this program; none where a running program holds it.
  static std::unique_ptr<RecoverySlot> claim(const QString &folder, const QString &id);
  // A new slot with a name of its own.
  static std::unique_ptr<RecoverySlot> claimNew(const QString &folder);
  // The names of the slots whose file is in folder, the oldest first; locked or not.
  static QStringList slotsWithFiles(const QString &folder);
  // Removes the locks that programs which ended without closing left with no file beside them.
  static void sweepAbandonedLocks(const QString &folder);

  RecoverySlot(const RecoverySlot &) = delete;
  RecoverySlot &operator=(const RecoverySlot &) = delete;
  // Unlocks; the file stays, for the next start to offer.
  ~RecoverySlot() = default;

  // Writes the project's file bytes with the file it belongs to (empty for an untitled one) and the time.
  // Empty on success, otherwise why not.
  QString write(const QByteArray &projectBytes, const QString &projectFile);
  // The file as written: the project's bytes, the file it belongs to, and when it was written; false where
  // there is none or it is not one.
  bool read(QByteArray &projectBytes, QString &projectFile, QDateTime &written) const;
  // Removes the file; the slot stays locked.
  void discard();

  QString id() const { return id_; }

private:
  RecoverySlot(const QString &folder, const QString &id);
  QString filePath() const;

  QString folder_, id_;
  QLockFile lock_;
};

} // namespace tavrin::project

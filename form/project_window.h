#pragma once

#include "form/form1.h"
#include "project/project.h"
#include "project/recovery.h"

#include <QDateTime>
#include <QMainWindow>
#include <QTimer>

#include <memory>
#include <vector>

class QListWidget;
class QMenu;
class QPrinter;

namespace tavrin {

class ProjectDocument;

// The program's window: a menu bar, the list of the project's positions (部位) on the left and the form of
// the position selected. The form holds the inputs on view; every other position is held here with what its
// last press of 计算 left. Every change is also written to a recovery file within a second, until saved.
class ProjectWindow : public QMainWindow {
  Q_OBJECT

public:
  // Takes the form over; the program gives it a plain Form1, tests one that answers its message boxes.
  explicit ProjectWindow(Form1 *form, const QString &recoveryFolder);
  ~ProjectWindow() override;

  Form1 &form() const { return *form_; }
  QListWidget &positionList() const { return *list_; }
  // The recovery folder of this program's own, in the user's local data folder.
  static QString defaultRecoveryFolder();

  // Offers each recovery that a program which did not close left behind, until one is restored.
  void offerRecoveries();
  // Opens a project file as 打开工程 does, asking first about unsaved changes.
  void openFromCommandLine(const QString &path);

  // The commands of the menus, with their keys; the right-click menus offer the same actions.
  void newProject();
  void openProject();
  void saveProject();
  void saveProjectAs();
  void editProjectInfo();
  void newPosition();
  void copyPosition();
  void renamePosition();
  void deletePosition();
  void movePositionUp();
  void movePositionDown();
  void showAbout();
  // The project's 计算书, every position run afresh: printed, or exported as PDF; its depth table as CSV.
  void printProjectNote();
  void exportProjectPdf();
  void exportDepthTable();

protected:
  // A line of text asked for under a title; false when cancelled. Tests override these dialogs; the message
  // boxes are the form's.
  virtual bool askText(const QString &title, const QString &caption, QString &text);
  virtual QString chooseFileToOpen();
  virtual QString chooseFileToSave(const QString &suggested);
  // The print dialog, and the save dialog of an export under its title and file filter.
  virtual bool choosePrinter(QPrinter &printer);
  virtual QString chooseExportPath(const QString &title, const QString &suggested, const QString &filter);

  void closeEvent(QCloseEvent *event) override;
  // A file dropped anywhere on the window, entries included, opens as 打开工程 does.
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  // A position with what its last press left.
  struct Slot {
    project::Position position;
    Form1::LastPress press;
  };

  void createActions();
  QAction *addCommand(QMenu *menu, const QString &text, const QKeySequence &keys,
                      void (ProjectWindow::*command)());
  void fillRecentMenu();

  // The inputs and press on view taken back into their slot.
  void takeBackFormState();
  void selectPosition(int row);
  void showSlot(int row);
  QString rowText(const Slot &slot) const;
  void refreshRow(int row);
  void refreshList();
  void insertSlot(int row, Slot slot);
  void moveSlot(int from, int to);

  // The project as it stands, inputs only, or with each current run's outcome as a file records it.
  project::Project projectOnView();
  project::Project projectToSave();
  bool isModified();
  void projectChanged();
  void updateTitle();
  void updateNoteHead();

  // Puts a project on view, belonging to file (empty for an untitled one); baseline is what counts as
  // saved.
  void setProject(const project::Project &project, const QString &file, bool modified);
  bool openFile(const QString &path);
  // An opened or recovered project on view, each position's saved outcome checked by running it again.
  void showOpened(const project::Project &project, const QString &file, bool modified);
  // Saves to path; false where it failed (said in a box) or the user did not want to overwrite.
  bool saveTo(const QString &path);
  // Asks about unsaved changes; false where the user cancels or saving fails.
  bool unsavedChangesSettled();
  bool changedOnDisk() const;
  void rememberStamp();
  void addRecentFile(const QString &path);
  void writeRecovery();
  // Where an export of the project is offered first: beside its file and named after it, or in the
  // documents folder named after the project; what ends the name ("计算书.pdf").
  QString suggestedExport(const QString &what) const;
  void exportDocument(const QString &title, const char *suggestedName, const QString &filter,
                      const QString &what, QString (ProjectDocument::*write)(const QString &) const);

  Form1 *form_;
  QListWidget *list_{};
  QMenu *recentMenu_{};
  QString projectName_;
  std::vector<Slot> slots_;
  int current_ = -1;
  QString file_;
  project::Project savedInputs_; // what the file holds, or the untitled project
  QDateTime fileModified_;       // the file as last opened or saved
  qint64 fileSize_ = -1;
  QString recoveryFolder_;
  std::unique_ptr<project::RecoverySlot> recovery_;
  QTimer recoveryTimer_;
  bool modifiedWithoutEdits_ = false; // a restored recovery is unsaved before any edit
};

} // namespace tavrin

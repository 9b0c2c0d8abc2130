#include "form/project_window.h"

#include "form/form_layout.h"
#include "form/note_pages.h"
#include "form/project_document.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QListWidget>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>

#include <algorithm>
#include <utility>

namespace tavrin {
namespace {

constexpr int kListWidth = 180;
// Room for a menu's caption in the system's menu font; fixed, so that the form stands at the same place in
// the window on every platform, where scripts that click it find it.
constexpr int kMenuBarHeight = 24;
constexpr int kRecentFiles = 8;
constexpr int kRecoveryDelayMs = 500; // every change reaches the recovery file within a second
const QString kRecentKey = QStringLiteral("recentProjects");
const QString kFileFilter = QStringLiteral("Tavrin 工程 (*.tavrin)");
const QString kSuffix = QStringLiteral(".tavrin");

QString native(const QString &path) {
  return QDir::toNativeSeparators(path);
}

// "ld = 430.2222 mm，取用植筋锚固深度 440 mm，规范提示：无"
QString describe(const project::RunOutcome &outcome) {
  if (!outcome.refusal.isEmpty()) {
    return QStringLiteral("未能计算（%1）").arg(outcome.refusal);
  }
  return QStringLiteral("ld = %1 mm，取用植筋锚固深度 %2 mm，规范提示：%3")
      .arg(outcome.ld, outcome.adoptedDepth,
           outcome.notices.isEmpty() ? QStringLiteral("无") : outcome.notices.join(QStringLiteral("、")));
}

// The completed run of exactly these inputs, if the press was one.
const Form1::CompletedRun *runOf(const project::Position &position, const Form1::LastPress &press) {
  const auto *run = std::get_if<Form1::CompletedRun>(&press);
  return run != nullptr && run->onView == anchorageInputOf(position.inputs) ? run : nullptr;
}

// Whether the press was refused with exactly these inputs on view.
bool refusedWith(const project::Position &position, const Form1::LastPress &press) {
  const auto *refused = std::get_if<Form1::RefusedPress>(&press);
  return refused != nullptr && refused->onView == anchorageInputOf(position.inputs);
}

project::Project inputsOnly(project::Project project) {
  for (project::Position &position : project.positions) {
    position.saved.reset();
  }
  return project;
}

} // namespace

ProjectWindow::ProjectWindow(Form1 *form, const QString &recoveryFolder)
    : form_(form), recoveryFolder_(recoveryFolder) {
  setWindowIcon(form_->windowIcon());
  setAcceptDrops(true);
  setPalette(drawnPalette());
  auto *central = new QWidget(this);
  auto *layout = new QHBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  list_ = new QListWidget(central);
  list_->setObjectName(QStringLiteral("positions"));
  list_->setAccessibleName(QStringLiteral("部位"));
  list_->setFixedWidth(kListWidth);
  list_->setContextMenuPolicy(Qt::ActionsContextMenu);
  layout->addWidget(list_);
  form_->setParent(central);
  form_->setFixedSize(form_->size());
  layout->addWidget(form_, 0, Qt::AlignTop | Qt::AlignLeft);
  setCentralWidget(central);
  setTabOrder(form_->Combo10, list_);
  createActions();
  menuBar()->setFixedHeight(kMenuBarHeight);

  connect(list_, &QListWidget::currentRowChanged, this, &ProjectWindow::selectPosition);
  connect(form_, &Form1::inputsChanged, this, &ProjectWindow::projectChanged);
  connect(form_, &Form1::pressed, this, [this] { refreshRow(current_); });
  recoveryTimer_.setSingleShot(true);
  connect(&recoveryTimer_, &QTimer::timeout, this, &ProjectWindow::writeRecovery);
  qApp->installEventFilter(this);

  form_->loadForm();
  setProject(project::untitledProject(), QString(), false);
  form_->Combo1->setFocus();
}

ProjectWindow::~ProjectWindow() {
  qApp->removeEventFilter(this);
}

QString ProjectWindow::defaultRecoveryFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + QStringLiteral("/recovery");
}

QAction *ProjectWindow::addCommand(QMenu *menu, const QString &text, const QKeySequence &keys,
                                   void (ProjectWindow::*command)()) {
  QAction *action = menu->addAction(text, this, command);
  action->setShortcut(keys);
  return action;
}

void ProjectWindow::createActions() {
  QMenu *file = menuBar()->addMenu(QStringLiteral("文件(&F)"));
  addCommand(file, QStringLiteral("新建工程"), QKeySequence(Qt::CTRL | Qt::Key_N),
             &ProjectWindow::newProject);
  addCommand(file, QStringLiteral("打开工程…"), QKeySequence(Qt::CTRL | Qt::Key_O),
             &ProjectWindow::openProject);
  recentMenu_ = file->addMenu(QStringLiteral("最近打开的工程"));
  connect(recentMenu_, &QMenu::aboutToShow, this, &ProjectWindow::fillRecentMenu);
  addCommand(file, QStringLiteral("保存工程"), QKeySequence(Qt::CTRL | Qt::Key_S),
             &ProjectWindow::saveProject);
  addCommand(file, QStringLiteral("工程另存为…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
             &ProjectWindow::saveProjectAs);
  addCommand(file, QStringLiteral("工程信息…"), {}, &ProjectWindow::editProjectInfo);
  file->addSeparator();
  const struct {
    const char *text;
    QKeySequence keys;
    void (Form1::*command)();
  } noteCommands[] = {
      {"复制计算书", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), &Form1::copyCalculationNote},
      {"打印计算书…", QKeySequence(Qt::CTRL | Qt::Key_P), &Form1::printCalculationNote},
      {"导出计算书 PDF…", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E), &Form1::saveCalculationNotePdf},
  };
  for (const auto &note : noteCommands) {
    QAction *action = file->addAction(QString::fromUtf8(note.text), form_, note.command);
    action->setShortcut(note.keys);
    form_->addAction(action);
  }
  addCommand(file, QStringLiteral("打印工程计算书…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P),
             &ProjectWindow::printProjectNote);
  addCommand(file, QStringLiteral("导出工程计算书 PDF…"), {}, &ProjectWindow::exportProjectPdf);
  addCommand(file, QStringLiteral("导出植筋深度表 CSV…"), {}, &ProjectWindow::exportDepthTable);
  file->addSeparator();
  QAction *quit = file->addAction(QStringLiteral("退出"), this, &QWidget::close);
  quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

  QMenu *positions = menuBar()->addMenu(QStringLiteral("部位(&P)"));
  const struct {
    const char *text;
    QKeySequence keys;
    void (ProjectWindow::*command)();
    bool onListOnly;
  } positionCommands[] = {
      {"新建部位", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N), &ProjectWindow::newPosition, false},
      {"复制部位", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D), &ProjectWindow::copyPosition, false},
      {"重命名部位", QKeySequence(Qt::Key_F2), &ProjectWindow::renamePosition, true},
      {"删除部位", QKeySequence(Qt::Key_Delete), &ProjectWindow::deletePosition, true},
      {"上移", {}, &ProjectWindow::movePositionUp, false},
      {"下移", {}, &ProjectWindow::movePositionDown, false},
  };
  for (const auto &command : positionCommands) {
    QAction *action = addCommand(positions, QString::fromUtf8(command.text), command.keys, command.command);
    if (command.onListOnly) { // an entry's Delete and F2 stay the entry's
      action->setShortcutContext(Qt::WidgetShortcut);
    }
    list_->addAction(action);
  }

  QMenu *help = menuBar()->addMenu(QStringLiteral("帮助(&H)"));
  QAction *manual = help->addAction(QStringLiteral("使用说明"), form_, &Form1::openManual);
  manual->setShortcut(QKeySequence(Qt::Key_F1));
  form_->addAction(manual);
  help->addAction(QStringLiteral("关于 Tavrin"), this, &ProjectWindow::showAbout);
}

void ProjectWindow::fillRecentMenu() {
  recentMenu_->clear();
  const QStringList recent = QSettings().value(kRecentKey).toStringList();
  for (const QString &path : recent) {
    recentMenu_->addAction(native(path), this, [this, path] {
      if (unsavedChangesSettled()) {
        openFile(path);
      }
    });
  }
  recentMenu_->setEnabled(true);
  if (recent.isEmpty()) {
    recentMenu_->addAction(QStringLiteral("（无）"))->setEnabled(false);
  }
}

void ProjectWindow::addRecentFile(const QString &path) {
  QSettings settings;
  QStringList recent = settings.value(kRecentKey).toStringList();
  const QString absolute = QFileInfo(path).absoluteFilePath();
  recent.removeAll(absolute);
  recent.prepend(absolute);
  settings.setValue(kRecentKey, recent.mid(0, kRecentFiles));
}

// ---- The positions ----

void ProjectWindow::takeBackFormState() {
  if (current_ >= 0 && current_ < static_cast<int>(slots_.size())) {
    Slot &slot = slots_[static_cast<std::size_t>(current_)];
    slot.position.inputs = form_->inputState();
    slot.press = form_->lastPress();
  }
}

void ProjectWindow::selectPosition(int row) {
  if (row < 0 || row == current_) {
    return;
  }
  takeBackFormState();
  showSlot(row);
}

void ProjectWindow::showSlot(int row) {
  current_ = row;
  const Slot &slot = slots_[static_cast<std::size_t>(row)];
  const QSignalBlocker quiet(form_); // putting a position on view changes nothing of the project
  form_->showInputs(slot.position.inputs);
  form_->restoreLastPress(slot.press);
  updateNoteHead();
  if (list_->currentRow() != row) {
    const QSignalBlocker keep(list_);
    list_->setCurrentRow(row);
  }
}

// The name, then the adopted depth of the run of the inputs as they stand, or why there is none.
QString ProjectWindow::rowText(const Slot &slot) const {
  QString state;
  if (const Form1::CompletedRun *run = runOf(slot.position, slot.press)) {
    const project::RunOutcome outcome = project::outcomeOfRun(run->result);
    state = QStringLiteral("取用 %1 mm").arg(outcome.adoptedDepth) +
            (outcome.notices.isEmpty() ? QString() : QStringLiteral("（仅供参考）"));
  } else if (refusedWith(slot.position, slot.press)) {
    state = QStringLiteral("未能计算");
  } else if (std::holds_alternative<std::monostate>(slot.press)) {
    state = QStringLiteral("未计算");
  } else {
    state = QStringLiteral("已改动，未重新计算");
  }
  return slot.position.name + '\n' + state;
}

void ProjectWindow::refreshRow(int row) {
  if (row < 0 || row >= list_->count()) {
    return;
  }
  if (row == current_) {
    takeBackFormState();
  }
  list_->item(row)->setText(rowText(slots_[static_cast<std::size_t>(row)]));
}

void ProjectWindow::refreshList() {
  const QSignalBlocker quiet(list_);
  list_->clear();
  for (const Slot &slot : slots_) {
    list_->addItem(rowText(slot));
  }
  list_->setCurrentRow(current_);
}

void ProjectWindow::insertSlot(int row, Slot slot) {
  takeBackFormState();
  slots_.insert(slots_.begin() + row, std::move(slot));
  {
    const QSignalBlocker quiet(list_);
    list_->insertItem(row, rowText(slots_[static_cast<std::size_t>(row)]));
  }
  showSlot(row);
  projectChanged();
}

void ProjectWindow::moveSlot(int from, int to) {
  if (to < 0 || to >= static_cast<int>(slots_.size())) {
    return;
  }
  takeBackFormState();
  std::swap(slots_[static_cast<std::size_t>(from)], slots_[static_cast<std::size_t>(to)]);
  current_ = to;
  refreshList();
  projectChanged();
}

// A new position starts from the inputs on view: a job's positions share their grades and seismic data, and
// the defaults would silently carry 6度 into an 8度 job.
void ProjectWindow::newPosition() {
  takeBackFormState();
  int n = static_cast<int>(slots_.size()) + 1;
  const auto taken = [this](const QString &name) {
    return std::ranges::any_of(slots_, [&](const Slot &slot) { return slot.position.name == name; });
  };
  while (taken(project::numberedPositionName(n))) {
    ++n;
  }
  insertSlot(current_ + 1, {{project::numberedPositionName(n), form_->inputState(), {}}, {}});
}

void ProjectWindow::copyPosition() {
  takeBackFormState();
  Slot copy = slots_[static_cast<std::size_t>(current_)];
  copy.position.name += QStringLiteral("（副本）");
  insertSlot(current_ + 1, std::move(copy));
}

void ProjectWindow::renamePosition() {
  Slot &slot = slots_[static_cast<std::size_t>(current_)];
  QString name = slot.position.name;
  if (!askText(QStringLiteral("重命名部位"), QStringLiteral("部位名称："), name)) {
    return;
  }
  name = name.simplified();
  if (name.isEmpty()) {
    form_->showMessage(QStringLiteral("部位名称不能为空"));
    return;
  }
  slot.position.name = name;
  refreshRow(current_);
  updateNoteHead();
  projectChanged();
}

void ProjectWindow::deletePosition() {
  if (slots_.size() == 1) {
    form_->showMessage(QStringLiteral("工程至少要有一个部位，不能删除最后一个部位"));
    return;
  }
  const QString name = slots_[static_cast<std::size_t>(current_)].position.name;
  if (form_->askQuestion(QStringLiteral("删除部位“%1”？").arg(name),
                         {QStringLiteral("删除"), QStringLiteral("取消")}) != 0) {
    return;
  }
  const int row = current_;
  slots_.erase(slots_.begin() + row);
  current_ = -1; // the form's inputs were the deleted position's
  {
    const QSignalBlocker quiet(list_);
    delete list_->takeItem(row);
  }
  showSlot(std::min(row, static_cast<int>(slots_.size()) - 1));
  projectChanged();
}

void ProjectWindow::movePositionUp() {
  moveSlot(current_, current_ - 1);
}

void ProjectWindow::movePositionDown() {
  moveSlot(current_, current_ + 1);
}

// ---- The project and its file ----

project::Project ProjectWindow::projectOnView() {
  takeBackFormState();
  project::Project project{projectName_, {}};
  project.positions.reserve(slots_.size());
  for (const Slot &slot : slots_) {
    project.positions.push_back(slot.position);
  }
  return project;
}

// Each position carries what the window shows for it: the outcome of the completed run of its inputs, or
// the refusal of a press of exactly these inputs (the calculation refuses them again with the same words).
project::Project ProjectWindow::projectToSave() {
  project::Project project = projectOnView();
  for (std::size_t i = 0; i < slots_.size(); ++i) {
    const Slot &slot = slots_[i];
    std::optional<project::RunOutcome> &saved = project.positions[i].saved;
    if (const Form1::CompletedRun *run = runOf(slot.position, slot.press)) {
      saved = project::outcomeOfRun(run->result);
    } else if (refusedWith(slot.position, slot.press)) {
      saved = project::outcomeOf(slot.position.inputs);
    } else {
      saved.reset();
    }
  }
  return project;
}

bool ProjectWindow::isModified() {
  return modifiedWithoutEdits_ || projectOnView() != savedInputs_;
}

void ProjectWindow::projectChanged() {
  refreshRow(current_);
  updateTitle();
  if (!recoveryTimer_.isActive()) {
    recoveryTimer_.start(kRecoveryDelayMs);
  }
}

void ProjectWindow::updateTitle() {
  const QString name = file_.isEmpty() ? QString() : QFileInfo(file_).completeBaseName();
  setWindowTitle(name.isEmpty() ? QStringLiteral("Tavrin[*]") : name + QStringLiteral("[*] - Tavrin"));
  setWindowModified(isModified());
}

void ProjectWindow::updateNoteHead() {
  form_->setNoteHead(projectName_, slots_[static_cast<std::size_t>(current_)].position.name);
}

// The recovery slot is taken with the first unsaved change, so that a program that never had one writes
// nothing to the recovery folder.
void ProjectWindow::writeRecovery() {
  if (isModified()) {
    if (recovery_ == nullptr) {
      recovery_ = project::RecoverySlot::claimNew(recoveryFolder_);
    }
    if (recovery_ != nullptr) {
      recovery_->write(project::projectFileBytes(projectToSave()), file_);
    }
  } else if (recovery_ != nullptr) {
    recovery_->discard();
  }
}

void ProjectWindow::setProject(const project::Project &project, const QString &file, bool modified) {
  projectName_ = project.name;
  savedInputs_ = inputsOnly(project);
  slots_.clear();
  for (const project::Position &position : savedInputs_.positions) {
    slots_.push_back({position, {}}); // what a file said was shown is checked once, as it opens
  }
  file_ = file;
  modifiedWithoutEdits_ = modified;
  current_ = -1;
  showSlot(0);
  refreshList();
  updateTitle();
  writeRecovery();
}

// Every position is run again, quietly: one whose outcome is what the file says was shown when it was saved
// shows as calculated; where the outcome now differs (another program's tables), the positions are listed
// with both before anyone relies on them, and they wait for 计算.
bool ProjectWindow::openFile(const QString &path) {
  const project::ReadOutcome read = project::readProjectFile(path);
  if (const auto *why = std::get_if<QString>(&read)) {
    form_->showMessage(QStringLiteral("无法打开工程文件：\n%1\n%2").arg(native(path), *why));
    return false;
  }
  showOpened(std::get<project::Project>(read), path, false);
  rememberStamp();
  addRecentFile(path);
  return true;
}

// Every position is run again, quietly: one whose outcome is what the file says was shown when it was saved
// shows as calculated; where the outcome now differs (another program's tables), the positions are listed
// with both before anyone relies on them, and they wait for 计算.
void ProjectWindow::showOpened(const project::Project &project, const QString &file, bool modified) {
  std::vector<Form1::LastPress> presses;
  QStringList differing;
  for (std::size_t i = 0; i < project.positions.size(); ++i) {
    const project::Position &position = project.positions[i];
    Form1::LastPress press;
    if (position.saved) {
      const project::RunOutcome now = project::outcomeOf(position.inputs);
      if (now == *position.saved) {
        press = Form1::quietPress(position.inputs);
      } else {
        differing.append(QStringLiteral("第 %1 个部位“%2”：保存时 %3；现在 %4")
                             .arg(i + 1)
                             .arg(position.name, describe(*position.saved), describe(now)));
      }
    }
    presses.push_back(std::move(press));
  }
  setProject(project, file, modified);
  for (std::size_t i = 0; i < slots_.size(); ++i) {
    slots_[i].press = std::move(presses[i]);
  }
  form_->restoreLastPress(slots_[static_cast<std::size_t>(current_)].press);
  refreshList();
  writeRecovery(); // with the outcomes the presses now give
  if (!differing.isEmpty()) {
    form_->showMessage(
        QStringLiteral("以下部位按本程序重新计算的结果与文件保存时显示的不同，请核对并重新计算后再使用：\n") +
        differing.join('\n'));
  }
}

void ProjectWindow::rememberStamp() {
  const QFileInfo info(file_);
  fileModified_ = info.lastModified();
  fileSize_ = info.size();
}

bool ProjectWindow::changedOnDisk() const {
  const QFileInfo info(file_);
  return info.exists() && (info.lastModified() != fileModified_ || info.size() != fileSize_);
}

bool ProjectWindow::saveTo(const QString &path) {
  const project::Project project = projectToSave();
  if (const QString why = project::writeProjectFile(project, path); !why.isEmpty()) {
    form_->showMessage(QStringLiteral("无法保存工程文件：\n%1\n%2").arg(native(path), why));
    return false;
  }
  file_ = path;
  savedInputs_ = inputsOnly(project);
  modifiedWithoutEdits_ = false;
  rememberStamp();
  addRecentFile(path);
  updateTitle();
  writeRecovery();
  return true;
}

void ProjectWindow::saveProject() {
  if (file_.isEmpty() || !QFileInfo(QFileInfo(file_).absolutePath()).isDir()) {
    saveProjectAs();
    return;
  }
  if (changedOnDisk() &&
      form_->askQuestion(
          QStringLiteral("工程文件在打开或上次保存后已被改动：\n%1\n仍要用本窗口的工程覆盖它吗？")
              .arg(native(file_)),
          {QStringLiteral("覆盖"), QStringLiteral("取消")}) != 0) {
    return;
  }
  saveTo(file_);
}

void ProjectWindow::saveProjectAs() {
  const QString suggestedName =
      (projectName_.trimmed().isEmpty() ? QStringLiteral("植筋工程") : projectName_.trimmed()) + kSuffix;
  const QDir documents(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
  const QString suggested =
      file_.isEmpty() ? (documents.exists() ? documents : QDir::home()).filePath(suggestedName) : file_;
  QString path = chooseFileToSave(suggested);
  if (path.isEmpty()) {
    return;
  }
  if (!path.endsWith(kSuffix, Qt::CaseInsensitive)) {
    path += kSuffix;
  }
  saveTo(path);
}

bool ProjectWindow::unsavedChangesSettled() {
  if (!isModified()) {
    return true;
  }
  const QString name = file_.isEmpty() ? QStringLiteral("未命名工程") : QFileInfo(file_).fileName();
  switch (form_->askQuestion(QStringLiteral("“%1”有未保存的改动，是否保存？").arg(name),
                             {QStringLiteral("保存"), QStringLiteral("不保存"), QStringLiteral("取消")})) {
  case 0:
    saveProject();
    return !isModified();
  case 1:
    return true;
  default:
    return false;
  }
}

void ProjectWindow::newProject() {
  if (unsavedChangesSettled()) {
    setProject(project::untitledProject(), QString(), false);
  }
}

void ProjectWindow::openProject() {
  if (!unsavedChangesSettled()) {
    return;
  }
  if (const QString path = chooseFileToOpen(); !path.isEmpty()) {
    openFile(path);
  }
}

void ProjectWindow::openFromCommandLine(const QString &path) {
  if (unsavedChangesSettled()) {
    openFile(path);
  }
}

void ProjectWindow::editProjectInfo() {
  QString name = projectName_;
  if (askText(QStringLiteral("工程信息"), QStringLiteral("工程名称："), name) && name != projectName_) {
    projectName_ = name;
    updateNoteHead();
    projectChanged();
  }
}

void ProjectWindow::showAbout() {
  form_->showMessage(
      QStringLiteral("Tavrin " TAVRIN_VERSION "\n植筋锚固深度计算（GB 50367-2013）\nQt %1\n许可：MIT 许可证")
          .arg(QString::fromLatin1(qVersion())));
}

// ---- The project's 计算书 and depth table ----

QString ProjectWindow::suggestedExport(const QString &what) const {
  const QDir documents(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
  if (!file_.isEmpty()) {
    return QFileInfo(file_).absoluteDir().filePath(QFileInfo(file_).completeBaseName() + '-' + what);
  }
  const QString base = projectName_.trimmed().isEmpty() ? QStringLiteral("植筋工程") : projectName_.trimmed();
  return (documents.exists() ? documents : QDir::home()).filePath(base + '-' + what);
}

void ProjectWindow::printProjectNote() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageLayout(notePageLayout());
  printer.setDocName(QStringLiteral("植筋工程计算书"));
  if (choosePrinter(printer)) {
    ProjectDocument(projectOnView()).paint(printer);
  }
}

void ProjectWindow::exportProjectPdf() {
  exportDocument(QStringLiteral("导出工程计算书 PDF"), "计算书.pdf", QStringLiteral("PDF 文件 (*.pdf)"),
                 QStringLiteral("工程计算书"), &ProjectDocument::writePdf);
}

void ProjectWindow::exportDepthTable() {
  exportDocument(QStringLiteral("导出植筋深度表 CSV"), "植筋深度表.csv", QStringLiteral("CSV 文件 (*.csv)"),
                 QStringLiteral("植筋深度表"), &ProjectDocument::writeCsv);
}

// The project's document written to a file the user names; a failure names the file and the reason.
void ProjectWindow::exportDocument(const QString &title, const char *suggestedName, const QString &filter,
                                   const QString &what,
                                   QString (ProjectDocument::*write)(const QString &) const) {
  const QString path = chooseExportPath(title, suggestedExport(suggestedName), filter);
  if (path.isEmpty()) {
    return;
  }
  if (const QString why = (ProjectDocument(projectOnView()).*write)(path); !why.isEmpty()) {
    form_->showMessage(QStringLiteral("无法保存%1：\n%2\n%3").arg(what, native(path), why));
  }
}

// ---- Recovery ----

void ProjectWindow::offerRecoveries() {
  project::RecoverySlot::sweepAbandonedLocks(recoveryFolder_);
  for (const QString &id : project::RecoverySlot::slotsWithFiles(recoveryFolder_)) {
    if (recovery_ != nullptr && id == recovery_->id()) {
      continue;
    }
    std::unique_ptr<project::RecoverySlot> left = project::RecoverySlot::claim(recoveryFolder_, id);
    QByteArray bytes;
    QString file;
    QDateTime written;
    if (left == nullptr || !left->read(bytes, file, written)) {
      continue; // a running program's, or not yet written whole
    }
    const project::ReadOutcome read = project::readProject(bytes);
    const auto *project = std::get_if<project::Project>(&read);
    if (project == nullptr) {
      left->discard();
      continue;
    }
    const QString question =
        QStringLiteral("Tavrin 上次未正常关闭，留下了未保存的工程：\n%1\n最后改动：%2\n恢复这些改动吗？")
            .arg(file.isEmpty() ? QStringLiteral("未命名工程") : native(file),
                 QLocale::system().toString(written, QLocale::ShortFormat));
    const int answer = form_->askQuestion(question, {QStringLiteral("恢复"), QStringLiteral("丢弃")});
    if (answer == 1) {
      left->discard();
    } else if (answer == 0) {
      showOpened(*project, file, true);
      left->discard();
      return; // the others wait for the next start
    }
  }
}

void ProjectWindow::closeEvent(QCloseEvent *event) {
  if (!unsavedChangesSettled()) {
    event->ignore();
    return;
  }
  recoveryTimer_.stop();
  if (recovery_ != nullptr) {
    recovery_->discard();
  }
  event->accept();
}

// ---- Dialogs ----

bool ProjectWindow::askText(const QString &title, const QString &caption, QString &text) {
  QInputDialog dialog(this);
  dialog.setPalette(palette());
  dialog.setWindowTitle(title);
  dialog.setLabelText(caption);
  dialog.setTextValue(text);
  dialog.setOkButtonText(QStringLiteral("确定"));
  dialog.setCancelButtonText(QStringLiteral("取消"));
  dialog.setMinimumWidth(dialog.fontMetrics().horizontalAdvance(caption) * 5);
  if (dialog.exec() != QDialog::Accepted) {
    return false;
  }
  text = dialog.textValue();
  return true;
}

QString ProjectWindow::chooseFileToOpen() {
  return QFileDialog::getOpenFileName(this, QStringLiteral("打开工程"), QString(), kFileFilter);
}

QString ProjectWindow::chooseFileToSave(const QString &suggested) {
  return QFileDialog::getSaveFileName(this, QStringLiteral("工程另存为"), suggested, kFileFilter);
}

bool ProjectWindow::choosePrinter(QPrinter &printer) {
  QPrintDialog dialog(&printer, this);
  return dialog.exec() == QDialog::Accepted;
}

QString ProjectWindow::chooseExportPath(const QString &title, const QString &suggested,
                                        const QString &filter) {
  return QFileDialog::getSaveFileName(this, title, suggested, filter);
}

// ---- Dropped files ----

bool ProjectWindow::eventFilter(QObject *watched, QEvent *event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) {
    return false;
  }
  auto *widget = qobject_cast<QWidget *>(watched);
  auto *drop = static_cast<QDropEvent *>(event);
  const QList<QUrl> urls = drop->mimeData()->urls();
  if (widget == nullptr || widget->window() != this || urls.isEmpty() || !urls.front().isLocalFile()) {
    return false;
  }
  drop->setDropAction(Qt::CopyAction);
  drop->accept();
  if (type == QEvent::Drop && unsavedChangesSettled()) {
    openFile(urls.front().toLocalFile());
  }
  return true;
}

} // namespace tavrin

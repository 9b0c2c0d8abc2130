#pragma once

#include "calc/anchorage.h"
#include "calc/calculation_note.h"
#include "calc/input_state.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <variant>
#include <vector>

class QMessageBox;
class QPrinter;
class QUrl;

namespace tavrin {

// The one window of the program. Its controls are public members named as on the drawing of the window,
// so the reactions, the Calculate command and the tests address them the same way; every control also
// carries its name as objectName for tests and assistive tools.
class Form1 : public QWidget {
  Q_OBJECT

public:
  explicit Form1(QWidget *parent = nullptr);

  // Puts the default inputs in place and hides the optional entries; runs once before the first show.
  void loadForm();
  // Command2: the defaults again, and every result display emptied.
  void restoreDefaults();
  // The thirteen default inputs, in their fixed order; list selections run their reactions nested.
  void applyDefaultInputs();
  // Hides the temperature-factor and the bond-strength entries with their labels.
  void hideOptionalEntries();
  // Empties the two result entries and the six value labels.
  void clearResults();
  // Combo4: the user's bond strength is asked for plain bars only.
  void steelGradeSelected();
  // Combo7: the temperature factor is asked for every service temperature but the lowest.
  void serviceTemperatureSelected();
  // Command1: runs the calculation on the inputs shown.
  void calculateCommand();
  // F1: asks the desktop to open the manual in its browser, or says where it was looked for.
  void openManual();
  // The calculation note (计算书) of the last completed run. Where there is none, or the inputs on view are
  // no longer the run's, each command does nothing but say why. 复制计算书: puts it on the clipboard, as
  // plain text and as HTML.
  void copyCalculationNote();
  // 打印计算书: prints it through the system's print dialog.
  void printCalculationNote();
  // 导出计算书 PDF: saves it as a PDF file the user names.
  void saveCalculationNotePdf();
  // The note's 工程名称 and 构件（部位）: the project's name and the position's.
  void setNoteHead(const QString &project, const QString &member);

  // The inputs on view, as a position holds them.
  InputState inputState() const;
  // Puts a position's inputs on view: every list's choice (its reaction runs), every entry's text, the
  // optional entries shown as the choices ask, and no result. The last press is forgotten.
  void showInputs(const InputState &state);

  // What a press of 计算 left: nothing yet, a refused press, or the record of a completed run.
  struct RefusedPress {
    AnchorageInput onView; // the inputs as the window showed them after the refusal
  };
  struct CompletedRun {
    AnchorageInput input;  // as the run read it
    AnchorageInput onView; // as the window showed it afterwards, the moisture factor raised to its floor
    AnchorageResult result;
    QString date;
  };
  using LastPress = std::variant<std::monostate, RefusedPress, CompletedRun>;
  const LastPress &lastPress() const { return lastPress_; }
  // Gives the window back a position's last press: its results are on view where it is the completed run
  // of the inputs on view.
  void restoreLastPress(const LastPress &press);
  // The completed run of the inputs on view, if the last press was one.
  const CompletedRun *currentRun() const;
  // A press of 计算 on these inputs, made quietly: no message box, no entry cleared, changed or focused.
  static LastPress quietPress(const InputState &state);

  // Any input changed, by the user or by the program.
  Q_SIGNAL void inputsChanged();
  // A press of 计算 ended, completed or refused.
  Q_SIGNAL void pressed();

  // A message box in the window's style: the message as its only text, no icon, no title, one OK button.
  void showMessage(const QString &message);
  // The same box asking a question with these buttons, the first the default; the index of the button
  // pressed, or -1 where the box was closed without one (Esc, the frame's close button). "取消" is the
  // button Esc would press, were it not closed.
  int askQuestion(const QString &question, const QStringList &buttons);

  QComboBox *Combo1{}, *Combo2{}, *Combo3{}, *Combo4{}, *Combo5{}, *Combo6{}, *Combo7{}, *Combo8{}, *Combo9{},
      *Combo10{};
  QLineEdit *Text1{}, *Text2{}, *Text3{}, *Text4{}, *Text5{}, *Text6{}, *Text7{};
  QLabel *Label1{}, *Label2{}, *Label3{}, *Label4{}, *Label5{}, *Label6{}, *Label7{}, *Label8{}, *Label9{},
      *Label10{}, *Label11{}, *Label12{}, *Label13{}, *Label14{}, *Label15{}, *Label16{}, *Label17{},
      *Label18{}, *Label19{}, *Label20{}, *Label21{}, *Label22{}, *Label23{}, *Label24{}, *Label25{},
      *Label26{}, *Label27{}, *Label28{}, *Label29{}, *Label30{}, *Label31{};
  QPushButton *Command1{}, *Command2{};

protected:
  // Shows a prepared message box modally and returns once it is closed. Tests and benchmarks override it to
  // read the box (text, title, buttons, icon) and close it without a person.
  virtual void execMessageBox(QMessageBox &box);
  // Hands a file to the desktop's browser; false when the desktop cannot open it. Tests override it.
  virtual bool openInBrowser(const QUrl &file);
  // The folder of the program, where the manual is looked for first. Tests override it.
  virtual QString programDirectory() const;
  // The system's print dialog on printer; false when the user cancels.
  virtual bool choosePrinter(QPrinter &printer);
  // The save dialog for the PDF, opening at suggested; empty when the user cancels.
  virtual QString choosePdfPath(const QString &suggested);
  // The window's actions, offered on a right click anywhere on it but the entries, which have their own.
  void contextMenuEvent(QContextMenuEvent *event) override;

private:
  void createControls();
  void nameInputsForAssistiveTools();
  void chainTabOrder();
  void connectReactions();
  void connectWorkingResets();
  // The first count inputs of the defaults' order set to state's.
  void putInputs(const InputState &state, std::size_t count);
  AnchorageInput inputFromControls() const;
  void showValue(Quantity quantity, const AnchorageInput &input);
  // The six value labels and the two result boxes, in the order a run writes them.
  std::vector<QWidget *> resultDisplays() const;
  void reportRejection(const InputRejection &rejection);
  void reportCodeNotices();
  QLineEdit *entryFor(Entry entry) const;
  // Why there is no note for the command named by verb ("复制"), or empty when there is one.
  QString whyNoNote(const QString &verb) const;
  // Whether there is a note for the command; where not, a box says why.
  bool noteAvailable(const QString &verb);
  // The note of the last completed run with the project and member given so far.
  CalculationNote currentNote() const;

  // The values of the last run; a run that stops early leaves the later ones as they were.
  AnchorageResult result_;

  // What the last press of Command1 left for the note: nothing before the first press and after restore
  // defaults, a refused press, or the record of a completed run.
  LastPress lastPress_;
  QString project_, member_; // the note's head
};

// Once at start-up, before the first window: registers the icons compiled into this library and gives the
// application the style that draws the lists' slim drop-down arrows.
void setUpApplication();

} // namespace tavrin

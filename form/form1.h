#pragma once

#include "calc/anchorage.h"
#include "form/calculation_note.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <optional>
#include <vector>

class QMessageBox;
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
  // Ctrl+Shift+C: puts the calculation note of the last completed run on the clipboard, as plain text and as
  // HTML. Where there is none, or the inputs on view are no longer the run's, it copies nothing and says why.
  void copyCalculationNote();

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

private:
  void createControls();
  void nameInputsForAssistiveTools();
  void chainTabOrder();
  void connectReactions();
  void connectShortcuts();
  void showMessage(const QString &message);
  AnchorageInput inputFromControls() const;
  void showValue(Quantity quantity, const AnchorageInput &input);
  // The six value labels and the two result boxes, in the order a run writes them.
  std::vector<QWidget *> resultDisplays() const;
  void reportRejection(const InputRejection &rejection);
  void reportCodeNotices();
  QLineEdit *entryFor(Entry entry) const;
  // The inputs on view that take part in a run, with their units, in the order of the tab chain.
  std::vector<NoteItem> inputsOnView() const;
  CalculationNote noteOfCompletedRun(const AnchorageInput &input) const;
  // Why there is no note to copy, or empty when there is one.
  QString whyNoNote() const;

  // The values of the last run; a run that stops early leaves the later ones as they were.
  AnchorageResult result_;
  // The record of the last completed run; none before the first, after a refused press and after restore
  // defaults.
  std::optional<CalculationNote> completedRun_;
  bool lastPressRefused_ = false;
};

// Once at start-up, before the first window: registers the icons compiled into this library and gives the
// application the style that draws the lists' slim drop-down arrows.
void setUpApplication();

} // namespace tavrin

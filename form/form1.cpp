#include "form/form1.h"

#include "form/form_layout.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFontMetrics>
#include <QIcon>
#include <QImageReader>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPixmap>
#include <QProxyStyle>
#include <QStyleOptionComplex>
#include <QWindow>

#include <algorithm>
#include <limits>
#include <type_traits>
#include <vector>

// The icons are compiled into this static library, so the program must register them itself.
static void registerIcons() {
  Q_INIT_RESOURCE(tavrin);
}

namespace tavrin {
namespace {

QString qText(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Captions start at the top of their label. Where the font's line is taller than the label (the large
// fonts in one-line labels), the line is centred instead: the glyphs sit well inside the line's height,
// so they then show whole rather than cut off at the bottom.
QString captionOf(const ControlSpec &spec) {
  const auto *caption = std::get_if<std::string_view>(&spec.shows);
  return caption != nullptr ? qText(*caption) : QString();
}

void setUp(QLabel &label, const ControlSpec &spec) {
  label.setTextFormat(Qt::PlainText);
  label.setText(captionOf(spec));
  label.setWordWrap(true);
  const bool lineTallerThanLabel = QFontMetrics(fontFor(spec.look)).height() > pixelRect(spec).height();
  label.setAlignment(Qt::AlignLeft | (lineTallerThanLabel ? Qt::AlignVCenter : Qt::AlignTop));
  label.setMinimumWidth(pixelRect(spec).width()); // a value label grows to its value, never below this
}

// A number copied from a spreadsheet cell comes with the cell's line break, and cells copied together with
// tabs between them. A line edit keeps such characters in its text but draws them as blanks, so the text it
// holds, copies and puts in a calculation note would not be the text it shows: an entry takes each control
// character or line break that a paste, a drop or an input method brings as the blank it is drawn as. The
// text goes in as one edit, which Ctrl+Z takes back whole as it does any paste. The cursor stays before the
// blanks that end such a text, so a narrow entry keeps the number in view rather than scroll to them.
class OneLineText : public QObject {
public:
  explicit OneLineText(QLineEdit &entry) : QObject(&entry), entry_(entry) { entry.installEventFilter(this); }

protected:
  bool eventFilter(QObject * /*watched*/, QEvent *event) override {
    if (entry_.isReadOnly()) {
      return false;
    }
    switch (event->type()) {
    case QEvent::KeyPress:
      return static_cast<QKeyEvent *>(event)->matches(QKeySequence::Paste) &&
             pasteOneLine(QClipboard::Clipboard);
    case QEvent::MouseButtonRelease: // the X11 selection, pasted by the middle button
      return static_cast<QMouseEvent *>(event)->button() == Qt::MiddleButton &&
             QGuiApplication::clipboard()->supportsSelection() && pasteOneLine(QClipboard::Selection);
    case QEvent::ContextMenu:
      showMenuPastingOneLine(static_cast<QContextMenuEvent *>(event)->globalPos());
      return true;
    case QEvent::Drop:
      return dropOneLine(*static_cast<QDropEvent *>(event));
    case QEvent::InputMethod:
      return commitOneLine(*static_cast<QInputMethodEvent *>(event));
    default:
      return false;
    }
  }

private:
  static bool breaksTheLine(QChar character) {
    return character.category() == QChar::Other_Control || character == QChar::LineSeparator ||
           character == QChar::ParagraphSeparator;
  }
  static bool breaksTheLine(const QString &text) {
    return std::ranges::any_of(text, [](QChar character) { return breaksTheLine(character); });
  }
  static QString oneLine(QString text) {
    std::ranges::replace_if(
        text, [](QChar character) { return breaksTheLine(character); }, QChar(u' '));
    return text;
  }

  void keepCursorBeforeTrailingBlanks(const QString &arrived) {
    const auto kept = std::ranges::find_if_not(arrived.crbegin(), arrived.crend(),
                                               [](QChar character) { return breaksTheLine(character); });
    entry_.setCursorPosition(entry_.cursorPosition() - static_cast<int>(kept - arrived.crbegin()));
  }

  // Ends the edit under way in the undo history, as a paste does before and after its text: moving the
  // cursor ends it, and so does clearing an entry that is already empty. Replacing a selection starts an
  // edit of its own.
  void endUndoStep() {
    if (entry_.hasSelectedText()) {
      return;
    }
    if (entry_.text().isEmpty()) {
      entry_.clear();
      return;
    }
    const int cursor = entry_.cursorPosition();
    entry_.setCursorPosition(cursor > 0 ? cursor - 1 : cursor + 1);
    entry_.setCursorPosition(cursor);
  }

  // Pastes the text as one line, as one step in the undo history.
  void insertOneLine(const QString &text) {
    endUndoStep();
    entry_.insert(oneLine(text));
    keepCursorBeforeTrailingBlanks(text);
    endUndoStep();
  }

  // Pastes the clipboard's text as one line; leaves a text that needs no change to the entry's own paste
  // and returns false.
  bool pasteOneLine(QClipboard::Mode mode) {
    const QString text = QGuiApplication::clipboard()->text(mode);
    if (!breaksTheLine(text)) {
      return false;
    }
    insertOneLine(text);
    return true;
  }

  // The entry's Paste, found by its role in any language, with what it did taken off it: Qt 6.8 names the
  // action after its icon, "edit-paste"; Qt 6.4 names none, but connects it to the entry's paste() by name.
  QAction *takePasteAction(const QList<QAction *> &actions) {
    for (QAction *action : actions) {
      if (action->objectName() == QLatin1String("edit-paste")) {
        action->disconnect(&entry_);
        return action;
      }
    }
    const auto paste = std::ranges::find_if(actions, [this](QAction *action) {
      return QObject::disconnect(action, nullptr, &entry_, SLOT(paste()));
    });
    return paste == actions.end() ? nullptr : *paste;
  }

  // The entry's own menu, its Paste pasting as one line. A menu without a Paste found would keep line
  // breaks, so that is said on the console rather than let pass unnoticed.
  void showMenuPastingOneLine(const QPoint &place) {
    QMenu *menu = entry_.createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (QAction *paste = takePasteAction(menu->actions())) {
      connect(paste, &QAction::triggered, this,
              [this] { insertOneLine(QGuiApplication::clipboard()->text(QClipboard::Clipboard)); });
    } else {
      qWarning("The entry's context menu has no Paste that could be found; a paste there keeps line breaks.");
    }
    menu->popup(place);
  }

  // Hands the entry an event whose text was made one line, as it would have taken the event itself. The
  // event passes this filter again, which leaves it alone: it breaks no line now.
  void handOn(QEvent &event, const QString &arrived) {
    QCoreApplication::sendEvent(&entry_, &event);
    keepCursorBeforeTrailingBlanks(arrived);
  }

  // A drop, or an input method's commit, of a text that needs no change goes to the entry as it came.
  bool dropOneLine(QDropEvent &drop) {
    const QString text = drop.mimeData()->text();
    if (!breaksTheLine(text)) {
      return false;
    }
    QMimeData flattened;
    flattened.setText(oneLine(text));
    QDropEvent oneLineDrop(drop.position(), drop.possibleActions(), &flattened, drop.buttons(),
                           drop.modifiers());
    oneLineDrop.setDropAction(drop.dropAction());
    handOn(oneLineDrop, text);
    drop.setDropAction(oneLineDrop.dropAction());
    drop.setAccepted(oneLineDrop.isAccepted());
    return true;
  }
  bool commitOneLine(QInputMethodEvent &commit) {
    const QString text = commit.commitString();
    if (!breaksTheLine(text)) {
      return false;
    }
    commit.setCommitString(oneLine(text), commit.replacementStart(), commit.replacementLength());
    handOn(commit, text);
    return true;
  }

  QLineEdit &entry_;
};

// The window's own look: its font is the one every control inherits unless its look names another.
constexpr Look kWindowLook{};

bool sameFont(const Look &a, const Look &b) {
  return a.face == b.face && a.points == b.points && a.bold == b.bold;
}

// On Windows without SimSun (under Wine, say) the window's Song face is the Debian one, whose figures GDI
// draws from their outlines at 9 pt, thin and light grey (the darkest pixel of a typed "100" about 105 of
// 255), so that a typed number reads as disabled although its ink is black. DirectWrite, which Qt takes for a
// font that asks for no hinting, draws them from the face's own bitmaps for that size, black, as the Chinese
// of the captions beside them. SimSun, which GDI draws from its bitmaps, and Linux, which draws through
// FreeType, stay as they are.
void drawFiguresSolid(QLineEdit &entry, const ControlSpec &spec) {
#ifdef Q_OS_WIN
  if (!sameFont(spec.look, kWindowLook) ||
      fontFor(kWindowLook).families().value(0) == familiesOf(Face::Song).value(0)) {
    return;
  }
  QFont font = entry.font();
  font.setHintingPreference(QFont::PreferNoHinting);
  entry.setFont(font);
#else
  Q_UNUSED(entry);
  Q_UNUSED(spec);
#endif
}

// Qt cuts a typed or pasted text at 32,767 characters by default; an entry takes the whole text, and the
// calculation judges it.
void setUp(QLineEdit &entry, const ControlSpec &spec) {
  entry.setMaxLength(std::numeric_limits<int>::max());
  new OneLineText(entry); // owned by the entry
  drawFiguresSolid(entry, spec);
}

void setUp(QComboBox &list, const ControlSpec &spec) {
  list.setEditable(false);
  if (const auto *items = std::get_if<const ItemList *>(&spec.shows)) {
    for (const std::string_view item : (*items)->items) {
      list.addItem(qText(item));
    }
  }
  list.setCurrentIndex(-1); // adding items selects the first one; the window starts with none chosen
}

void setUp(QPushButton &button, const ControlSpec &spec) {
  button.setText(captionOf(spec));
  // Not a default button, so Enter presses nothing; a plain window has no cancel button for Esc either.
  button.setAutoDefault(false);
  button.setDefault(false);
}

// A control in the window's font inherits it rather than setting an equal one: setting a font sends a font
// change, which a line edit answers by laying out its text again and a list by building its drop-down
// popup, long before anyone opens it.
void applyLook(QWidget &control, const Look &look) {
  if (!sameFont(look, kWindowLook)) {
    control.setFont(fontFor(look));
  }
  if (const QColor ink = inkColour(look.ink); ink.isValid()) {
    QPalette palette = control.palette();
    palette.setColor(control.foregroundRole(), ink);
    control.setPalette(palette);
  }
}

// The lists are drawn narrow for their items (a site class in 65 pixels); a slimmer drop-down arrow than the
// usual one leaves the chosen item room to show in full.
class SlimArrowStyle : public QProxyStyle {
public:
  QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option, SubControl part,
                       const QWidget *widget) const override {
    QRect rect = QProxyStyle::subControlRect(control, option, part, widget);
    if (control != CC_ComboBox) {
      return rect;
    }
    const int arrowLeft = option->rect.right() - kArrowWidth;
    if (part == SC_ComboBoxArrow) {
      rect.setLeft(arrowLeft + 1);
    } else if (part == SC_ComboBoxEditField) {
      rect.setRight(arrowLeft);
    }
    return rect;
  }

private:
  static constexpr int kArrowWidth = 15;
};

// The 16 to 64 pixel renditions, the larger two for screens scaled by 1.5 and 2, read as the PNG files they
// are: a reader left to detect the format first loads every image plug-in installed to ask whether it can
// read the file.
QIcon programIcon() {
  QIcon icon;
  for (const int size : {16, 32, 48, 64}) {
    QImageReader reader(QStringLiteral(":/icons/tavrin-%1.png").arg(size), "png");
    reader.setAutoDetectImageFormat(false);
    icon.addPixmap(QPixmap::fromImage(reader.read()));
  }
  return icon;
}

// The message as the only text: no title, no icon, a single OK button unless buttons are given. On X11 and
// Wayland Qt puts the program's name on the title bar of a window whose title is empty; the box keeps its
// empty title, which assistive tools read, and its native window is given a lone space, which shows as an
// empty title bar.
class UntitledMessageBox : public QMessageBox {
public:
  UntitledMessageBox(const QString &message, QWidget *parent, StandardButtons buttons = Ok)
      : QMessageBox(NoIcon, QString(), message, buttons, parent) {
    create(); // not winId(), which would also make every control of the parent a native window
    windowHandle()->setTitle(QStringLiteral(" "));
    setPalette(parent->palette()); // a window of its own inherits none of the parent's colours
  }
};

// Where a question's buttons stand: the first is the answer the box proposes, 取消 takes nothing back.
QMessageBox::ButtonRole roleOf(int index, const QString &text) {
  if (index == 0) {
    return QMessageBox::AcceptRole;
  }
  return text == QStringLiteral("取消") ? QMessageBox::RejectRole : QMessageBox::DestructiveRole;
}

} // namespace

// The slim arrows come from the application's style rather than from a style given to each list: a list
// given a style of its own builds its drop-down popup there and then, ten popups before the first paint.
// Installed before any window exists, so no widget needs restyling.
void setUpApplication() {
  registerIcons();
  QApplication::setStyle(new SlimArrowStyle);
}

Form1::Form1(QWidget *parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("Tavrin"));
  setWindowIcon(programIcon());
  // The red and blue values were chosen against the drawn light grey and white; on a dark desktop palette
  // the blue ones all but vanish, so the window keeps the colours it was drawn in.
  setPalette(drawnPalette());
  setFont(windowFont());
  resize(kClientWidthTwips / kTwipsPerPixel, kClientHeightTwips / kTwipsPerPixel);

  createControls();
  nameInputsForAssistiveTools();
  chainTabOrder();
  connectReactions();
  connectWorkingResets();
  Combo1->setFocus();
}

// No layout manager: every control keeps its drawn place and size whatever the window's size.
void Form1::createControls() {
  for (const ControlSpec &spec : formLayout()) {
    std::visit(
        [&](auto member) {
          using Control = std::remove_pointer_t<std::remove_reference_t<decltype(this->*member)>>;
          auto *control = new Control(this);
          control->setObjectName(qText(spec.name));
          control->setGeometry(pixelRect(spec));
          setUp(*control, spec);
          applyLook(*control, spec.look);
          control->setHidden(spec.hiddenAtCreation);
          this->*member = control;
        },
        spec.member);
  }
}

// A screen reader announces each input and result by the caption beside it ("混凝土强度等级, C25"). Some
// platforms take the name from the control itself, others from the label whose buddy the control is. A
// value label keeps its text as its name, which is how a label's value reaches assistive tools; the
// caption, through the buddy, is read with it ("构件受力状态影响系数ψbr:, 1").
void Form1::nameInputsForAssistiveTools() {
  for (const NamedBy &pair : namingLabels()) {
    QWidget *control = widgetOf(*this, pair.control);
    QLabel *label = this->*pair.label;
    if (!std::holds_alternative<QLabel * Form1::*>(pair.control)) {
      control->setAccessibleName(label->text().trimmed());
    }
    label->setBuddy(control);
  }
}

// Labels never take the focus; the other controls follow their tab places, and Qt skips hidden ones.
void Form1::chainTabOrder() {
  std::vector<const ControlSpec *> focusable;
  for (const ControlSpec &spec : formLayout()) {
    if (!std::holds_alternative<QLabel * Form1::*>(spec.member)) {
      focusable.push_back(&spec);
    }
  }
  std::ranges::sort(focusable, {}, &ControlSpec::tabPlace);
  for (std::size_t i = 1; i < focusable.size(); ++i) {
    setTabOrder(widgetOf(*this, focusable[i - 1]->member), widgetOf(*this, focusable[i]->member));
  }
}

void Form1::connectReactions() {
  connect(Combo4, &QComboBox::currentIndexChanged, this, &Form1::steelGradeSelected);
  connect(Combo7, &QComboBox::currentIndexChanged, this, &Form1::serviceTemperatureSelected);
  connect(Command1, &QPushButton::clicked, this, &Form1::calculateCommand);
  connect(Command2, &QPushButton::clicked, this, &Form1::restoreDefaults);
  for (QComboBox *list : {Combo1, Combo2, Combo3, Combo4, Combo5, Combo6, Combo7, Combo8, Combo9, Combo10}) {
    connect(list, &QComboBox::currentIndexChanged, this, &Form1::inputsChanged);
  }
  for (QLineEdit *entry : {Text1, Text2, Text3, Text4, Text5}) {
    connect(entry, &QLineEdit::textChanged, this, &Form1::inputsChanged);
  }
}

void Form1::showMessage(const QString &message) {
  UntitledMessageBox box(message, this);
  execMessageBox(box);
}

// Closing the box presses a hidden button, so that it can be closed at all and the caller learns it was.
int Form1::askQuestion(const QString &question, const QStringList &buttons) {
  UntitledMessageBox box(question, this, QMessageBox::NoButton);
  std::vector<QAbstractButton *> added;
  for (const QString &text : buttons) {
    added.push_back(box.addButton(text, roleOf(static_cast<int>(added.size()), text)));
  }
  QAbstractButton *closed = box.addButton(QMessageBox::Cancel);
  closed->hide();
  box.setEscapeButton(closed);
  box.setDefaultButton(qobject_cast<QPushButton *>(added.front()));
  execMessageBox(box);
  const auto found = std::ranges::find(added, box.clickedButton());
  return found == added.end() ? -1 : static_cast<int>(found - added.begin());
}

void Form1::execMessageBox(QMessageBox &box) {
  box.exec();
}

} // namespace tavrin

#include "app/window/input_widgets.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QToolButton>

QString HookedLineEdit::Filtered(const QString& text) const {
  if (allowed_.isEmpty()) return text;
  QString kept;
  for (const QChar c : text) {
    if (allowed_.contains(c)) kept.push_back(c);
  }
  return kept;
}

void HookedLineEdit::keyPressEvent(QKeyEvent* event) {
  if (onKeyPress) onKeyPress(*event);
  if (!allowed_.isEmpty()) {
    if (event->matches(QKeySequence::Paste)) {
      PasteFiltered();
      event->accept();
      return;
    }
    const QString typed = event->text();
    const bool shortcut = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    if (!shortcut && !typed.isEmpty() && typed.at(0).isPrint() && Filtered(typed) != typed) {
      event->accept();
      return;
    }
  }
  QLineEdit::keyPressEvent(event);
}

void HookedLineEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // The box's own context menu does not count as leaving it.
  if (onFocusOut && event->reason() != Qt::PopupFocusReason) onFocusOut();
}

void HookedLineEdit::PasteFiltered() {
  if (isReadOnly()) return;
  const QString text = Filtered(QGuiApplication::clipboard()->text());
  if (!text.isEmpty() || hasSelectedText()) insert(text);
}

void HookedLineEdit::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = createStandardContextMenu();
  menu->setAttribute(Qt::WA_DeleteOnClose);
  if (!allowed_.isEmpty()) {
    // The standard menu's paste action, known by its caption (the same translation the menu uses).
    for (QAction* action : menu->actions()) {
      if (action->text().section(u'\t', 0, 0) != QLineEdit::tr("&Paste")) continue;
      QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
      QObject::connect(action, &QAction::triggered, this, [this] { PasteFiltered(); });
    }
  }
  menu->popup(event->globalPos());
}

void HookedLineEdit::dropEvent(QDropEvent* event) {
  if (allowed_.isEmpty() || !event->mimeData()->hasText()) {
    QLineEdit::dropEvent(event);
    return;
  }
  QMimeData filtered;
  filtered.setText(Filtered(event->mimeData()->text()));
  QDropEvent copy(event->position(), event->possibleActions(), &filtered, event->buttons(),
                  event->modifiers(), event->type());
  QLineEdit::dropEvent(&copy);
  event->setAccepted(copy.isAccepted());
}

void HookedLineEdit::inputMethodEvent(QInputMethodEvent* event) {
  if (allowed_.isEmpty()) {
    QLineEdit::inputMethodEvent(event);
    return;
  }
  QInputMethodEvent copy(event->preeditString(), event->attributes());
  copy.setCommitString(Filtered(event->commitString()), event->replacementStart(),
                       event->replacementLength());
  QLineEdit::inputMethodEvent(&copy);
}

namespace {
QToolButton* MakeArrow(QWidget* parent, Qt::ArrowType type, const char* name) {
  auto* arrow = new QToolButton(parent);
  arrow->setObjectName(QString::fromLatin1(name));
  arrow->setArrowType(type);
  arrow->setAutoRepeat(true);
  arrow->setFocusPolicy(Qt::NoFocus);
  arrow->setIconSize(QSize(7, 5));
  return arrow;
}
}  // namespace

SpinArrows::SpinArrows(QWidget* parent) : QWidget(parent) {
  auto* up = MakeArrow(this, Qt::UpArrow, "up");
  auto* down = MakeArrow(this, Qt::DownArrow, "down");
  QObject::connect(up, &QToolButton::clicked, this, [this] {
    if (onStep) onStep(+1);
  });
  QObject::connect(down, &QToolButton::clicked, this, [this] {
    if (onStep) onStep(-1);
  });
  up_ = up;
  down_ = down;
}

void SpinArrows::resizeEvent(QResizeEvent*) {
  const int upper = height() / 2;
  up_->setGeometry(0, 0, width(), upper);
  down_->setGeometry(0, upper, width(), height() - upper);
}

#include "app/window/input_widgets.h"

#include <QKeyEvent>
#include <QToolButton>

CharacterFilter::CharacterFilter(QString allowed, QObject* parent)
    : QValidator(parent), allowed_(std::move(allowed)) {}

QValidator::State CharacterFilter::validate(QString& input, int& position) const {
  QString kept;
  kept.reserve(input.size());
  int keptBeforeCursor = 0;
  for (int i = 0; i < input.size(); ++i) {
    if (!allowed_.contains(input[i])) continue;
    kept.push_back(input[i]);
    if (i < position) ++keptBeforeCursor;
  }
  input = kept;
  position = keptBeforeCursor;
  return Acceptable;
}

void HookedLineEdit::keyPressEvent(QKeyEvent* event) {
  if (onKeyPress) onKeyPress(*event);
  QLineEdit::keyPressEvent(event);
}

void HookedLineEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (onFocusOut) onFocusOut();
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

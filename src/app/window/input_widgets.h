// The single-line boxes of the window and the arrows beside the two limit boxes.
#pragma once

#include <QLineEdit>
#include <QValidator>
#include <QWidget>
#include <functional>

// A typing filter: characters outside allowed are dropped from whatever the user puts into the
// box (typed, pasted or dropped); control keys never reach it and always pass. Texts the
// program writes with setText are not filtered.
class CharacterFilter : public QValidator {
  Q_OBJECT

 public:
  CharacterFilter(QString allowed, QObject* parent);
  State validate(QString& input, int& position) const override;

 private:
  QString allowed_;
};

// A line edit whose key presses and focus loss the window can hook. The hooks run before the
// box's own handling; every key still reaches the box.
class HookedLineEdit : public QLineEdit {
  Q_OBJECT

 public:
  using QLineEdit::QLineEdit;
  std::function<void(const QKeyEvent&)> onKeyPress;
  std::function<void()> onFocusOut;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
};

// An up and a down arrow stacked in one narrow control; onStep gets +1 or -1. The arrows never
// take the focus, so the box beside them keeps it while the user clicks.
class SpinArrows : public QWidget {
  Q_OBJECT

 public:
  explicit SpinArrows(QWidget* parent);
  std::function<void(int step)> onStep;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QWidget* up_;
  QWidget* down_;
};

// The single-line boxes of the window and the arrows beside the two limit boxes.
#pragma once

#include <QLineEdit>
#include <QWidget>
#include <functional>

// A line edit whose key presses and focus loss the window can hook (the hooks run before the
// box's own handling; every key still reaches the box), with an optional typing filter: with
// allowed set, characters outside it are dropped from whatever the user puts into the box
// (typed, pasted, dropped or composed); control keys always pass. Texts the program writes with
// setText are not filtered.
class HookedLineEdit : public QLineEdit {
  Q_OBJECT

 public:
  using QLineEdit::QLineEdit;
  std::function<void(const QKeyEvent&)> onKeyPress;
  std::function<void()> onFocusOut;  // not called when a popup (the context menu) takes the focus
  void SetAllowedCharacters(QString allowed) { allowed_ = std::move(allowed); }

  // The characters of text that the filter lets through. With "0123456789-", "4x5" gives "45".
  QString Filtered(const QString& text) const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;

 private:
  void PasteFiltered();
  QString allowed_;
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

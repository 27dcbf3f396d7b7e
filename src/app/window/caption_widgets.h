// Group boxes, check boxes and labels drawn the way the window's layout expects them.
#pragma once

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <functional>

// A group box without a caption whose frame starts half a text line below its top edge, where
// a caption's middle would be, so that the places of the layout keep their distances.
class FrameGroupBox : public QGroupBox {
  Q_OBJECT

 public:
  using QGroupBox::QGroupBox;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

// A check box whose caption wraps inside its box when it is too long for one line (a channel's
// caption grows by its count), and whose right-button press the window can hook. The whole box
// takes clicks.
class WrappingCheckBox : public QCheckBox {
  Q_OBJECT

 public:
  using QCheckBox::QCheckBox;
  std::function<void()> onRightPress;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  bool hitButton(const QPoint& position) const override;
};

// A label that reports a left-button press; an '&' in its text marks a mnemonic and is not shown.
class ClickLabel : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;
  std::function<void()> onLeftPress;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
};

#include "app/window/caption_widgets.h"

#include <QMouseEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

void FrameGroupBox::paintEvent(QPaintEvent*) {
  // An etched frame: a dark line with a light one just below and right of it.
  QPainter painter(this);
  const int top = fontMetrics().height() / 2;
  const QRect frame(0, top, width() - 2, height() - top - 2);
  painter.setPen(palette().color(QPalette::Light));
  painter.drawRect(frame.translated(1, 1));
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawRect(frame);
}

void WrappingCheckBox::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  QStyleOptionButton indicator = option;
  indicator.rect = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
  indicator.rect.moveTop((height() - indicator.rect.height()) / 2);
  painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, indicator);

  const int spacing = style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, this);
  const QRect textArea(indicator.rect.right() + 1 + spacing, 0,
                       width() - indicator.rect.right() - 1 - spacing, height());
  const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;
  painter.setPen(
      palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
  painter.drawText(textArea, flags, text());
  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = painter.boundingRect(textArea, flags, text()).adjusted(-1, 0, 1, 0) & rect();
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
  }
}

void WrappingCheckBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    if (onRightPress) onRightPress();
    event->accept();
    return;
  }
  QCheckBox::mousePressEvent(event);
}

bool WrappingCheckBox::hitButton(const QPoint& position) const { return rect().contains(position); }

void ClickLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(contentsRect(), static_cast<int>(alignment()) | Qt::TextHideMnemonic, text());
}

void ClickLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && onLeftPress) {
    onLeftPress();
    return;
  }
  QLabel::mousePressEvent(event);
}

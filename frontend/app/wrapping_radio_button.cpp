#include "wrapping_radio_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

WrappingRadioButton::WrappingRadioButton(const QString& caption, QWidget* parent) : QRadioButton(caption, parent) {}

QRect WrappingRadioButton::captionRect() const {
  QStyleOptionButton option;
  initStyleOption(&option);
  return style()->subElementRect(QStyle::SE_RadioButtonContents, &option, this);
}

void WrappingRadioButton::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);

  QStyleOptionButton indicator = option;
  indicator.rect = style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, this);
  painter.drawPrimitive(QStyle::PE_IndicatorRadioButton, indicator);

  const QRect text = captionRect();
  painter.drawItemText(text, kCaptionFlags, option.palette, isEnabled(), option.text, QPalette::WindowText);

  if (option.state & QStyle::State_HasFocus) {
    QStyleOptionFocusRect focus;
    focus.QStyleOption::operator=(option);
    focus.rect = painter.fontMetrics().boundingRect(text, kCaptionFlags, option.text).adjusted(-1, 0, 1, 0) & rect();
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
  }
}

bool WrappingRadioButton::hitButton(const QPoint& pos) const { return rect().contains(pos); }

#pragma once

#include <QRadioButton>

// An option button whose caption wraps onto further lines when the button is
// tall enough, with the indicator centred beside it, as long captions need on
// this form's fixed layout.
class WrappingRadioButton : public QRadioButton {
  Q_OBJECT

 public:
  WrappingRadioButton(const QString& caption, QWidget* parent);

  // Where the caption is drawn; the text wraps at blanks within it.
  QRect captionRect() const;
  static constexpr int kCaptionFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool hitButton(const QPoint& pos) const override;
};

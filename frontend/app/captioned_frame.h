#pragma once

#include <QGroupBox>

// A frame whose caption sits on its top line, as Windows draws one, so that
// controls placed near the frame's top stay clear of the caption.
class CaptionedFrame : public QGroupBox {
  Q_OBJECT

 public:
  CaptionedFrame(const QString& caption, QWidget* parent);

  // Where the caption is drawn, in the frame's coordinates (empty without one).
  QRect captionRect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

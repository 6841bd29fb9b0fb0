#include "captioned_frame.h"

#include <QStylePainter>
#include <qdrawutil.h>

namespace {
constexpr int kCaptionIndent = 6;  // pixels from the frame's left edge
constexpr int kCaptionPadding = 2;  // blank pixels either side of the caption
}  // namespace

CaptionedFrame::CaptionedFrame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

QRect CaptionedFrame::captionRect() const {
  if (title().isEmpty()) return {};
  const QFontMetrics metrics = fontMetrics();
  return {kCaptionIndent, 0, metrics.horizontalAdvance(title()) + 2 * kCaptionPadding, metrics.height()};
}

void CaptionedFrame::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  // An etched line, its top through the middle of the caption.
  qDrawShadeRect(&painter, rect().adjusted(0, fontMetrics().height() / 2, 0, 0), palette(), true, 1, 0);

  const QRect caption = captionRect();
  if (caption.isEmpty()) return;
  painter.fillRect(caption, palette().window());
  painter.drawItemText(caption, Qt::AlignCenter | Qt::TextShowMnemonic, palette(), isEnabled(), title(),
                       QPalette::WindowText);
}

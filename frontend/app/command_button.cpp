#include "command_button.h"

#include <QKeyEvent>

CommandButton::CommandButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
  // A click takes the focus too, so a mouse press validates the box left behind.
  setFocusPolicy(Qt::StrongFocus);
}

bool CommandButton::event(QEvent* event) {
  // The focus moves (and the box left behind is corrected, with its message)
  // before the access key's click, which then acts on the corrected value.
  if (event->type() == QEvent::Shortcut && isEnabled()) setFocus(Qt::ShortcutFocusReason);
  return QPushButton::event(event);
}

void CommandButton::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    click();
    return;
  }
  QPushButton::keyPressEvent(event);
}

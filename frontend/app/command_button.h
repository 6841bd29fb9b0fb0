#pragma once

#include <QPushButton>

// A push button that behaves as a command button on the form's original
// platform: its access key first moves the focus to it, so the box being
// left is validated before the button acts, and Enter presses it while it
// has the focus, as Space does.
class CommandButton : public QPushButton {
  Q_OBJECT

 public:
  CommandButton(const QString& caption, QWidget* parent);

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

#pragma once

#include <functional>

#include <QLineEdit>

class QMenu;

// A text box whose key filter sees every character before it reaches the box:
// typed keys, and pasted or otherwise inserted text character by character,
// so nothing can be pasted that could not be typed. Editing keys (arrows,
// Home, End, Delete, Backspace, Tab) work as usual.
class FilteredLineEdit : public QLineEdit {
  Q_OBJECT

 public:
  // The filter receives a character's code and the box's text before the
  // character would go in; it sets the code to 0 to discard the character.
  using KeyFilter = std::function<void(int& AsciiValue, const QString& currentText)>;

  explicit FilteredLineEdit(KeyFilter filter, QWidget* parent = nullptr);

  // Inserts text at the cursor as if its characters were typed one by one.
  void insertAsTyped(const QString& text);

  // The box's context menu, with its Paste entry going through the filter.
  QMenu* createFilteredContextMenu();

 public slots:
  void pasteThroughFilter();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;

 private:
  static bool isTextInput(const QKeyEvent& event);
  bool accepts(QChar character) const;

  KeyFilter filter_;
};

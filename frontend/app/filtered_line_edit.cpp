#include "filtered_line_edit.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>

FilteredLineEdit::FilteredLineEdit(KeyFilter filter, QWidget* parent)
    : QLineEdit(parent), filter_(std::move(filter)) {
  // Dropped text and input-method compositions would bypass the key filter.
  setAcceptDrops(false);
  setAttribute(Qt::WA_InputMethodEnabled, false);
}

bool FilteredLineEdit::isTextInput(const QKeyEvent& event) {
  // As the box itself decides: Ctrl combinations are editing commands, and
  // any character that would be inserted is text.
  const QString typed = event.text();
  if (typed.isEmpty()) return false;
  const auto modifiers = event.modifiers() & ~Qt::KeypadModifier;
  if (modifiers == Qt::ControlModifier || modifiers == (Qt::ControlModifier | Qt::ShiftModifier)) return false;
  const QChar first = typed.front();
  return first.isPrint() || first.category() == QChar::Other_Format || first.category() == QChar::Other_PrivateUse ||
         first.isHighSurrogate();
}

bool FilteredLineEdit::accepts(QChar character) const {
  int code = character.unicode();
  filter_(code, text());
  return code != 0;
}

void FilteredLineEdit::insertAsTyped(const QString& inserted) {
  if (isReadOnly()) return;
  for (QChar c : inserted) {
    if (c.category() == QChar::Other_Control) continue;  // line breaks and the like are not typed text
    if (accepts(c)) insert(QString(c));
  }
}

void FilteredLineEdit::pasteThroughFilter() { insertAsTyped(QGuiApplication::clipboard()->text()); }

QMenu* FilteredLineEdit::createFilteredContextMenu() {
  // The box's own menu, built here so that its Paste is certain to go
  // through the filter.
  auto* menu = new QMenu(this);
  auto add = [&](const QString& caption, const char* name, QKeySequence::StandardKey key, bool enabled,
                 auto slot) {
    QAction* action = menu->addAction(caption);
    connect(action, &QAction::triggered, this, slot);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(key);
    action->setShortcutVisibleInContextMenu(true);
    action->setEnabled(enabled);
  };
  const bool editable = !isReadOnly();
  const bool clipboardHasText = !QGuiApplication::clipboard()->text().isEmpty();
  add(tr("&Undo"), "edit-undo", QKeySequence::Undo, editable && isUndoAvailable(), &QLineEdit::undo);
  add(tr("&Redo"), "edit-redo", QKeySequence::Redo, editable && isRedoAvailable(), &QLineEdit::redo);
  menu->addSeparator();
  add(tr("Cu&t"), "edit-cut", QKeySequence::Cut, editable && hasSelectedText(), &QLineEdit::cut);
  add(tr("&Copy"), "edit-copy", QKeySequence::Copy, hasSelectedText(), &QLineEdit::copy);
  add(tr("&Paste"), "edit-paste", QKeySequence::Paste, editable && clipboardHasText,
      &FilteredLineEdit::pasteThroughFilter);
  add(tr("Delete"), "edit-delete", QKeySequence::Delete, editable && hasSelectedText(), &QLineEdit::del);
  menu->addSeparator();
  add(tr("Select All"), "select-all", QKeySequence::SelectAll, !text().isEmpty(), &QLineEdit::selectAll);
  return menu;
}

void FilteredLineEdit::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Paste)) {
    pasteThroughFilter();
    event->accept();
    return;
  }
  if (isTextInput(*event)) {
    const QString typed = event->text();
    if (typed.size() > 1) {  // several characters from one key: each is filtered
      insertAsTyped(typed);
      event->accept();
      return;
    }
    if (!accepts(typed.front())) {
      event->accept();  // discarded
      return;
    }
  }
  QLineEdit::keyPressEvent(event);
}

void FilteredLineEdit::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = createFilteredContextMenu();
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(event->globalPos());
}

void FilteredLineEdit::mouseReleaseEvent(QMouseEvent* event) {
  // The middle button pastes the selection on X11; send it through the filter too.
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (event->button() == Qt::MiddleButton && clipboard->supportsSelection()) {
    if (rect().contains(event->position().toPoint())) insertAsTyped(clipboard->text(QClipboard::Selection));
    event->accept();
    return;
  }
  QLineEdit::mouseReleaseEvent(event);
}

void FilteredLineEdit::inputMethodEvent(QInputMethodEvent* event) {
  // Only committed text counts; it goes through the filter like typed keys.
  insertAsTyped(event->commitString());
  event->accept();
}

#pragma once

// What the form tests share: a shown, active form with recording platform
// services, and lookup of its controls by their names.

#include <memory>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTest>

#include "application_look.h"
#include "input_options_form.h"
#include "recording_services.h"

// The control of the given name; a missing control ends the test run with its name.
template <class Control = QWidget>
Control* control(const QWidget& form, const QString& name) {
  auto* found = form.findChild<Control*>(name);
  if (found == nullptr) qFatal("the form has no control %s of the expected kind", qPrintable(name));
  return found;
}

// A form at its start state, shown and active, so focus changes reach it as a
// user's would.
struct ShownForm {
  explicit ShownForm(const QString& programFolder = QDir::tempPath()) : ShownForm(placesInOneFolder(programFolder)) {}

  explicit ShownForm(const LobePlaces& places) : form(std::make_unique<InputOptionsForm>(services, places)) {
    form->show();
    if (!QTest::qWaitForWindowActive(form.get())) qFatal("the form's window did not become active");
  }

  QWidget* operator[](const QString& name) const { return control(*form, name); }

  template <class Control>
  Control* get(const QString& name) const {
    return control<Control>(*form, name);
  }

  // Puts the focus into a box and types text at its end, as a user would.
  void typeInto(const QString& boxName, const QString& text) const {
    auto* box = control<QLineEdit>(*form, boxName);
    box->setFocus(Qt::MouseFocusReason);
    box->end(false);
    QTest::keyClicks(box, text);
  }

  // Empties a box and types text into it.
  void retype(const QString& boxName, const QString& text) const {
    auto* box = control<QLineEdit>(*form, boxName);
    box->setFocus(Qt::MouseFocusReason);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
  }

  // Moves the focus from wherever it is to another control of the form.
  void leaveTo(const QString& name) const { control(*form, name)->setFocus(Qt::MouseFocusReason); }

  QWidget* focused() const { return QApplication::focusWidget(); }

  RecordingServices services;
  std::unique_ptr<InputOptionsForm> form;
};

// A QTest main with the application's own look, so the form is laid out as
// the program lays it out.
#define VORDEN_INPUT_TEST_MAIN(TestClass)  \
  int main(int argc, char* argv[]) {       \
    QApplication application(argc, argv);  \
    setApplicationLook();                  \
    TestClass test;                        \
    return QTest::qExec(&test, argc, argv); \
  }

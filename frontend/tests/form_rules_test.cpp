// The form's behaviour: the interplay rules and their chains, the key filters
// on typed and pasted text, and the focus-loss validation of the numeric boxes.

#include <QAbstractButton>
#include <QCheckBox>
#include <QClipboard>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>

#include "desktop_services.h"
#include "filtered_line_edit.h"
#include "form_test_support.h"

namespace {

const QString kChargeMessage = QStringLiteral("Charge can only be between -2 and 7, inclusive.");
const QString kSpinMessage = QStringLiteral("Spin can be no more than 6.");
const QString kNMessage = QStringLiteral("N should be no larger than 6.");

bool isChecked(QWidget* w) { return qobject_cast<QAbstractButton*>(w)->isChecked(); }

void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(6, w->height() / 2)); }

}  // namespace

class FormRulesTest : public QObject {
  Q_OBJECT

 private slots:
  // --- Interplay rules -----------------------------------------------------

  void basisSetEnablesNmrOnlyForTheNeonSets() {
    ShownForm f;
    auto* nmr = f.get<QComboBox>("cmbNMR");
    click(f["optBasisSet_2"]);
    QCOMPARE(f.form->basisSetIndex(), 2);
    QVERIFY(nmr->isEnabled());
    nmr->setCurrentIndex(2);  // C-13
    click(f["optBasisSet_5"]);
    QCOMPARE(f.form->basisSetIndex(), 5);
    QVERIFY(nmr->isEnabled());
    QCOMPARE(nmr->currentText(), QStringLiteral("C-13"));  // enabling keeps the choice
    click(f["optBasisSet_1"]);
    QCOMPARE(f.form->basisSetIndex(), 1);
    QVERIFY(!nmr->isEnabled());
    QCOMPARE(nmr->currentIndex(), 0);
    QCOMPARE(nmr->currentData().toInt(), 0);
    click(f["optBasisSet_6"]);
    nmr->setCurrentIndex(7);  // P-31
    click(f["optBasisSet_0"]);
    QCOMPARE(f.form->basisSetIndex(), 0);
    QVERIFY(!nmr->isEnabled());
    QCOMPARE(nmr->currentText(), QStringLiteral("none"));
  }

  void casEnablesSmallAndNaturalOrbitals() {
    ShownForm f;
    click(f["optConfigurationInteraction_3"]);
    QCOMPARE(f.form->configurationInteractionIndex(), 3);
    QVERIFY(f["chkSmall"]->isEnabled());
    QVERIFY(isChecked(f["chkSmall"]));
    QVERIFY(f["txtNaturalOrbital"]->isEnabled());
    QVERIFY(!isChecked(f["chkCoulombHole"]));
  }

  void leavingCasResetsItsOptions() {
    for (int other : {0, 1, 2, 4}) {
      ShownForm f;
      click(f["optConfigurationInteraction_3"]);
      f.retype(QStringLiteral("txtNaturalOrbital"), QStringLiteral("2"));
      click(f["optConfigurationInteraction_" + QString::number(other)]);
      QCOMPARE(f.form->configurationInteractionIndex(), other);
      QCOMPARE(f.get<QLineEdit>("txtNaturalOrbital")->text(), QStringLiteral("0"));
      QVERIFY(!isChecked(f["chkSmall"]));
      QVERIFY(!f["chkSmall"]->isEnabled());
      QVERIFY(!f["txtNaturalOrbital"]->isEnabled());
    }
  }

  // Checking "Check for YES" returns the treatment to "None" through that
  // button's own rule (which resets the form-level index).
  void coulombHoleReturnsTreatmentToNone() {
    ShownForm f;
    click(f["optConfigurationInteraction_3"]);
    f.retype(QStringLiteral("txtNaturalOrbital"), QStringLiteral("3"));
    click(f["chkCoulombHole"]);
    QVERIFY(isChecked(f["chkCoulombHole"]));
    QVERIFY(isChecked(f["optConfigurationInteraction_0"]));
    QCOMPARE(f.form->configurationInteractionIndex(), 0);
    QVERIFY(!isChecked(f["chkSmall"]));
    QVERIFY(!f["chkSmall"]->isEnabled());
    QCOMPARE(f.get<QLineEdit>("txtNaturalOrbital")->text(), QStringLiteral("0"));
    QVERIFY(!f["txtNaturalOrbital"]->isEnabled());

    ShownForm g;
    click(g["optConfigurationInteraction_2"]);
    QCOMPARE(g.form->configurationInteractionIndex(), 2);
    click(g["chkCoulombHole"]);
    QVERIFY(isChecked(g["optConfigurationInteraction_0"]));
    QCOMPARE(g.form->configurationInteractionIndex(), 0);
  }

  void treatmentsThatExcludeTheCoulombHoleUncheckIt_data() {
    QTest::addColumn<int>("treatment");
    QTest::addColumn<bool>("stillChecked");
    QTest::newRow("None") << 0 << true;
    QTest::newRow("MP2") << 1 << false;
    QTest::newRow("Single_Excitation") << 2 << true;
    QTest::newRow("Boys-Reeves CAS") << 3 << false;
    QTest::newRow("CD/MCD") << 4 << false;
  }

  void treatmentsThatExcludeTheCoulombHoleUncheckIt() {
    QFETCH(int, treatment);
    QFETCH(bool, stillChecked);
    ShownForm f;
    if (treatment == 0) click(f["optConfigurationInteraction_2"]);  // so that None is a change
    click(f["chkCoulombHole"]);
    click(f["optConfigurationInteraction_" + QString::number(treatment)]);
    QCOMPARE(isChecked(f["chkCoulombHole"]), stillChecked);
    // Unchecking the box by rule runs its own rule, which leaves the treatment alone.
    QVERIFY(isChecked(f["optConfigurationInteraction_" + QString::number(treatment)]));
    QCOMPARE(f.form->configurationInteractionIndex(), treatment);
  }

  void uncheckingCoulombHoleChangesNothingElse() {
    ShownForm f;
    click(f["chkCoulombHole"]);
    click(f["optConfigurationInteraction_2"]);
    click(f["chkCoulombHole"]);
    QVERIFY(!isChecked(f["chkCoulombHole"]));
    QVERIFY(isChecked(f["optConfigurationInteraction_2"]));
    QCOMPARE(f.form->configurationInteractionIndex(), 2);
  }

  void printIntegralsOnlyWithVerboseOutput() {
    ShownForm f;
    click(f["chkItch"]);
    QVERIFY(f["chkIntegrals"]->isEnabled());
    QVERIFY(!isChecked(f["chkIntegrals"]));
    click(f["chkIntegrals"]);
    QVERIFY(isChecked(f["chkIntegrals"]));
    click(f["chkItch"]);
    QVERIFY(!isChecked(f["chkIntegrals"]));
    QVERIFY(!f["chkIntegrals"]->isEnabled());
    // And by keyboard.
    f["chkItch"]->setFocus();
    QTest::keyClick(f["chkItch"], Qt::Key_Space);
    QVERIFY(isChecked(f["chkItch"]));
    QVERIFY(f["chkIntegrals"]->isEnabled());
  }

  void coreOrbitalsSetTheirIndex() {
    ShownForm f;
    click(f["optOrbitals_0"]);
    QCOMPARE(f.form->orbitalsIndex(), 0);
    click(f["optOrbitals_1"]);
    QCOMPARE(f.form->orbitalsIndex(), 1);
  }

  void typingFourToSixIntoNEnablesIsotopes() {
    for (const char* n : {"4", "5", "6"}) {
      ShownForm f;
      f.retype(QStringLiteral("txtN"), QString::fromLatin1(n));
      QVERIFY2(f["cmbIsotope"]->isEnabled(), n);
    }
    ShownForm f;
    f.retype(QStringLiteral("txtN"), QStringLiteral("3"));
    QVERIFY(!f["cmbIsotope"]->isEnabled());
  }

  // The change rule only enables; the list is reset and disabled when the
  // box is left with another value.
  void isotopesFollowNOnFocusLoss() {
    ShownForm f;
    auto* isotope = f.get<QComboBox>("cmbIsotope");
    f.retype(QStringLiteral("txtN"), QStringLiteral("5"));
    f.leaveTo(QStringLiteral("txtTitle"));
    QVERIFY(isotope->isEnabled());
    isotope->setCurrentIndex(7);  // C-12
    f.retype(QStringLiteral("txtN"), QStringLiteral("3"));
    QVERIFY(isotope->isEnabled());
    QCOMPARE(isotope->currentText(), QStringLiteral("C-12"));
    f.leaveTo(QStringLiteral("txtTitle"));
    QVERIFY(!isotope->isEnabled());
    QCOMPARE(isotope->currentText(), QStringLiteral("none"));
    QCOMPARE(isotope->currentData().toInt(), 0);
    QVERIFY(f.services.messages.isEmpty());
  }

  void emptiedNBecomesZeroWithoutIsotopes() {
    ShownForm f;
    f.retype(QStringLiteral("txtN"), QStringLiteral("6"));
    f.retype(QStringLiteral("txtN"), QString());
    f.leaveTo(QStringLiteral("txtTitle"));
    QCOMPARE(f.get<QLineEdit>("txtN")->text(), QStringLiteral("0"));
    QVERIFY(!f["cmbIsotope"]->isEnabled());
  }

  void listsAndOtherChecksChangeNothingElse() {
    ShownForm f;
    f.get<QComboBox>("cmbSymmetry")->setCurrentIndex(8);
    click(f["chkQuadrupoleTensor"]);
    QVERIFY(!f["cmbNMR"]->isEnabled());
    QVERIFY(!f["cmbIsotope"]->isEnabled());
    QVERIFY(!f["chkIntegrals"]->isEnabled());
    QVERIFY(!f["chkSmall"]->isEnabled());
    QCOMPARE(f.get<QComboBox>("cmbSymmetry")->currentData().toInt(), 0);  // Cnvx carries 0
  }

  // --- Key filters -----------------------------------------------------------

  void minusGoesOnlyIntoAnEmptyChargeBox() {
    ShownForm f;
    auto* charge = f.get<QLineEdit>("txtCharge");
    f.retype(QStringLiteral("txtCharge"), QStringLiteral("-"));
    QCOMPARE(charge->text(), QStringLiteral("-"));
    QTest::keyClicks(charge, QStringLiteral("2"));
    QCOMPARE(charge->text(), QStringLiteral("-2"));

    f.retype(QStringLiteral("txtCharge"), QStringLiteral("5-"));
    QCOMPARE(charge->text(), QStringLiteral("5"));
    QTest::keyClick(charge, Qt::Key_Home);
    QTest::keyClick(charge, Qt::Key_Minus);
    QCOMPARE(charge->text(), QStringLiteral("5"));
    // A selected text is not an empty box.
    charge->selectAll();
    QTest::keyClick(charge, Qt::Key_Minus);
    QCOMPARE(charge->text(), QStringLiteral("5"));
  }

  void numericBoxesDiscardEverythingButDigitsAndFullStop() {
    ShownForm f;
    for (const char* name : {"txtSpin", "txtN", "txtITSD", "txtCharge"}) {
      f.retype(QString::fromLatin1(name), QStringLiteral("a+ xZ,e"));
      QKeyEvent accented(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("\u00E9"));
      QApplication::sendEvent(f[QString::fromLatin1(name)], &accented);
      QCOMPARE(f.get<QLineEdit>(QString::fromLatin1(name))->text(), QString());
      f.retype(QString::fromLatin1(name), QStringLiteral("q3"));
      QCOMPARE(f.get<QLineEdit>(QString::fromLatin1(name))->text(), QStringLiteral("3"));
      f.retype(QString::fromLatin1(name), QStringLiteral("."));
      QCOMPARE(f.get<QLineEdit>(QString::fromLatin1(name))->text(), QStringLiteral("."));
      f.leaveTo(QStringLiteral("txtTitle"));
    }
    click(f["optConfigurationInteraction_3"]);
    f.retype(QStringLiteral("txtNaturalOrbital"), QStringLiteral("x4"));
    QCOMPARE(f.get<QLineEdit>("txtNaturalOrbital")->text(), QStringLiteral("4"));
    // The path box takes any text.
    f.retype(QStringLiteral("txtTitle"), QStringLiteral("C:\\Mol -a.xyz"));
    QCOMPARE(f.get<QLineEdit>("txtTitle")->text(), QStringLiteral("C:\\Mol -a.xyz"));
  }

  void typingStopsAtTheLengthLimit() {
    ShownForm f;
    f.retype(QStringLiteral("txtCharge"), QStringLiteral("123"));
    QCOMPARE(f.get<QLineEdit>("txtCharge")->text(), QStringLiteral("12"));
    f.retype(QStringLiteral("txtSpin"), QStringLiteral("45"));
    QCOMPARE(f.get<QLineEdit>("txtSpin")->text(), QStringLiteral("4"));
    f.retype(QStringLiteral("txtITSD"), QStringLiteral("456"));
    QCOMPARE(f.get<QLineEdit>("txtITSD")->text(), QStringLiteral("45"));
  }

  void editingKeysWorkAsUsual() {
    ShownForm f;
    auto* itsd = f.get<QLineEdit>("txtITSD");
    itsd->setFocus();
    QTest::keyClick(itsd, Qt::Key_End);
    QTest::keyClick(itsd, Qt::Key_Backspace);
    QCOMPARE(itsd->text(), QStringLiteral("3"));
    QTest::keyClicks(itsd, QStringLiteral("5"));
    QTest::keyClick(itsd, Qt::Key_Home);
    QTest::keyClick(itsd, Qt::Key_Delete);
    QCOMPARE(itsd->text(), QStringLiteral("5"));
    QTest::keyClick(itsd, Qt::Key_Right);
    QTest::keyClicks(itsd, QStringLiteral("1"));
    QCOMPARE(itsd->text(), QStringLiteral("51"));
    QTest::keyClick(itsd, Qt::Key_Left);
    QTest::keyClick(itsd, Qt::Key_Backspace);
    QCOMPARE(itsd->text(), QStringLiteral("1"));
    QTest::keyClick(itsd, Qt::Key_A, Qt::ControlModifier);  // select all
    QTest::keyClicks(itsd, QStringLiteral("7"));
    QCOMPARE(itsd->text(), QStringLiteral("7"));
  }

  void pastedTextPassesTheSameFilter() {
    ShownForm f;
    auto* charge = f.get<QLineEdit>("txtCharge");
    f.retype(QStringLiteral("txtCharge"), QString());
    QGuiApplication::clipboard()->setText(QStringLiteral("-7x"));
    QTest::keyClick(charge, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(charge->text(), QStringLiteral("-7"));

    // A minus sign after a digit could not be typed, so it cannot be pasted.
    f.retype(QStringLiteral("txtCharge"), QString());
    QGuiApplication::clipboard()->setText(QStringLiteral("3-"));
    QTest::keyClick(charge, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(charge->text(), QStringLiteral("3"));

    auto* spin = f.get<QLineEdit>("txtSpin");
    f.retype(QStringLiteral("txtSpin"), QString());
    QGuiApplication::clipboard()->setText(QStringLiteral("a-4\n5"));
    QTest::keyClick(spin, Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(spin->text(), QStringLiteral("4"));  // and the length limit holds

    // The context menu's Paste goes the same way.
    auto* itsd = qobject_cast<FilteredLineEdit*>(f["txtITSD"]);
    f.retype(QStringLiteral("txtITSD"), QString());
    QGuiApplication::clipboard()->setText(QStringLiteral("x1 2"));
    std::unique_ptr<QMenu> menu(itsd->createFilteredContextMenu());
    QAction* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"));
    QVERIFY(paste);
    QVERIFY(paste->isEnabled());
    paste->trigger();
    QCOMPARE(itsd->text(), QStringLiteral("12"));

    // The path box pastes as usual.
    auto* title = f.get<QLineEdit>("txtTitle");
    f.retype(QStringLiteral("txtTitle"), QString());
    QGuiApplication::clipboard()->setText(QStringLiteral("/tmp/a b.xyz"));
    QTest::keyClick(title, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(title->text(), QStringLiteral("/tmp/a b.xyz"));
  }

  void droppedTextIsRefused() {
    ShownForm f;
    for (const char* name : {"txtSpin", "txtCharge", "txtN", "txtITSD", "txtNaturalOrbital"})
      QVERIFY2(!f[QString::fromLatin1(name)]->acceptDrops(), name);
  }

  // --- Focus-loss validation -------------------------------------------------

  void chargeOutOfRangeIsResetWithMessageAndFocusBack_data() {
    QTest::addColumn<QString>("typed");
    QTest::newRow("8") << QStringLiteral("8");
    QTest::newRow("-3") << QStringLiteral("-3");
    QTest::newRow("99") << QStringLiteral("99");
  }

  void chargeOutOfRangeIsResetWithMessageAndFocusBack() {
    QFETCH(QString, typed);
    ShownForm f;
    f.retype(QStringLiteral("txtCharge"), typed);
    QCOMPARE(f.get<QLineEdit>("txtCharge")->text(), typed);
    f.leaveTo(QStringLiteral("txtSpin"));
    QCOMPARE(f.services.messages, (QVector<Message>{{kChargeMessage, MessageIcon::Information, "VORDEN Input"}}));
    QCOMPARE(f.get<QLineEdit>("txtCharge")->text(), QStringLiteral("0"));  // not 7 or -2
    QCOMPARE(f.focused(), f["txtCharge"]);
  }

  void chargeQuietCorrections_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("after");
    for (const char* t : {"", "-", "-0", ".", "-.", "1.", ".5"}) QTest::newRow(t) << QString::fromLatin1(t) << "0";
    for (const char* t : {"7", "-2", "0", "3"}) QTest::newRow(t) << QString::fromLatin1(t) << QString::fromLatin1(t);
  }

  void chargeQuietCorrections() {
    QFETCH(QString, typed);
    QFETCH(QString, after);
    ShownForm f;
    f.retype(QStringLiteral("txtCharge"), typed);
    f.leaveTo(QStringLiteral("txtTitle"));
    QVERIFY(f.services.messages.isEmpty());
    QCOMPARE(f.get<QLineEdit>("txtCharge")->text(), after);
    QCOMPARE(f.focused(), f["txtTitle"]);
  }

  void spinAboveSixBecomesSix() {
    for (const char* typed : {"7", "8", "9"}) {
      ShownForm f;
      f.retype(QStringLiteral("txtSpin"), QString::fromLatin1(typed));
      QTest::keyClick(f["txtSpin"], Qt::Key_Tab);  // the focus moves on to the charge box
      QCOMPARE(f.services.messages, (QVector<Message>{{kSpinMessage, MessageIcon::Information, "VORDEN Input"}}));
      QCOMPARE(f.get<QLineEdit>("txtSpin")->text(), QStringLiteral("6"));
      QCOMPARE(f.focused(), f["txtSpin"]);
    }
  }

  void spinQuietCorrections() {
    ShownForm f;
    for (auto [typed, after] : {std::pair{"", "0"}, {".", "0"}, {"6", "6"}, {"0", "0"}}) {
      f.retype(QStringLiteral("txtSpin"), QString::fromLatin1(typed));
      f.leaveTo(QStringLiteral("txtTitle"));
      QCOMPARE(f.get<QLineEdit>("txtSpin")->text(), QString::fromLatin1(after));
    }
    QVERIFY(f.services.messages.isEmpty());
  }

  void nAboveSixBecomesSixWithoutIconAndEnablesIsotopes() {
    ShownForm f;
    f.retype(QStringLiteral("txtN"), QStringLiteral("7"));
    QVERIFY(!f["cmbIsotope"]->isEnabled());
    click(f["chkQuadrupoleTensor"]);  // the click takes the focus from the box first
    QCOMPARE(f.services.messages, (QVector<Message>{{kNMessage, MessageIcon::None, "VORDEN Input"}}));
    QCOMPARE(f.get<QLineEdit>("txtN")->text(), QStringLiteral("6"));
    QVERIFY(f["cmbIsotope"]->isEnabled());
    QCOMPARE(f.focused(), f["txtN"]);
  }

  void nQuietCorrections() {
    ShownForm f;
    for (auto [typed, after] : {std::pair{"", "0"}, {".", "0"}, {"3", "3"}}) {
      f.retype(QStringLiteral("txtN"), QString::fromLatin1(typed));
      f.leaveTo(QStringLiteral("txtTitle"));
      QCOMPARE(f.get<QLineEdit>("txtN")->text(), QString::fromLatin1(after));
      QVERIFY(!f["cmbIsotope"]->isEnabled());
    }
    QVERIFY(f.services.messages.isEmpty());
  }

  void steepestDescentFallsBackToThirty() {
    ShownForm f;
    for (auto [typed, after] : {std::pair{"", "30"}, {"0", "30"}, {"00", "30"}, {".", "30"}, {"5.", "30"},
                                {"5", "5"}, {"05", "05"}, {"99", "99"}}) {
      f.retype(QStringLiteral("txtITSD"), QString::fromLatin1(typed));
      f.leaveTo(QStringLiteral("txtTitle"));
      QCOMPARE(f.get<QLineEdit>("txtITSD")->text(), QString::fromLatin1(after));
    }
    QVERIFY(f.services.messages.isEmpty());
  }

  void emptyNaturalOrbitalBoxBecomesZero() {
    ShownForm f;
    click(f["optConfigurationInteraction_3"]);
    for (auto [typed, after] : {std::pair{"", "0"}, {".", "0"}, {"2", "2"}}) {
      f.retype(QStringLiteral("txtNaturalOrbital"), QString::fromLatin1(typed));
      f.leaveTo(QStringLiteral("txtTitle"));
      QCOMPARE(f.get<QLineEdit>("txtNaturalOrbital")->text(), QString::fromLatin1(after));
    }
    QVERIFY(f.services.messages.isEmpty());
  }

  // Another window taking the activation is not a move to another control:
  // the box keeps its text until the focus moves within the form.
  void deactivatingTheWindowDoesNotValidate() {
    ShownForm f;
    f.retype(QStringLiteral("txtCharge"), QStringLiteral("9"));
    QWidget elsewhere;
    elsewhere.setWindowTitle(QStringLiteral("another window"));
    elsewhere.resize(100, 100);
    elsewhere.show();
    elsewhere.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
    QVERIFY(f.services.messages.isEmpty());
    QCOMPARE(f.get<QLineEdit>("txtCharge")->text(), QStringLiteral("9"));

    elsewhere.hide();
    f.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
    QCOMPARE(f.focused(), f["txtCharge"]);
    QVERIFY(f.services.messages.isEmpty());
    f.leaveTo(QStringLiteral("txtTitle"));
    QCOMPARE(f.services.messages.size(), 1);
    QCOMPARE(f.get<QLineEdit>("txtCharge")->text(), QStringLiteral("0"));
  }

  // While the message is up, focus moving about (as a modal box does) must not
  // validate anything again.
  void noValidationWhileItsMessageIsUp() {
    ShownForm f;
    f.get<QLineEdit>("txtSpin")->setText(QStringLiteral("9"));  // left behind without a check
    f.retype(QStringLiteral("txtCharge"), QStringLiteral("8"));
    int messagesDuring = -1;
    f.services.onMessage = [&] {
      f["txtSpin"]->setFocus();
      f["txtN"]->setFocus();
      messagesDuring = f.services.messages.size();
    };
    f.leaveTo(QStringLiteral("txtSpin"));
    QCOMPARE(messagesDuring, 1);
    QCOMPARE(f.services.messages.size(), 1);
    QCOMPARE(f.services.messages.front().text, kChargeMessage);
    QCOMPARE(f.focused(), f["txtCharge"]);
    QCOMPARE(f.get<QLineEdit>("txtSpin")->text(), QStringLiteral("9"));
  }

  // The same with the desktop's real, modal message box, closed by a timer.
  void realMessageBoxGivesTheFocusBack() {
    DesktopServices desktop;
    InputOptionsForm form(desktop, placesInOneFolder(QDir::tempPath()));
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    auto* spin = control<QLineEdit>(form, QStringLiteral("txtSpin"));
    spin->setFocus();
    spin->selectAll();
    QTest::keyClicks(spin, QStringLiteral("8"));
    QString shownText;
    QMessageBox::Icon shownIcon = QMessageBox::NoIcon;
    QString shownTitle;
    int closed = 0;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        shownText = box->text();
        shownIcon = box->icon();
        shownTitle = box->windowTitle();
        ++closed;
        box->button(QMessageBox::Ok)->click();
      }
    });
    closer.start(50);
    control(form, QStringLiteral("txtCharge"))->setFocus(Qt::MouseFocusReason);
    QTRY_COMPARE(closed, 1);
    QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
    // The form, active again, has the focus in the spin box and shows no second message.
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QTest::qWait(200);
    closer.stop();
    QCOMPARE(closed, 1);
    QCOMPARE(shownText, kSpinMessage);
    QCOMPARE(shownIcon, QMessageBox::Information);
    QCOMPARE(shownTitle, QStringLiteral("VORDEN Input"));
    QCOMPARE(spin->text(), QStringLiteral("6"));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(spin));
  }

  void exitButtonEndsTheProgram() {
    ShownForm f;
    click(f["cmdAbort"]);
    QCOMPARE(f.services.exitRequests, 1);
    QTest::keyClick(f.form.get(), Qt::Key_X, Qt::AltModifier);
    QTRY_COMPARE(f.services.exitRequests, 2);
  }
};

VORDEN_INPUT_TEST_MAIN(FormRulesTest)
#include "form_rules_test.moc"

// The form for keyboard and screen-reader users: access keys and Enter
// validate the box being left before a button acts, Tab enters option groups
// at the chosen button, the focus announced after a correction is the
// corrected box, and frames, the picture and a launch speak for themselves.

#include <QAbstractButton>
#include <QAccessible>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>

#include "form_test_support.h"
#include "worked_example.h"

namespace {

const Message kChargeMessage{QStringLiteral("Charge can only be between -2 and 7, inclusive."),
                             MessageIcon::Information};

QString accessibleText(QWidget* w, QAccessible::Text text) {
  return QAccessible::queryAccessibleInterface(w)->text(text);
}

}  // namespace

class KeyboardAndAssistiveTest : public QObject {
  Q_OBJECT

 private slots:
  void buttonKeysValidateTheBoxBeingLeftFirst_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("focusFirst");  // the button Enter is pressed on
    QTest::addColumn<QString>("acted");
    QTest::newRow("Alt+L") << int(Qt::Key_L) << QString() << "launched";
    QTest::newRow("Alt+V") << int(Qt::Key_V) << QString() << "viewed";
    QTest::newRow("Alt+X") << int(Qt::Key_X) << QString() << "exited";
    QTest::newRow("Enter on Launch") << int(Qt::Key_Return) << "cmdOK" << "launched";
  }

  // Charge 8 gives its message and becomes 0 before the button acts: a
  // launch writes the worked example's lobe.dat, whose charge is 0.
  void buttonKeysValidateTheBoxBeingLeftFirst() {
    QFETCH(int, key);
    QFETCH(QString, focusFirst);
    QFETCH(QString, acted);
    QTemporaryDir program;
    ShownForm f(program.path());
    f.retype(QStringLiteral("txtTitle"), QStringLiteral(EXAMPLES_DIR "/water.xyz"));
    f.get<QAbstractButton>("optBasisSet_3")->click();
    f.get<QComboBox>("cmbSymmetry")->setCurrentIndex(2);  // C2v
    f.retype(QStringLiteral("txtCharge"), QStringLiteral("8"));
    if (focusFirst.isEmpty()) {
      QTest::keyClick(f.focused(), Qt::Key(key), Qt::AltModifier);
    } else {
      f.leaveTo(focusFirst);  // turned back by the correction
      f.leaveTo(focusFirst);
      QTest::keyClick(f.focused(), Qt::Key(key));
    }
    QTRY_VERIFY(!f.services.starts.isEmpty() || f.services.exitRequests > 0 || f.services.messages.size() > 1);
    QCOMPARE(f.services.messages.value(0), kChargeMessage);
    QCOMPARE(f.get<QLineEdit>("txtCharge")->text(), QStringLiteral("0"));
    if (acted == u"launched") {
      QCOMPARE(f.services.messages.size(), 1);
      QFile lobeDat(QDir(program.path()).filePath(QStringLiteral("lobe.dat")));
      QVERIFY(lobeDat.open(QIODevice::ReadOnly));
      QCOMPARE(lobeDat.readAll(), QByteArray::fromStdString(vorden::testing::kWorkedExampleLobeDat));
      // The about line says that the engine started and where its report appears.
      const QString status = f.get<QLabel>("Label5")->text();
      QVERIFY2(status.contains(QDir::toNativeSeparators(program.path())) && status.contains(u"lobe.out"),
               qPrintable(status));
    } else if (acted == u"viewed") {
      QCOMPARE(f.services.messages.back().title, QStringLiteral("'Lobe.out' missing"));
    } else {
      QCOMPARE(f.services.exitRequests, 1);
    }
  }

  // From a fresh form, Shift+Tab goes once round the enabled controls,
  // stopping in each option group on its chosen button only.
  void shiftTabEntersOptionGroupsAtTheirChosenButtons() {
    ShownForm f;
    f.leaveTo(QStringLiteral("txtTitle"));
    QStringList walk;
    for (int i = 0; i < 16; ++i) {
      QTest::keyClick(f.focused(), Qt::Key_Backtab, Qt::ShiftModifier);
      walk << f.focused()->objectName();
    }
    QCOMPARE(walk, (QStringList{"cmbSymmetry", "txtITSD", "cmdSelectFile", "cmdAbort", "cmdViewResults", "cmdOK",
                                "optOrbitals_1", "optConfigurationInteraction_0", "txtCharge", "txtSpin", "chkItch",
                                "chkQuadrupoleTensor", "txtN", "chkCoulombHole", "optBasisSet_0", "txtTitle"}));
    // Entered at the chosen button, an arrow key chooses the next one.
    QTest::keyClick(f.focused(), Qt::Key_Tab);
    QTest::keyClick(f.focused(), Qt::Key_Down);
    QCOMPARE(f.focused(), f["optBasisSet_1"]);
    QCOMPARE(f.form->basisSetIndex(), 1);
    QTest::keyClick(f.focused(), Qt::Key_Tab);
    QTest::keyClick(f.focused(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(f.focused(), f["optBasisSet_1"]);
  }

  // Assistive tools announce each control that takes the focus; after Tab
  // from an out-of-range box, the focus is in the corrected box and no other
  // control has held it on the way.
  void correctionLeavesTheAnnouncedFocusOnTheBox() {
    for (auto [box, typed] : {std::pair{"txtCharge", "8"}, {"txtSpin", "9"}, {"txtN", "7"}}) {
      ShownForm f;
      f.retype(QString::fromLatin1(box), QString::fromLatin1(typed));
      QWidgetList focusedOnTheWay;
      const auto watch = QObject::connect(qApp, &QApplication::focusChanged,
                                          [&](QWidget*, QWidget* now) { focusedOnTheWay.append(now); });
      QTest::keyClick(f.focused(), Qt::Key_Tab);
      QObject::disconnect(watch);
      QCOMPARE(f.services.messages.size(), 1);
      QCOMPARE(f.focused(), f[QString::fromLatin1(box)]);
      QCOMPARE(focusedOnTheWay, QWidgetList{});
    }
  }

  void framesAndThePictureHaveNamesOfTheirOwn() {
    ShownForm f;
    QCOMPARE(accessibleText(f["fraOrbitals"], QAccessible::Name), QStringLiteral("Core Orbitals"));
    QCOMPARE(accessibleText(f["fraConfigurationInteraction"], QAccessible::Name),
             QStringLiteral("Post-Hartree Fock Options"));
    QVERIFY(!accessibleText(f["fraFrame"], QAccessible::Name).isEmpty());
    QVERIFY(accessibleText(f["Image1"], QAccessible::Name).contains(u"Water"));
    QVERIFY(accessibleText(f["Image1"], QAccessible::Description).contains(u"oxygen"));
  }
};

VORDEN_INPUT_TEST_MAIN(KeyboardAndAssistiveTest)
#include "keyboard_and_assistive_test.moc"

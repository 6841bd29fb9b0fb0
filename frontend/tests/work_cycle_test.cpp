// The buttons' actions: Browse, Launch (in a temporary program folder, with
// lobe.dat checked byte for byte), View Output and the messages of every
// failure, in order.

#include <QAbstractItemView>
#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include "desktop_services.h"
#include "form_test_support.h"
#include "worked_example.h"

namespace {

const QString kOutOfRange = QStringLiteral(
    "An out-of-range element was discovered in this file.  Make sure the desired basis set has been selected.");
const Message kCreationError{QStringLiteral("Error occurred in lobe.dat file creation."), MessageIcon::Critical};

QByteArray contentOf(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

void write(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
    qFatal("cannot write the test file %s", qPrintable(path));
}

void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(6, w->height() / 2)); }

QString waterPath() { return QStringLiteral(EXAMPLES_DIR "/water.xyz"); }

// The worked example's lobe.dat for water.xyz with basis set 3 and "C2v".
QByteArray workedExample() { return QByteArray::fromStdString(vorden::testing::kWorkedExampleLobeDat); }

QByteArray blanks(int n) { return QByteArray(n, ' '); }

}  // namespace

class WorkCycleTest : public QObject {
  Q_OBJECT

  QString savedCurrentFolder_;

 private slots:
  void init() { savedCurrentFolder_ = QDir::currentPath(); }
  void cleanup() { QDir::setCurrent(savedCurrentFolder_); }

  // --- Browse ----------------------------------------------------------------

  void browsePutsTheChosenPathIntoThePathBox() {
    ShownForm f;
    f.services.fileDialogAnswer = QStringLiteral("/home/student/molecules/water.xyz");
    click(f["cmdSelectFile"]);
    QCOMPARE(f.services.fileDialogFilters.size(), 1);
    QCOMPARE(f.services.fileDialogFilters.front(),
             (QStringList{"Coordinate Files (*.xyz, *.cta) (*.cta *.xyz)", "All Files (*.*) (*)"}));
    QCOMPARE(f.get<QLineEdit>("txtTitle")->text(), QStringLiteral("/home/student/molecules/water.xyz"));
  }

  void cancellingBrowseKeepsTheTypedPath() {
    ShownForm f;
    f.retype(QStringLiteral("txtTitle"), QStringLiteral("typed.xyz"));
    f.services.fileDialogAnswer.clear();
    click(f["cmdSelectFile"]);
    QCOMPARE(f.services.fileDialogFilters.size(), 1);
    QCOMPARE(f.get<QLineEdit>("txtTitle")->text(), QStringLiteral("typed.xyz"));
  }

  // The desktop's file dialog: coordinate files first and chosen, shown with
  // their descriptions, listing *.cta and *.xyz files only.
  void desktopFileDialogFiltersCoordinateFiles() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    for (const char* name : {"water.xyz", "benzene.cta", "notes.txt"}) write(folder.filePath(QString::fromLatin1(name)), "x");
    QDir::setCurrent(folder.path());

    QStringList shownFilters;
    QString selectedFilter;
    bool listsOnlyCoordinateFiles = false;
    QTimer chooser;
    QObject::connect(&chooser, &QTimer::timeout, [&] {
      auto* dialog = shownFileDialog();
      if (dialog == nullptr) return;
      chooser.stop();
      if (auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo")))
        for (int i = 0; i < types->count(); ++i) shownFilters << types->itemText(i);
      selectedFilter = dialog->selectedNameFilter();
      dialog->setDirectory(folder.path());
      QTest::qWait(300);  // the folder is read in the background
      if (auto* view = dialog->findChild<QAbstractItemView*>(QStringLiteral("listView"))) {
        QStringList listed;
        const QModelIndex root = view->rootIndex();
        for (int row = 0; row < view->model()->rowCount(root); ++row)
          listed << view->model()->index(row, 0, root).data().toString();
        listed.sort();
        listsOnlyCoordinateFiles = listed == QStringList{"benzene.cta", "water.xyz"};
      }
      // As a user would: the name typed into the dialog's file name box.
      if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) name->setText(QStringLiteral("benzene.cta"));
      static_cast<QDialog*>(dialog)->accept();
    });
    chooser.start(50);
    // Should the dialog not be answered, close it rather than wait for ever.
    QTimer::singleShot(20000, [] {
      if (auto* dialog = shownFileDialog()) dialog->reject();
    });
    DesktopServices desktop;
    const QString chosen = desktop.chooseFileToOpen(
        nullptr, {"Coordinate Files (*.xyz, *.cta) (*.cta *.xyz)", "All Files (*.*) (*)"});
    QCOMPARE(shownFilters, (QStringList{"Coordinate Files (*.xyz, *.cta)", "All Files (*.*)"}));
    QCOMPARE(selectedFilter, QStringLiteral("Coordinate Files (*.xyz, *.cta)"));
    QVERIFY(listsOnlyCoordinateFiles);
    QCOMPARE(QFileInfo(chosen), QFileInfo(folder.filePath(QStringLiteral("benzene.cta"))));

    QTimer canceller;
    QObject::connect(&canceller, &QTimer::timeout, [&] {
      if (auto* dialog = shownFileDialog()) dialog->reject();
    });
    canceller.start(50);
    QCOMPARE(desktop.chooseFileToOpen(nullptr, {"All Files (*.*) (*)"}), QString());
  }

  // --- Launch ----------------------------------------------------------------

  void emptyPathAsksForAFileAndDeletesNothing() {
    QTemporaryDir program;
    write(program.filePath("lobe.out"), "old report");
    write(program.filePath("lobe.dat"), "old input");
    ShownForm f(program.path());
    click(f["cmdOK"]);
    QCOMPARE(f.services.messages,
             (QVector<Message>{{"Please specify a data input file.", MessageIcon::Information, "VORDEN Input"}}));
    QCOMPARE(f.focused(), f["txtTitle"]);
    QCOMPARE(contentOf(program.filePath("lobe.out")), QByteArray("old report"));
    QCOMPARE(contentOf(program.filePath("lobe.dat")), QByteArray("old input"));
    QVERIFY(f.services.starts.isEmpty());
  }

  void pathNamingNoFileIsNotFoundAndDeletesNothing() {
    QTemporaryDir program;
    write(program.filePath("lobe.out"), "old report");
    write(program.filePath("lobe.dat"), "old input");
    for (const QString& path : {program.filePath("absent.xyz"), program.path()}) {  // no file, and a folder
      ShownForm f(program.path());
      f.retype(QStringLiteral("txtTitle"), path);
      click(f["cmdOK"]);
      QCOMPARE(f.services.messages, (QVector<Message>{{"File not found.  Please specify another.",
                                                        MessageIcon::Information, "VORDEN Input"}}));
      QCOMPARE(f.focused(), f["txtTitle"]);
      QCOMPARE(contentOf(program.filePath("lobe.out")), QByteArray("old report"));
      QCOMPARE(contentOf(program.filePath("lobe.dat")), QByteArray("old input"));
      QVERIFY(f.services.starts.isEmpty());
    }
  }

  // The worked example: water with basis set 3 and C2v symmetry, everything
  // else at its start value, gives exactly the example's lobe.dat, and the
  // engine is started in the program folder.
  void workedExampleWritesItsLobeDatAndStartsTheEngine() {
    QTemporaryDir program;
    write(program.filePath("lobe.out"), "old report");
    write(program.filePath("lobe.dat"), "old input");
    ShownForm f(program.path());
    f.retype(QStringLiteral("txtTitle"), waterPath());
    click(f["optBasisSet_3"]);
    f.get<QComboBox>("cmbSymmetry")->setCurrentIndex(2);
    QCOMPARE(f.get<QComboBox>("cmbSymmetry")->currentText(), QStringLiteral("C2v"));
    click(f["cmdOK"]);
    QVERIFY2(f.services.messages.isEmpty(), f.services.messages.isEmpty() ? "" : qPrintable(f.services.messages.front().text));
    QCOMPARE(contentOf(program.filePath("lobe.dat")), workedExample());
    QVERIFY(!QFileInfo::exists(program.filePath("lobe.out")));  // the previous report is gone
    QCOMPARE(f.services.starts.size(), 1);
    QCOMPARE(f.services.starts.front().program, QDir(program.path()).filePath("vorden"));
    QCOMPARE(f.services.starts.front().folder, program.path());
    // No temporary file is left beside it.
    QCOMPARE(QDir(program.path()).entryList(QDir::Files), QStringList{"lobe.dat"});
  }

  // Each control reaches lobe.dat: print level 2, Cnvx, isotope O-18 with n 5,
  // five steepest-descent iterations, the quadrupole tensor, charge -2, spin
  // 3, and Boys-Reeves CAS with Small and two natural-orbital iterations.
  void everyControlReachesLobeDat() {
    QTemporaryDir program;
    ShownForm f(program.path());
    f.retype(QStringLiteral("txtTitle"), waterPath());
    click(f["chkItch"]);
    click(f["chkIntegrals"]);
    f.get<QComboBox>("cmbSymmetry")->setCurrentIndex(8);  // Cnvx
    f.retype(QStringLiteral("txtN"), QStringLiteral("5"));
    f.get<QComboBox>("cmbIsotope")->setCurrentIndex(13);  // O-18
    f.retype(QStringLiteral("txtITSD"), QStringLiteral("5"));
    click(f["chkQuadrupoleTensor"]);
    f.retype(QStringLiteral("txtCharge"), QStringLiteral("-2"));
    f.retype(QStringLiteral("txtSpin"), QStringLiteral("3"));
    click(f["optConfigurationInteraction_3"]);
    f.retype(QStringLiteral("txtNaturalOrbital"), QStringLiteral("2"));
    click(f["optOrbitals_0"]);
    click(f["cmdOK"]);
    QVERIFY(f.services.messages.isEmpty());
    const QByteArray expected =
        // Options record: name, print level 2, symmetry 0, NMR 00, basis 0,
        // iterations 05, isotope 18, no Coulomb hole, n 5, spin 3, quadrupole 1.
        "   water.xyz" + blanks(18) + "2" + blanks(2) + "0" + blanks(8) + "00" + " " + "0" + blanks(7) + "05" + " " +
        "18" + "00" + blanks(10) + "5" + blanks(2) + "3" + "1" + "\n" +
        // Basis set 0: no lobe parameters; the charge -02 in the first record only.
        "O  8-020    " + " 0.000000" + " " + " 0.000000" + " " + " 0.117300" + "\n" +
        "H  1  0    " + " 0.000000" + " " + " 0.757200" + " " + "-0.469200" + "\n" +
        "H  1  0    " + " 0.000000" + " " + "-0.757200" + " " + "-0.469200" + "\n" +
        "\n" +
        // CAS with Small: codes " 0", "0" and "-1", two natural-orbital iterations.
        "  0  0  0  2  0  0 -1\n" + "\n" + "\r\n";
    QCOMPARE(contentOf(program.filePath("lobe.dat")), expected);
  }

  // The Coulomb hole, an NMR nucleus, "Oh", "Verbose Output" alone, charge 3,
  // Single_Excitation and "Include".
  void coulombHoleAndNmrReachLobeDat() {
    QTemporaryDir program;
    ShownForm f(program.path());
    f.retype(QStringLiteral("txtTitle"), waterPath());
    click(f["optBasisSet_4"]);
    f.get<QComboBox>("cmbNMR")->setCurrentIndex(5);  // F-19
    f.get<QComboBox>("cmbSymmetry")->setCurrentIndex(7);  // Oh
    click(f["chkItch"]);
    f.retype(QStringLiteral("txtCharge"), QStringLiteral("3"));
    click(f["chkCoulombHole"]);
    click(f["optConfigurationInteraction_2"]);  // keeps the Coulomb hole
    click(f["optOrbitals_0"]);
    click(f["cmdOK"]);
    QVERIFY(f.services.messages.isEmpty());
    const QByteArray oxygen = "-1.00 0.00-2.00 0.00 0.00 2.49";
    const QByteArray hydrogen = "-1.00 0.00-2.00 0.00 0.00 0.00";
    const QByteArray expected =
        "   water.xyz" + blanks(18) + "1" + blanks(2) + "7" + blanks(8) + "09" + " " + "4" + blanks(7) + "30" + " " +
        "00" + "04" + blanks(10) + "0" + blanks(2) + "0" + "0" + "\n" +
        "O  8034    " + " 0.000000" + " " + " 0.000000" + " " + " 0.117300" + oxygen + "\n" +
        "H  1  4    " + " 0.000000" + " " + " 0.757200" + " " + "-0.469200" + hydrogen + "\n" +
        "H  1  4    " + " 0.000000" + " " + "-0.757200" + " " + "-0.469200" + hydrogen + "\n" +
        "\n" +
        // Single_Excitation " 1", core orbitals included "0".
        "  0  0  0  0  1  0 \n" + "\n" + "\r\n";
    QCOMPARE(contentOf(program.filePath("lobe.dat")), expected);
  }

  void outOfRangeElementGivesBothMessagesAndLeavesNoFiles() {
    QTemporaryDir program;
    QTemporaryDir molecules;
    write(program.filePath("lobe.out"), "old report");
    write(program.filePath("lobe.dat"), "old input");
    write(molecules.filePath("salt.xyz"), "Na 0.0 0.0 0.0\nCl 0.0 0.0 2.36\n");
    ShownForm f(program.path());
    f.retype(QStringLiteral("txtTitle"), molecules.filePath("salt.xyz"));
    click(f["optBasisSet_2"]);  // H to Ne
    click(f["cmdOK"]);
    QCOMPARE(f.services.messages,
             (QVector<Message>{{kOutOfRange, MessageIcon::Information, "VORDEN Input"}, kCreationError}));
    QVERIFY(!QFileInfo::exists(program.filePath("lobe.out")));
    QVERIFY(!QFileInfo::exists(program.filePath("lobe.dat")));
    QVERIFY(f.services.starts.isEmpty());
  }

  void unreadableCoordinateLineGivesItsDescriptionThenTheError() {
    QTemporaryDir program;
    QTemporaryDir molecules;
    write(molecules.filePath("broken.xyz"), "O  0.0 0.0 0.1173\nH  0.0 0.7572\n");
    ShownForm f(program.path());
    f.retype(QStringLiteral("txtTitle"), molecules.filePath("broken.xyz"));
    click(f["cmdOK"]);
    QCOMPARE(f.services.messages.size(), 2);
    const Message& description = f.services.messages.front();
    QCOMPARE(description.icon, MessageIcon::None);
    QCOMPARE(description.title, QStringLiteral("VORDEN Input"));
    QVERIFY2(description.text.contains(u"broken.xyz"), qPrintable(description.text));
    QCOMPARE(f.services.messages.back(), kCreationError);
    QVERIFY(!QFileInfo::exists(program.filePath("lobe.dat")));
    QVERIFY(f.services.starts.isEmpty());
  }

  // A program folder that cannot take lobe.dat: the platform's description,
  // the creation error, and no engine.
  void failedWriteStartsNoEngine() {
    QTemporaryDir parent;
    const QString program = parent.filePath("gone");  // no such folder
    ShownForm f(program);
    f.retype(QStringLiteral("txtTitle"), waterPath());
    click(f["cmdOK"]);
    QCOMPARE(f.services.messages.size(), 2);
    QCOMPARE(f.services.messages.front().icon, MessageIcon::None);
    QVERIFY2(f.services.messages.front().text.contains(QDir::toNativeSeparators(QDir(program).filePath("lobe.dat"))),
             qPrintable(f.services.messages.front().text));
    QCOMPARE(f.services.messages.back(), kCreationError);
    QVERIFY(f.services.starts.isEmpty());
    QVERIFY(!QFileInfo::exists(program));
  }

  // A previous report that cannot be deleted stops the launch before
  // anything is written, naming the file.
  void undeletablePreviousReportStopsTheLaunch() {
    QTemporaryDir program;
    QVERIFY(QDir(program.path()).mkpath(QStringLiteral("lobe.out/held")));
    write(program.filePath("lobe.dat"), "old input");
    ShownForm f(program.path());
    f.retype(QStringLiteral("txtTitle"), waterPath());
    click(f["cmdOK"]);
    QCOMPARE(f.services.messages.size(), 1);
    QCOMPARE(f.services.messages.front().icon, MessageIcon::Critical);
    QVERIFY(f.services.messages.front().text.contains(QDir::toNativeSeparators(program.filePath("lobe.out"))));
    QCOMPARE(contentOf(program.filePath("lobe.dat")), QByteArray("old input"));
    QVERIFY(f.services.starts.isEmpty());
  }

  void engineThatCannotStartIsNamedAndTheFormStays() {
    QTemporaryDir program;
    ShownForm f(program.path());
    f.services.startSucceeds = false;
    f.retype(QStringLiteral("txtTitle"), waterPath());
    click(f["cmdOK"]);
    QCOMPARE(f.services.starts.size(), 1);
    QCOMPARE(f.services.messages.size(), 1);
    QCOMPARE(f.services.messages.front().icon, MessageIcon::Critical);
    QVERIFY(f.services.messages.front().text.contains(QDir::toNativeSeparators(lobeEngine(program.path()))));
    QVERIFY(f.form->isVisible());
    QCOMPARE(f.services.exitRequests, 0);
    QVERIFY(QFileInfo::exists(program.filePath("lobe.dat")));
  }

  void launchingAgainRepeatsTheCycle() {
    QTemporaryDir program;
    ShownForm f(program.path());
    f.retype(QStringLiteral("txtTitle"), waterPath());
    click(f["optBasisSet_3"]);
    f.get<QComboBox>("cmbSymmetry")->setCurrentIndex(2);
    click(f["cmdOK"]);
    write(program.filePath("lobe.out"), "report of the first run");
    QTest::keyClick(f.form.get(), Qt::Key_L, Qt::AltModifier);  // the access key
    QTRY_COMPARE(f.services.starts.size(), 2);
    QVERIFY(!QFileInfo::exists(program.filePath("lobe.out")));
    QCOMPARE(contentOf(program.filePath("lobe.dat")), workedExample());
    QVERIFY(f.services.messages.isEmpty());
  }

  // --- View Output -----------------------------------------------------------

  void viewOpensTheReport() {
    QTemporaryDir program;
    write(program.filePath("lobe.out"), "report");
    ShownForm f(program.path());
    click(f["cmdViewResults"]);
    QCOMPARE(f.services.viewed, QStringList{QDir(program.path()).filePath("lobe.out")});
    QVERIFY(f.services.messages.isEmpty());
  }

  void viewWithoutAViewerSaysSoWithThePath() {
    QTemporaryDir program;
    write(program.filePath("lobe.out"), "report");
    ShownForm f(program.path());
    f.services.viewerStarts = false;
    QTest::keyClick(f.form.get(), Qt::Key_V, Qt::AltModifier);
    QTRY_COMPARE(f.services.messages.size(), 1);
    QVERIFY(f.services.messages.front().text.contains(QDir::toNativeSeparators(program.filePath("lobe.out"))));
  }

  void viewWithoutAReportSaysItIsMissing() {
    QTemporaryDir program;
    ShownForm f(program.path());
    f.retype(QStringLiteral("txtTitle"), waterPath());
    click(f["cmdOK"]);  // the engine is recorded, not run: no report yet
    click(f["cmdViewResults"]);
    QCOMPARE(f.services.messages, (QVector<Message>{{"No output file found.  (VORDEN may not be finished)",
                                                      MessageIcon::Information, "'Lobe.out' missing"}}));
    QVERIFY(f.services.viewed.isEmpty());
  }

 private:
  static QFileDialog* shownFileDialog() {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* dialog = qobject_cast<QFileDialog*>(w); dialog && dialog->isVisible()) return dialog;
    return nullptr;
  }

  static QString lobeEngine(const QString& folder) {
#ifdef Q_OS_WIN
    return QDir(folder).filePath("vorden.exe");
#else
    return QDir(folder).filePath("vorden");
#endif
  }
};

VORDEN_INPUT_TEST_MAIN(WorkCycleTest)
#include "work_cycle_test.moc"

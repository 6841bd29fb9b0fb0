// The whole work cycle against the real lobe engine, started by the desktop's
// own process start in a temporary program folder.

#include <cmath>

#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include "form_test_support.h"
#include "program_folder.h"

namespace {

void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(6, w->height() / 2)); }

QString contentOf(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromLatin1(file.readAll());
}

}  // namespace

class EndToEndTest : public QObject {
  Q_OBJECT

  QString savedCurrentFolder_;

 private slots:
  void init() { savedCurrentFolder_ = QDir::currentPath(); }
  void cleanup() { QDir::setCurrent(savedCurrentFolder_); }

  void launchRunsTheEngineAndViewFindsItsReport() {
    QTemporaryDir program;
    QVERIFY(program.isValid());
    const QString engine = lobeEnginePath(program.path());
    QVERIFY(QFile::copy(QStringLiteral(VORDEN_PROGRAM), engine));
    QVERIFY(QFile::setPermissions(engine, QFile::permissions(engine) | QFile::ExeOwner));
    // The engine reads its basis-library files from "basis" beside itself.
    QVERIFY(QDir(program.path()).mkdir(QStringLiteral("basis")));
    for (const QFileInfo& file : QDir(QStringLiteral(LOBE_BASIS_DIR)).entryInfoList({QStringLiteral("*.gbs")}))
      QVERIFY(QFile::copy(file.filePath(), program.path() + QStringLiteral("/basis/") + file.fileName()));

    ShownForm f(program.path());
    f.services.startForReal = true;
    f.retype(QStringLiteral("txtTitle"), QStringLiteral(EXAMPLES_DIR "/water.xyz"));
    click(f["optBasisSet_3"]);
    f.get<QComboBox>("cmbSymmetry")->setCurrentIndex(2);  // C2v
    click(f["cmdOK"]);
    QVERIFY2(f.services.messages.isEmpty(), f.services.messages.isEmpty() ? "" : qPrintable(f.services.messages.front().text));
    QCOMPARE(f.services.starts.size(), 1);
    // The engine runs in the program folder, which is now the current one.
    QCOMPARE(QFileInfo(QDir::currentPath()), QFileInfo(program.path()));

    // lobe.out is written as the run goes; its last line comes when the run has ended.
    const QString report = lobeOutPath(program.path());
    QTRY_VERIFY_WITH_TIMEOUT(contentOf(report).contains(u"The run completed"), 60000);
    const QString text = contentOf(report);
    QVERIFY2(text.contains(u"water.xyz"), qPrintable(text));
    // RHF/6-31G** with Cartesian d functions at this geometry: -76.0231275 hartree
    // (Psi4 1.3.2, puream false); the lobe representation stays within 5e-5.
    const QRegularExpressionMatch energy =
        QRegularExpression(QStringLiteral("Total energy \\(RHF\\)\\s+(\\S+) hartree")).match(text);
    QVERIFY2(energy.hasMatch(), qPrintable(text));
    QVERIFY2(std::abs(energy.captured(1).toDouble() + 76.0231275) < 5e-5, qPrintable(energy.captured(0)));
    QVERIFY(QFileInfo::exists(program.path() + QStringLiteral("/lobe.json")));

    click(f["cmdViewResults"]);
    QCOMPARE(f.services.viewed, QStringList{report});
    QVERIFY(f.services.messages.isEmpty());
  }

  // An installed copy: the engine in its own folder, lobe.dat and lobe.out in
  // the working folder, where the engine runs and View Output looks.
  void installedCopyRunsTheEngineInTheWorkingFolder() {
    QTemporaryDir libexec;
    QTemporaryDir working;
    const QString engine = lobeEnginePath(libexec.path());
    QVERIFY(QFile::copy(QStringLiteral(VORDEN_PROGRAM), engine));
    QVERIFY(QFile::setPermissions(engine, QFile::permissions(engine) | QFile::ExeOwner));

    ShownForm f(LobePlaces{engine, working.path()});
    QVERIFY(f.get<QLabel>("Label5")->text().endsWith(QDir::toNativeSeparators(working.path())));
    f.services.startForReal = true;
    f.retype(QStringLiteral("txtTitle"), QStringLiteral(EXAMPLES_DIR "/water.xyz"));
    click(f["cmdOK"]);
    QVERIFY2(f.services.messages.isEmpty(), f.services.messages.isEmpty() ? "" : qPrintable(f.services.messages.front().text));
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(lobeOutPath(working.path())), 30000);
    QVERIFY(QFileInfo::exists(lobeDatPath(working.path())));
    QCOMPARE(QDir(libexec.path()).entryList(QDir::Files), QStringList{"vorden"});
    QVERIFY2(contentOf(lobeOutPath(working.path())).contains(u"water.xyz"), "the report is of another input");

    click(f["cmdViewResults"]);
    QCOMPARE(f.services.viewed, QStringList{lobeOutPath(working.path())});
  }

  void missingEngineIsNamedAndLobeDatStays() {
    QTemporaryDir program;
    ShownForm f(program.path());
    f.services.startForReal = true;
    f.retype(QStringLiteral("txtTitle"), QStringLiteral(EXAMPLES_DIR "/water.xyz"));
    click(f["cmdOK"]);
    QCOMPARE(f.services.messages.size(), 1);
    QCOMPARE(f.services.messages.front().icon, MessageIcon::Critical);
    QVERIFY2(f.services.messages.front().text.contains(QDir::toNativeSeparators(lobeEnginePath(program.path()))),
             qPrintable(f.services.messages.front().text));
    QVERIFY(QFileInfo::exists(lobeDatPath(program.path())));
    QVERIFY(f.form->isVisible());
  }

  void desktopExitEndsTheEventLoopAtOnce() {
    DesktopServices desktop;
    QTimer exitButton;
    exitButton.setSingleShot(true);
    QObject::connect(&exitButton, &QTimer::timeout, [&] { desktop.exitProgram(); });
    exitButton.start(0);
    QTimer failsafe;  // ends the loop with another status should the exit not come
    failsafe.setSingleShot(true);
    QObject::connect(&failsafe, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    failsafe.start(10000);
    QCOMPARE(QCoreApplication::exec(), 0);
  }
};

VORDEN_INPUT_TEST_MAIN(EndToEndTest)
#include "end_to_end_test.moc"

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

// Copies the lobe engine into engineFolder and its basis-library files into
// basisFolder, making both folders.
bool installEngine(const QString& engineFolder, const QString& basisFolder) {
  const QString engine = lobeEnginePath(engineFolder);
  if (!QDir().mkpath(engineFolder) || !QDir().mkpath(basisFolder) ||
      !QFile::copy(QStringLiteral(VORDEN_PROGRAM), engine) ||
      !QFile::setPermissions(engine, QFile::permissions(engine) | QFile::ExeOwner))
    return false;
  for (const QFileInfo& file : QDir(QStringLiteral(LOBE_BASIS_DIR)).entryInfoList({QStringLiteral("*.gbs")}))
    if (!QFile::copy(file.filePath(), QDir(basisFolder).filePath(file.fileName()))) return false;
  return true;
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
    // The engine reads its basis-library files from "basis" beside itself.
    QVERIFY(installEngine(program.path(), program.filePath(QStringLiteral("basis"))));

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

  // An installed copy: <prefix>/bin/vorden-input in a folder it cannot write,
  // the engine in <prefix>/libexec/floating-sphere-scf and its basis library
  // in <prefix>/share/floating-sphere-scf/basis. lobe.dat and lobe.out go to
  // the per-user folder, where the engine runs and View Output looks.
  void installedCopyRunsTheEngineInThePerUserFolder() {
    QTemporaryDir prefix;
    const QDir root(prefix.path());
    QVERIFY(root.mkpath(QStringLiteral("bin")));
    const QString engineFolder = root.filePath(QStringLiteral("libexec/floating-sphere-scf"));
    QVERIFY(installEngine(engineFolder, root.filePath(QStringLiteral("share/floating-sphere-scf/basis"))));
    const QString perUser = root.filePath(QStringLiteral("home/.local/share/vorden-input"));
    const LobePlaces places = lobePlacesFor(root.filePath(QStringLiteral("bin")), false, perUser);
    QCOMPARE(places.engine, lobeEnginePath(engineFolder));

    ShownForm f(places);
    QVERIFY(f.get<QLabel>("Label5")->text().contains(QDir::toNativeSeparators(perUser).right(30)));
    f.services.startForReal = true;
    f.retype(QStringLiteral("txtTitle"), QStringLiteral(EXAMPLES_DIR "/water.xyz"));
    click(f["optBasisSet_3"]);
    click(f["cmdOK"]);
    QVERIFY2(f.services.messages.isEmpty(), f.services.messages.isEmpty() ? "" : qPrintable(f.services.messages.front().text));
    const QString report = lobeOutPath(perUser);
    QTRY_VERIFY_WITH_TIMEOUT(contentOf(report).contains(u"The run completed"), 60000);
    QVERIFY(QFileInfo::exists(lobeDatPath(perUser)));
    QVERIFY(QDir(root.filePath(QStringLiteral("bin"))).isEmpty());

    click(f["cmdViewResults"]);
    QCOMPARE(f.services.viewed, QStringList{report});
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

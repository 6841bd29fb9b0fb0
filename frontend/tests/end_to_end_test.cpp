// The whole work cycle against the real stand-in lobe engine, started by the
// desktop's own process start in a temporary program folder.

#include <QFile>
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

    const QString report = lobeOutPath(program.path());
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(report), 30000);
    const QString text = contentOf(report);
    QVERIFY2(text.contains(u"lobe.dat is well formed."), qPrintable(text));
    QVERIFY2(text.contains(u"water.xyz"), qPrintable(text));
    // Oxygen and two hydrogens, neutral: 8 + 1 + 1 electrons.
    QVERIFY2(QRegularExpression(QStringLiteral("Number of electrons\\s+10\\n")).match(text).hasMatch(), qPrintable(text));

    click(f["cmdViewResults"]);
    QCOMPARE(f.services.viewed, QStringList{report});
    QVERIFY(f.services.messages.isEmpty());
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

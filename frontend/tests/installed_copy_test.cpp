// An installed copy: where VORDEN Input finds the lobe engine and keeps its
// files, what its about line says, and a lobe.dat write onto a full disk.

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "about_line.h"
#include "flushed_write.h"
#include "program_folder.h"

namespace {

void touch(const QString& path) {
  QDir().mkpath(QFileInfo(path).path());
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) qFatal("cannot create the test file %s", qPrintable(path));
}

}  // namespace

class InstalledCopyTest : public QObject {
  Q_OBJECT

 private slots:
  // The GNU layout of an install: <prefix>/bin/vorden-input and
  // <prefix>/libexec/floating-sphere-scf/vorden. An engine beside the program
  // comes first; with none at all the place beside the program is named.
  void engineIsFoundBesideTheProgramThenInTheLibexecFolder_data() {
    QTest::addColumn<bool>("beside");
    QTest::addColumn<bool>("installed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("beside only") << true << false << "bin/vorden";
    QTest::newRow("installed only") << false << true << "libexec/floating-sphere-scf/vorden";
    QTest::newRow("both") << true << true << "bin/vorden";
    QTest::newRow("neither") << false << false << "bin/vorden";
  }
  void engineIsFoundBesideTheProgramThenInTheLibexecFolder() {
    QFETCH(bool, beside);
    QFETCH(bool, installed);
    QFETCH(QString, expected);
    QTemporaryDir prefix;
    QVERIFY(QDir(prefix.path()).mkpath("bin"));
    if (beside) touch(prefix.filePath("bin/vorden"));
    if (installed) touch(prefix.filePath("libexec/floating-sphere-scf/vorden"));
    const LobePlaces places = lobePlacesFor(prefix.filePath("bin"), true, prefix.filePath("unused"));
    QCOMPARE(places.engine, prefix.filePath(expected));
  }

  // A writable program folder keeps the files; a system folder sends them to
  // the per-user folder, which is made with its missing parents.
  void filesGoToThePerUserFolderOnlyWhenTheProgramFolderIsReadOnly() {
    QTemporaryDir root;
    const QString program = root.filePath("bin");
    const QString perUser = root.filePath("home/.local/share/vorden-input");
    QCOMPARE(lobePlacesFor(program, true, perUser).workingFolder, program);
    QVERIFY(!QFileInfo::exists(perUser));
    QCOMPARE(lobePlacesFor(program, false, perUser).workingFolder, perUser);
    QVERIFY(QFileInfo(perUser).isDir());
  }

  void perUserFolderFollowsXdgDataHome_data() {
    QTest::addColumn<QString>("xdgDataHome");
    QTest::addColumn<QString>("expected");
    QTest::newRow("set") << "/srv/lab/data" << "/srv/lab/data/vorden-input";
    QTest::newRow("unset") << "" << "/home/student/.local/share/vorden-input";
    QTest::newRow("relative, so ignored") << "data" << "/home/student/.local/share/vorden-input";
  }
  void perUserFolderFollowsXdgDataHome() {
    QFETCH(QString, xdgDataHome);
    QFETCH(QString, expected);
    QCOMPARE(perUserWorkingFolder(xdgDataHome, "/home/student"), expected);
  }

  void aboutLineNamesTheWorkingFolder_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("shown");
    QTest::newRow("in home") << "/home/student/.local/share/vorden-input" << "~/.local/share/vorden-input";
    QTest::newRow("elsewhere") << "/opt/vorden/bin" << "/opt/vorden/bin";
    QTest::newRow("home's namesake") << "/home/student2/bin" << "/home/student2/bin";
    // The first folder, an ellipsis, and the whole folders at the end within 44 characters.
    QTest::newRow("too long") << "/srv/classroom/chemistry/second-year/quantum/lab/vorden-input"
                              << QStringLiteral("/srv/\u2026/second-year/quantum/lab/vorden-input");
  }
  void aboutLineNamesTheWorkingFolder() {
    QFETCH(QString, folder);
    QFETCH(QString, shown);
    const QString line = aboutLine(folder, "/home/student");
    QVERIFY2(line.endsWith(": " + shown), qPrintable(line));
    QVERIFY(line.contains(u"README.md"));
  }

  // A device that is always full: every write fails with ENOSPC. Qt's
  // buffered write alone reports success there, as the lobe.dat write did.
  void writeOntoAFullDiskIsReported() {
    QFile full(QStringLiteral("/dev/full"));
    if (!full.open(QIODevice::WriteOnly)) QSKIP("no /dev/full here");
    QVERIFY(!writeAndFlush(full, QByteArray(200, 'x')));
    QVERIFY2(full.errorString().contains(u"No space left on device"), qPrintable(full.errorString()));
  }
};

QTEST_GUILESS_MAIN(InstalledCopyTest)
#include "installed_copy_test.moc"

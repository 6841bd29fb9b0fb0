// The form at its start state: every control's kind, caption or text, state,
// place and size, the lists and their item values, the keyboard order, the
// labels' boxes, and captions that fit their controls.

#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTextLayout>

#include "captioned_frame.h"
#include "form_test_support.h"
#include "molecule_picture.h"
#include "wrapping_radio_button.h"

namespace {

enum class Kind { Label, TextBox, Button, Picture, Frame, Check, Option, List };

struct Expected {
  const char* name;
  Kind kind;
  QString caption;  // label or frame caption, button caption, or the box's text
  int left, top, width, height;  // twips, inside a frame relative to the frame
  bool enabled = true;
};

// Twips at 15 to a pixel; all the form's measures are whole pixels but one
// width (2630 twips), which is the nearest pixel.
QRect pixels(const Expected& e) {
  auto px = [](int twips) { return static_cast<int>(twips / 15.0 + 0.5); };
  return {px(e.left), px(e.top), px(e.width), px(e.height)};
}

const QList<Expected>& expectedControls() {
  static const QList<Expected> controls{
      {"lblTitle", Kind::Label, "Title:", 120, 120, 375, 255},
      {"txtTitle", Kind::TextBox, "", 480, 120, 2295, 285},
      {"cmdSelectFile", Kind::Button, "Browse", 2880, 120, 615, 255},
      {"Image1", Kind::Picture, "", 3720, 120, 5175, 2250},
      {"fraBasisSet", Kind::Frame, "Basis Set", 360, 600, 3135, 2775},
      {"optBasisSet_0", Kind::Option, "3G1S/2G2S/2G2P (H to Kr)", 120, 240, 2295, 195},
      {"optBasisSet_1", Kind::Option, "4G1S/3G2SP/1G3SPD/1G4SPDF (H TO Kr)", 120, 480, 2895, 435},
      {"optBasisSet_2", Kind::Option, "STP-544G* (H to Ne)", 120, 960, 2895, 255},
      {"optBasisSet_3", Kind::Option, "6-31G** Pople et. al. (H to Ne)", 120, 1320, 2535, 195},
      {"optBasisSet_4", Kind::Option, "6-311G** Pople et. al. (H to Ne)", 120, 1680, 2775, 195},
      {"optBasisSet_5", Kind::Option, "6-311G**++ Pople et. al. (H to Ne)", 120, 1920, 2775, 375},
      {"optBasisSet_6", Kind::Option, "10S/6P** Dunning-Huzinaga       (H to Ne)", 120, 2280, 2775, 435},
      {"lblSpin", Kind::Label, "Spin Multiplicity (0=Singlet):", 4440, 3000, 1935, 255},
      {"txtSpin", Kind::TextBox, "0", 6480, 3000, 255, 285},
      {"lblCharge", Kind::Label, "Charge:", 6840, 3000, 615, 255},
      {"txtCharge", Kind::TextBox, "0", 7440, 3000, 375, 285},
      {"fraCoulombHole", Kind::Frame, "Coulomb Hole", 360, 3480, 3135, 1335},
      {"Label1", Kind::Label, "Chakravorty-Clementi-Otto method Brannock Scaling of w = f(H1s)", 240, 240, 2655, 375},
      {"lblCoulombHole", Kind::Label, QString::fromUtf8("f(R)=(1-exp(-wR\u00B2))/R; R=R(1-2)"), 240, 720, 2415, 375},
      {"chkCoulombHole", Kind::Check, "Check for YES", 720, 960, 1815, 255},
      {"fraConfigurationInteraction", Kind::Frame, "Post-Hartree Fock Options", 4320, 3360, 4095, 2775},
      {"optConfigurationInteraction_0", Kind::Option, "None", 240, 480, 1335, 255},
      {"optConfigurationInteraction_1", Kind::Option, "MP2 (Singlet)", 240, 840, 1335, 255},
      {"optConfigurationInteraction_2", Kind::Option, "Single_Excitation", 240, 1200, 1575, 255},
      {"optConfigurationInteraction_3", Kind::Option, "Boys-Reeves CAS;", 240, 1560, 1695, 255},
      {"chkSmall", Kind::Check, "Small", 600, 1920, 700, 255, false},
      {"txtNaturalOrbital", Kind::TextBox, "0", 1560, 1920, 255, 285, false},
      {"Label7", Kind::Label, "Natural Orbital Iterations", 1920, 1860, 1095, 375},
      {"optConfigurationInteraction_4", Kind::Option, "Single_Excitation Plus CD/MCD (only STO4G)", 240, 2280, 2630, 375},
      {"fraOrbitals", Kind::Frame, "Core Orbitals", 2280, 240, 1095, 975},
      {"optOrbitals_1", Kind::Option, "Freeze", 120, 240, 855, 255},
      {"optOrbitals_0", Kind::Option, "Include", 120, 600, 855, 255},
      {"fraFrame", Kind::Frame, "", 360, 4920, 3135, 1815},
      {"lblOptimize", Kind::Label, "Optimize Geometry to within 10^-n Hartrees/Bohr            n=", 120, 240, 2295, 375},
      {"txtN", Kind::TextBox, "0", 2400, 360, 375, 285},
      {"lblCalculated", Kind::Label, "Calculated Harmonic Infrared Frequencies if n=4,5,6  (6=max.)", 120, 600, 2415, 465},
      {"Label4", Kind::Label, "Steepest Descent Iterations  =", 120, 1080, 2295, 255},
      {"txtITSD", Kind::TextBox, "30", 2400, 1080, 375, 285},
      {"Label3", Kind::Label, "Isotope Substitution:", 120, 1485, 1455, 255},
      {"cmbIsotope", Kind::List, "none", 1800, 1440, 855, 315, false},
      {"Label2", Kind::Label, "NMR Chemical Shift for Isotope:", 4320, 6285, 2415, 255},
      {"cmbNMR", Kind::List, "none", 6720, 6240, 735, 315, false},
      {"chkQuadrupoleTensor", Kind::Check, "QuadrupoleTensor", 360, 6840, 1815, 255},
      {"chkItch", Kind::Check, "Verbose Output", 2040, 6840, 1455, 255},
      {"chkIntegrals", Kind::Check, "Print Integrals", 2040, 7080, 1455, 255, false},
      {"cmbSymmetry", Kind::List, "C1", 360, 7080, 765, 315},
      {"Label6", Kind::Label, " Symmetry", 1080, 7095, 855, 255},
      {"cmdOK", Kind::Button, "&Launch VORDEN", 4320, 6720, 1575, 615},
      {"cmdViewResults", Kind::Button, "&View Output", 6000, 6720, 1575, 615},
      {"cmdAbort", Kind::Button, "E&xit", 7680, 6720, 735, 615},
  };
  return controls;
}

// Which frame each control inside a frame belongs to.
QString expectedParent(const QString& name) {
  if (name.startsWith(u"optBasisSet_")) return QStringLiteral("fraBasisSet");
  if (name == u"Label1" || name == u"lblCoulombHole" || name == u"chkCoulombHole") return QStringLiteral("fraCoulombHole");
  if (name.startsWith(u"optOrbitals_")) return QStringLiteral("fraOrbitals");
  if (name.startsWith(u"optConfigurationInteraction_") || name == u"chkSmall" || name == u"txtNaturalOrbital" ||
      name == u"Label7" || name == u"fraOrbitals")
    return QStringLiteral("fraConfigurationInteraction");
  if (name == u"lblOptimize" || name == u"txtN" || name == u"lblCalculated" || name == u"Label4" ||
      name == u"txtITSD" || name == u"Label3" || name == u"cmbIsotope")
    return QStringLiteral("fraFrame");
  return QStringLiteral("frmInputOptions");
}

QList<std::pair<QString, int>> items(const QComboBox* list) {
  QList<std::pair<QString, int>> result;
  for (int i = 0; i < list->count(); ++i) result.append({list->itemText(i), list->itemData(i).toInt()});
  return result;
}

// The rectangles, in the parent's coordinates, that a caption's text covers:
// one per line as the control lays it out, from the first to the last glyph
// (blanks take room but show nothing).
QList<QRectF> captionLines(const QString& text, const QFont& font, const QRect& box, bool centredVertically) {
  QList<QRectF> lines;
  QTextLayout layout(text, font);
  QTextOption option;
  option.setWrapMode(QTextOption::WordWrap);
  layout.setTextOption(option);
  layout.beginLayout();
  qreal y = 0;
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(box.width());
    line.setPosition({0, y});
    y += line.height();
    const QString shown = text.mid(line.textStart(), line.textLength());
    const QString glyphs = shown.trimmed();
    if (glyphs.isEmpty()) continue;
    const QFontMetricsF metrics(font);
    int lead = 0;
    while (shown[lead].isSpace()) ++lead;
    // From the first glyph's ink to the last glyph's ink.
    const qreal left = metrics.horizontalAdvance(shown.left(lead)) + std::max<qreal>(0, metrics.leftBearing(glyphs.front()));
    const qreal right = metrics.horizontalAdvance(shown.left(lead) + glyphs) -
                        std::max<qreal>(0, metrics.rightBearing(glyphs.back()));
    lines.append(QRectF(box.left() + left, box.top() + line.y(), right - left, line.height()));
  }
  layout.endLayout();
  if (centredVertically) {
    const qreal shift = std::floor((box.height() - y) / 2);
    for (QRectF& r : lines) r.translate(0, shift);
  }
  return lines;
}

// One line of text in a rectangle, centred both ways.
QRectF centredLine(const QRect& box, qreal width, qreal height) {
  return {box.left() + (box.width() - width) / 2, box.top() + (box.height() - height) / 2, width, height};
}

// What a control shows, in its parent's coordinates: the lines of its caption
// for controls that draw only their caption (labels, check boxes, option
// buttons), or its whole rectangle for those that draw a body.
struct Covering {
  QList<QRectF> caption;
  bool solid = false;  // the control paints its whole rectangle
};

Covering covering(QWidget* w) {
  const QFontMetricsF metrics(w->font());
  if (auto* label = qobject_cast<QLabel*>(w)) {
    if (label->text().isEmpty()) return {{}, true};  // the picture
    return {captionLines(label->text(), label->font(), w->geometry(), false), label->autoFillBackground()};
  }
  if (auto* option = qobject_cast<WrappingRadioButton*>(w))
    return {captionLines(option->text(), option->font(), option->captionRect().translated(w->pos()), true), false};
  if (auto* check = qobject_cast<QCheckBox*>(w)) {
    QStyleOptionButton option;
    option.initFrom(check);
    option.text = check->text();
    const QRect contents = check->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, check);
    const QRectF text(contents.left(), (w->height() - metrics.height()) / 2, metrics.horizontalAdvance(check->text()),
                      metrics.height());
    return {{text.translated(w->pos())}, false};
  }
  if (auto* frame = qobject_cast<CaptionedFrame*>(w)) {
    if (frame->title().isEmpty()) return {{}, true};
    return {{QRectF(frame->captionRect().translated(w->pos()))}, true};
  }
  if (auto* button = qobject_cast<QPushButton*>(w)) {
    QString text = button->text();
    text.remove(u'&');
    const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
    return {{centredLine(w->geometry(), metrics.horizontalAdvance(text) + margin, metrics.height())}, true};
  }
  if (auto* box = qobject_cast<QLineEdit*>(w)) {
    if (box->maxLength() > 2) return {{}, true};
    // The widest text the box can hold, inside its frame.
    const qreal width = metrics.horizontalAdvance(QString(box->maxLength(), u'8'));
    return {{QRectF(w->x() + 3, w->y() + (w->height() - metrics.height()) / 2, width, metrics.height())}, true};
  }
  if (auto* list = qobject_cast<QComboBox*>(w)) {
    QStyleOptionComboBox option;
    option.initFrom(list);
    const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list);
    qreal widest = 0;
    for (int i = 0; i < list->count(); ++i) widest = std::max(widest, metrics.horizontalAdvance(list->itemText(i)));
    return {{QRectF(field.left(), (w->height() - metrics.height()) / 2, widest, metrics.height()).translated(w->pos())},
            true};
  }
  return {{}, true};
}

// Overlap of more than a fraction of a pixel: antialiased edges may touch.
bool overlaps(const QRectF& a, const QRectF& b) {
  const QRectF common = a.intersected(b);
  return common.width() > 0.5 && common.height() > 0.5;
}

}  // namespace

class FormLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void windowHasItsTitleAndFixedClientArea() {
    ShownForm f;
    QCOMPARE(f.form->objectName(), QStringLiteral("frmInputOptions"));
    QCOMPARE(f.form->windowTitle(), QStringLiteral("VORDEN Input"));
    // 9075 x 7605 twips.
    QCOMPARE(f.form->size(), QSize(605, 507));
    QCOMPARE(f.form->minimumSize(), QSize(605, 507));
    QCOMPARE(f.form->maximumSize(), QSize(605, 507));
  }

  void everyControlStartsInPlaceWithItsCaptionAndState() {
    ShownForm f;
    for (const Expected& e : expectedControls()) {
      const QString name = QString::fromLatin1(e.name);
      QWidget* w = f[name];
      QCOMPARE(w->parentWidget()->objectName(), expectedParent(name));
      if (w->geometry() != pixels(e)) qWarning() << name;
      QCOMPARE(w->geometry(), pixels(e));
      if (w->isEnabled() != e.enabled) qWarning() << name;
      QCOMPARE(w->isEnabled(), e.enabled);
      QVERIFY2(w->isVisible(), e.name);
      switch (e.kind) {
        case Kind::Label:
          QCOMPARE(qobject_cast<QLabel*>(w)->text(), e.caption);
          break;
        case Kind::TextBox:
          QCOMPARE(qobject_cast<QLineEdit*>(w)->text(), e.caption);
          break;
        case Kind::Button:
          QVERIFY2(qobject_cast<QPushButton*>(w), e.name);
          QCOMPARE(qobject_cast<QPushButton*>(w)->text(), e.caption);
          break;
        case Kind::Frame:
          QCOMPARE(qobject_cast<QGroupBox*>(w)->title(), e.caption);
          break;
        case Kind::Check:
          QVERIFY2(qobject_cast<QCheckBox*>(w), e.name);
          QCOMPARE(qobject_cast<QCheckBox*>(w)->text(), e.caption);
          QVERIFY2(!qobject_cast<QCheckBox*>(w)->isChecked(), e.name);  // every check box starts unchecked
          break;
        case Kind::Option:
          QVERIFY2(qobject_cast<QRadioButton*>(w), e.name);
          QCOMPARE(qobject_cast<QRadioButton*>(w)->text(), e.caption);
          break;
        case Kind::List:
          QCOMPARE(qobject_cast<QComboBox*>(w)->currentText(), e.caption);
          QCOMPARE(qobject_cast<QComboBox*>(w)->currentIndex(), 0);
          break;
        case Kind::Picture:
          QVERIFY2(qobject_cast<QLabel*>(w), e.name);
          break;
      }
    }
  }

  void optionGroupsStartOnTheirDesignedButtons() {
    ShownForm f;
    auto checked = [&](const char* name) { return f[QString::fromLatin1(name)]->property("checked").toBool(); };
    QVERIFY(checked("optBasisSet_0"));
    for (int i = 1; i < 7; ++i) QVERIFY(!f[QStringLiteral("optBasisSet_%1").arg(i)]->property("checked").toBool());
    QVERIFY(checked("optConfigurationInteraction_0"));
    for (int i = 1; i < 5; ++i)
      QVERIFY(!f[QStringLiteral("optConfigurationInteraction_%1").arg(i)]->property("checked").toBool());
    QVERIFY(checked("optOrbitals_1"));
    QVERIFY(!checked("optOrbitals_0"));
    QCOMPARE(f.form->basisSetIndex(), 0);
    QCOMPARE(f.form->configurationInteractionIndex(), 0);
    QCOMPARE(f.form->orbitalsIndex(), 1);
  }

  void optionGroupsAreExclusiveEachOnItsOwn() {
    ShownForm f;
    QTest::mouseClick(f["optOrbitals_0"], Qt::LeftButton);
    // Choosing a core-orbital treatment leaves the post-Hartree-Fock choice alone.
    QVERIFY(f["optOrbitals_0"]->property("checked").toBool());
    QVERIFY(!f["optOrbitals_1"]->property("checked").toBool());
    QVERIFY(f["optConfigurationInteraction_0"]->property("checked").toBool());
    QTest::mouseClick(f["optBasisSet_4"], Qt::LeftButton);
    QVERIFY(!f["optBasisSet_0"]->property("checked").toBool());
    QVERIFY(f["optConfigurationInteraction_0"]->property("checked").toBool());
    // Clicking the chosen button again keeps it chosen, in both nested groups.
    for (const char* name : {"optConfigurationInteraction_0", "optOrbitals_0", "optBasisSet_4"}) {
      QTest::mouseClick(f[QString::fromLatin1(name)], Qt::LeftButton);
      QVERIFY2(f[QString::fromLatin1(name)]->property("checked").toBool(), name);
    }
    QTest::mouseClick(f["optConfigurationInteraction_1"], Qt::LeftButton);
    QVERIFY(!f["optConfigurationInteraction_0"]->property("checked").toBool());
    QVERIFY(f["optOrbitals_0"]->property("checked").toBool());
  }

  void textBoxesTakeTheirLengthLimits() {
    ShownForm f;
    QCOMPARE(f["txtSpin"]->property("maxLength").toInt(), 1);
    QCOMPARE(f["txtCharge"]->property("maxLength").toInt(), 2);
    QCOMPARE(f["txtNaturalOrbital"]->property("maxLength").toInt(), 1);
    QCOMPARE(f["txtN"]->property("maxLength").toInt(), 1);
    QCOMPARE(f["txtITSD"]->property("maxLength").toInt(), 2);
    // The path box takes a long path whole.
    const QString longPath = QStringLiteral("/home/student/") + QString(300, u'x') + QStringLiteral(".xyz");
    f.typeInto(QStringLiteral("txtTitle"), longPath);
    QCOMPARE(f["txtTitle"]->property("text").toString(), longPath);
  }

  void listsAreFixedChoicesCarryingTheirItemValues() {
    ShownForm f;
    using Items = QList<std::pair<QString, int>>;
    const Items symmetry{{"C1", 0}, {"Cs", 1}, {"C2v", 2}, {"C3v", 3}, {"Td", 4},
                         {"D4h", 5}, {"D6h", 6}, {"Oh", 7}, {"Cnvx", 0}};
    const Items nmr{{"none", 0}, {"H-1", 1}, {"C-13", 6}, {"N-15", 7}, {"O-17", 8}, {"F-19", 9}, {"Si-29", 14}, {"P-31", 15}};
    const Items isotope{{"none", 0},   {"H-1", 1},    {"D-2", 2},    {"Li-6", 6},   {"Li-7", 7},   {"B-10", 10},
                        {"B-11", 11},  {"C-12", 12},  {"C-13", 13},  {"N-14", 14},  {"N-15", 15},  {"O-16", 16},
                        {"O-17", 17},  {"O-18", 18},  {"Mg-24", 24}, {"Mg-25", 25}, {"Mg-26", 26}, {"Si-28", 28},
                        {"Si-29", 29}, {"Si-30", 30}, {"S-32", 32},  {"S-34", 34},  {"Cl-35", 35}, {"Cl-37", 37},
                        {"Fe-54", 54}, {"Fe-56", 56}, {"Fe-57", 57}, {"Br-79", 79}, {"Br-81", 81}};
    QCOMPARE(items(f.get<QComboBox>("cmbSymmetry")), symmetry);
    QCOMPARE(items(f.get<QComboBox>("cmbNMR")), nmr);
    QCOMPARE(items(f.get<QComboBox>("cmbIsotope")), isotope);
    for (const char* name : {"cmbSymmetry", "cmbNMR", "cmbIsotope"}) {
      auto* list = f.get<QComboBox>(QString::fromLatin1(name));
      QVERIFY2(!list->isEditable(), name);
      QCOMPARE(list->currentData().toInt(), 0);
    }
  }

  void pictureIsTheDrawnMoleculeScaledIntoItsBox() {
    const QImage picture = drawMoleculePicture();
    QCOMPARE(picture.size(), QSize(345, 174));
    QCOMPARE(picture.format(), QImage::Format_RGB888);
    // Drawn, not blank: the spheres bring many colours.
    QSet<QRgb> colours;
    for (int y = 0; y < picture.height(); y += 3)
      for (int x = 0; x < picture.width(); x += 3) colours.insert(picture.pixel(x, y));
    QVERIFY(colours.size() > 100);

    ShownForm f;
    auto* image = f.get<QLabel>("Image1");
    QCOMPARE(image->pixmap().size(), QSize(345, 174));
    QVERIFY(image->hasScaledContents());
    QCOMPARE(image->height(), 150);  // 2250 twips at start
  }

  void aboutLineNamesThePackageAndItsDocumentation() {
    ShownForm f;
    const QString about = f.get<QLabel>("Label5")->text();
    QVERIFY(about.contains(u"VORDEN Input"));
    QVERIFY(about.contains(u"README.md"));
    QVERIFY(!about.contains(u'@'));  // no invented address
  }

  void keyboardOrderFollowsTheTabColumn() {
    ShownForm f;
    const QStringList expected{
        "txtTitle",         "optBasisSet_0",    "optBasisSet_1",   "optBasisSet_2",
        "optBasisSet_3",    "optBasisSet_4",    "optBasisSet_5",   "optBasisSet_6",
        "chkCoulombHole",   "txtN",             "cmbIsotope",      "chkQuadrupoleTensor",
        "chkItch",          "chkIntegrals",     "txtSpin",         "txtCharge",
        "optConfigurationInteraction_0", "optConfigurationInteraction_1", "optConfigurationInteraction_2",
        "optConfigurationInteraction_3", "chkSmall",        "optConfigurationInteraction_4",
        "optOrbitals_1",    "optOrbitals_0",    "cmbNMR",          "cmdOK",
        "cmdViewResults",   "cmdAbort",         "cmdSelectFile",   "txtITSD",
        "cmbSymmetry",      "txtNaturalOrbital"};
    // Walk the focus chain once round, keeping the controls that take the focus.
    QStringList order;
    QWidget* start = f["txtTitle"];
    QWidget* w = start;
    do {
      if (w->focusPolicy() & Qt::TabFocus) order.append(w->objectName());
      w = w->nextInFocusChain();
    } while (w != start);
    QCOMPARE(order, expected);
  }

  void tabMovesToTheNextEnabledControl() {
    ShownForm f;
    f.leaveTo(QStringLiteral("txtSpin"));
    QTest::keyClick(f.focused(), Qt::Key_Tab);
    QCOMPARE(f.focused()->objectName(), QStringLiteral("txtCharge"));
    f.leaveTo(QStringLiteral("txtCharge"));
    QTest::keyClick(f.focused(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(f.focused()->objectName(), QStringLiteral("txtSpin"));
  }

  void labelsBesideBoxesNameTheirBoxes() {
    ShownForm f;
    const QList<std::pair<const char*, const char*>> pairs{
        {"lblTitle", "txtTitle"},    {"lblSpin", "txtSpin"}, {"lblCharge", "txtCharge"},
        {"lblOptimize", "txtN"},     {"Label4", "txtITSD"},  {"Label3", "cmbIsotope"},
        {"Label2", "cmbNMR"},        {"Label6", "cmbSymmetry"}, {"Label7", "txtNaturalOrbital"}};
    for (const auto& [label, box] : pairs) {
      QCOMPARE(f.get<QLabel>(QString::fromLatin1(label))->buddy(), f[QString::fromLatin1(box)]);
      // Accessibility tools name the box after its label: a text box by its
      // name, a list (whose name is its chosen item) by the labelling relation.
      QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(f[QString::fromLatin1(box)]);
      QVERIFY(accessible);
      const QString caption = f.get<QLabel>(QString::fromLatin1(label))->text();
      if (qobject_cast<QLineEdit*>(f[QString::fromLatin1(box)])) {
        QCOMPARE(accessible->text(QAccessible::Name), caption);
      } else {
        QStringList labelledBy;
        for (const auto& [other, relation] : accessible->relations(QAccessible::Label))
          labelledBy << other->text(QAccessible::Name);
        QVERIFY2(labelledBy.contains(caption), box);
      }
    }
  }

  void buttonsCarryTheirAccessKeys() {
    ShownForm f;
    QCOMPARE(f.get<QPushButton>("cmdOK")->shortcut(), QKeySequence(Qt::ALT | Qt::Key_L));
    QCOMPARE(f.get<QPushButton>("cmdViewResults")->shortcut(), QKeySequence(Qt::ALT | Qt::Key_V));
    QCOMPARE(f.get<QPushButton>("cmdAbort")->shortcut(), QKeySequence(Qt::ALT | Qt::Key_X));
  }

  // Every caption is drawn whole: inside its control, and clear of every
  // other control of the same parent.
  void everyCaptionFitsItsControl() {
    ShownForm f;
    QStringList problems;
    auto describe = [](const QRectF& r) {
      return QStringLiteral("(%1,%2 %3x%4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    };
    for (QWidget* w : f.form->findChildren<QWidget*>()) {
      if (w->objectName().isEmpty() || !w->isVisible()) continue;
      const Covering mine = covering(w);
      for (const QRectF& line : mine.caption) {
        if (!QRectF(w->geometry()).contains(line))
          problems << QStringLiteral("%1: caption %2 outside %3").arg(w->objectName(), describe(line), describe(w->geometry()));
        for (QWidget* other : w->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
          if (other == w || other->objectName().isEmpty() || !other->isVisible()) continue;
          const Covering theirs = covering(other);
          // An opaque control over a caption hides it; one lying below it does not.
          bool hidden = false;
          if (theirs.solid) {
            const bool otherAbove = w->parentWidget()->children().indexOf(other) > w->parentWidget()->children().indexOf(w);
            hidden = otherAbove || qobject_cast<QLabel*>(other) == nullptr;
            hidden = hidden && overlaps(line, other->geometry());
          }
          for (const QRectF& theirLine : theirs.caption) hidden = hidden || overlaps(line, theirLine);
          if (hidden) problems << QStringLiteral("%1: caption %2 meets %3").arg(w->objectName(), describe(line), other->objectName());
        }
      }
    }
    if (!problems.isEmpty())
      qWarning().noquote() << "form font:" << QFontInfo(f.form->font()).family() << "\n" << problems.join(u'\n');
    QVERIFY(problems.isEmpty());
  }
};

VORDEN_INPUT_TEST_MAIN(FormLayoutTest)
#include "form_layout_test.moc"

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
#include "form_controls.h"
#include "form_test_support.h"
#include "molecule_picture.h"
#include "wrapping_radio_button.h"

namespace {

QString latin1(std::string_view text) { return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())); }

// Twips at 15 to a pixel; all the form's measures are whole pixels but one
// width (2630 twips), which is the nearest pixel.
QRect pixels(const TwipRect& t) {
  auto px = [](int twips) { return static_cast<int>(twips / 15.0 + 0.5); };
  return {px(t.left), px(t.top), px(t.width), px(t.height)};
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
    for (const ControlRow& row : formControls()) {
      const QString name = latin1(row.name);
      const QString caption = latin1(row.caption);
      QWidget* w = f[name];
      const QString frame = row.frame.empty() ? QStringLiteral("frmInputOptions") : latin1(row.frame);
      QCOMPARE(w->parentWidget()->objectName(), frame);
      if (w->geometry() != pixels(row.place)) qWarning() << name;
      QCOMPARE(w->geometry(), pixels(row.place));
      if (w->isEnabled() != row.enabled) qWarning() << name;
      QCOMPARE(w->isEnabled(), row.enabled);
      QVERIFY2(w->isVisible(), row.name.data());
      if (!row.accessibleName.empty())
        QCOMPARE(QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name), latin1(row.accessibleName));
      switch (row.kind) {
        case ControlKind::Label:  // the about line adds the working folder as a second row
          QCOMPARE(qobject_cast<QLabel*>(w)->text().section(QLatin1Char('\n'), 0, 0), caption);
          break;
        case ControlKind::TextBox:
          QCOMPARE(qobject_cast<QLineEdit*>(w)->text(), caption);
          break;
        case ControlKind::Button:
          QVERIFY2(qobject_cast<QPushButton*>(w), row.name.data());
          QCOMPARE(qobject_cast<QPushButton*>(w)->text(), caption);
          break;
        case ControlKind::Frame:
          QCOMPARE(qobject_cast<QGroupBox*>(w)->title(), caption);
          break;
        case ControlKind::CheckBox:
          QVERIFY2(qobject_cast<QCheckBox*>(w), row.name.data());
          QCOMPARE(qobject_cast<QCheckBox*>(w)->text(), caption);
          QVERIFY2(!qobject_cast<QCheckBox*>(w)->isChecked(), row.name.data());  // every check box starts unchecked
          break;
        case ControlKind::OptionButton:
          QVERIFY2(qobject_cast<QRadioButton*>(w), row.name.data());
          QCOMPARE(qobject_cast<QRadioButton*>(w)->text(), caption);
          QCOMPARE(qobject_cast<QRadioButton*>(w)->isChecked(), row.checked);
          break;
        case ControlKind::List:
          QCOMPARE(qobject_cast<QComboBox*>(w)->currentText(), latin1(row.items.front().caption));
          QCOMPARE(qobject_cast<QComboBox*>(w)->currentIndex(), 0);
          break;
        case ControlKind::Picture:
          QVERIFY2(qobject_cast<QLabel*>(w), row.name.data());
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

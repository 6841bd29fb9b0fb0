#include "input_options_form.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

#include <QAccessible>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QHash>
#include <QLabel>
#include <QPixmap>
#include <QPointer>

#include "about_line.h"
#include "captioned_frame.h"
#include "command_button.h"
#include "field_corrections.h"
#include "filtered_line_edit.h"
#include "form_controls.h"
#include "form_geometry.h"
#include "key_filters.h"
#include "molecule_picture.h"
#include "platform_services.h"
#include "work_cycle.h"
#include "wrapping_radio_button.h"

namespace {

// The form's font: Arial's metrics (Liberation Sans where Arial is missing),
// at the largest size at which every caption fits its control in the form's
// fixed layout.
const QStringList kFormFontFamilies{QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                                    QStringLiteral("DejaVu Sans Condensed")};
constexpr int kFormFontPixels = 10;

QString latin1(std::string_view text) { return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())); }

void allowOnlyNumeric(int& AsciiValue, const QString&) { AllowOnlyNumeric(AsciiValue); }

QLineEdit* makeTextBox(const ControlRow& row, QWidget* parent) {
  QLineEdit* box = nullptr;
  switch (row.keyFilter) {
    case KeyFilterKind::AnyText:
      box = new QLineEdit(parent);
      break;
    case KeyFilterKind::Numeric:
      box = new FilteredLineEdit(allowOnlyNumeric, parent);
      break;
    case KeyFilterKind::Charge:
      box = new FilteredLineEdit(AllowChargeKey, parent);
      break;
  }
  if (row.maxLength > 0) box->setMaxLength(row.maxLength);
  box->setText(latin1(row.caption));
  return box;
}

QWidget* makeControl(const ControlRow& row, QWidget* parent) {
  const QString caption = latin1(row.caption);
  switch (row.kind) {
    case ControlKind::Label: {
      auto* label = new QLabel(caption, parent);
      label->setTextFormat(Qt::PlainText);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      label->setWordWrap(true);
      return label;
    }
    case ControlKind::TextBox:
      return makeTextBox(row, parent);
    case ControlKind::Button:
      return new CommandButton(caption, parent);
    case ControlKind::Picture: {
      auto* picture = new QLabel(parent);
      picture->setPixmap(QPixmap::fromImage(drawMoleculePicture()));
      picture->setScaledContents(true);
      picture->setAccessibleDescription(moleculePictureDescription());
      return picture;
    }
    case ControlKind::Frame:
      return new CaptionedFrame(caption, parent);
    case ControlKind::CheckBox:
    case ControlKind::OptionButton: {
      QAbstractButton* button = row.kind == ControlKind::CheckBox
                                    ? static_cast<QAbstractButton*>(new QCheckBox(caption, parent))
                                    : new WrappingRadioButton(caption, parent);
      button->setChecked(row.checked);
      // Clicking takes the focus, as it would on Windows, so that the box
      // being left is validated before a button acts.
      button->setFocusPolicy(Qt::StrongFocus);
      return button;
    }
    case ControlKind::List: {
      auto* list = new QComboBox(parent);
      list->setEditable(false);
      for (const vorden::ListItem& item : row.items) list->addItem(latin1(item.caption), item.value);
      list->setCurrentIndex(0);
      return list;
    }
  }
  return nullptr;
}

bool takesTheFocus(ControlKind kind) {
  return kind == ControlKind::TextBox || kind == ControlKind::Button || kind == ControlKind::CheckBox ||
         kind == ControlKind::OptionButton || kind == ControlKind::List;
}

// Isotope substitution goes with the frequency calculation.
bool allowsIsotopeSubstitution(const QString& n) {
  return n.size() == 1 && n.front().isDigit() && vorden::calculatesFrequencies(n.front().digitValue());
}

}  // namespace

InputOptionsForm::InputOptionsForm(PlatformServices& services, LobePlaces places, QWidget* parent)
    : QWidget(parent), services_(services), places_(std::move(places)) {
  setObjectName(QStringLiteral("frmInputOptions"));
  setWindowTitle(kApplicationTitle);
  QFont formFont = font();
  formFont.setFamilies(kFormFontFamilies);
  formFont.setPixelSize(kFormFontPixels);
  setFont(formFont);
  setFixedSize(pixelsFromTwips(QSize(9075, 7605)));

  createControls();
  groupOptionButtons();
  setKeyboardOrder();
  connectRules();
}

InputOptionsForm::~InputOptionsForm() {
  // Closing the window moves the focus once more, after this part of the form is gone.
  disconnect(focusWatch_);
}

template <class Control>
Control* InputOptionsForm::named(const char* name) const {
  auto* control = findChild<Control*>(QString::fromLatin1(name));
  if (control == nullptr) qFatal("the form's control table has no control %s of the kind the form needs", name);
  return control;
}

void InputOptionsForm::createControls() {
  // Every control in its start state; frames come before the controls they hold.
  QHash<QString, QWidget*> built;
  for (const ControlRow& row : formControls()) {
    QWidget* parent = row.frame.empty() ? this : built.value(latin1(row.frame));
    QWidget* control = makeControl(row, parent);
    control->setObjectName(latin1(row.name));
    const TwipRect& place = row.place;
    control->setGeometry(pixelsFromTwips(QRect(place.left, place.top, place.width, place.height)));
    control->setEnabled(row.enabled);
    if (!row.accessibleName.empty()) control->setAccessibleName(latin1(row.accessibleName));
    if (row.fontPixels > 0) {
      QFont own = font();
      own.setPixelSize(row.fontPixels);
      control->setFont(own);
    }
    built.insert(control->objectName(), control);
  }
  for (const ControlRow& row : formControls()) {
    if (!row.buddy.empty())
      qobject_cast<QLabel*>(built.value(latin1(row.name)))->setBuddy(built.value(latin1(row.buddy)));
  }

  txtTitle = named<QLineEdit>("txtTitle");
  Label5 = named<QLabel>("Label5");
  // The about line names the working folder, so that a user can find lobe.dat and lobe.out.
  Label5->setText(aboutLine(places_.workingFolder, QDir::homePath()));
  Label5->setToolTip(QDir::toNativeSeparators(places_.workingFolder));
  txtSpin = named<QLineEdit>("txtSpin");
  txtCharge = named<QLineEdit>("txtCharge");
  chkCoulombHole = named<QCheckBox>("chkCoulombHole");
  chkSmall = named<QCheckBox>("chkSmall");
  txtNaturalOrbital = named<QLineEdit>("txtNaturalOrbital");
  txtN = named<QLineEdit>("txtN");
  txtITSD = named<QLineEdit>("txtITSD");
  cmbIsotope = named<QComboBox>("cmbIsotope");
  cmbNMR = named<QComboBox>("cmbNMR");
  chkQuadrupoleTensor = named<QCheckBox>("chkQuadrupoleTensor");
  chkItch = named<QCheckBox>("chkItch");
  chkIntegrals = named<QCheckBox>("chkIntegrals");
  cmbSymmetry = named<QComboBox>("cmbSymmetry");
  cmdSelectFile = named<QPushButton>("cmdSelectFile");
  cmdOK = named<QPushButton>("cmdOK");
  cmdViewResults = named<QPushButton>("cmdViewResults");
  cmdAbort = named<QPushButton>("cmdAbort");

  // The about line lies opaque above the picture, whose lower edge it
  // overlaps; Label6 overlaps cmbSymmetry by a pixel, and the list stays on
  // top so its frame is whole.
  Label5->setAutoFillBackground(true);
  cmbSymmetry->raise();
  Label5->raise();
}

void InputOptionsForm::groupOptionButtons() {
  // Explicit groups: Qt's automatic grouping by parent would also take in the
  // core-orbital buttons nested inside the post-Hartree-Fock frame. A
  // button's id is its value.
  optBasisSet = new QButtonGroup(this);
  optConfigurationInteraction = new QButtonGroup(this);
  optOrbitals = new QButtonGroup(this);
  for (const ControlRow& row : formControls()) {
    QButtonGroup* group = row.group == OptionGroup::BasisSet                   ? optBasisSet
                          : row.group == OptionGroup::ConfigurationInteraction ? optConfigurationInteraction
                          : row.group == OptionGroup::CoreOrbitals             ? optOrbitals
                                                                               : nullptr;
    if (group != nullptr) group->addButton(named<QAbstractButton>(row.name.data()), row.value);
  }
  intBasisSet = static_cast<vorden::BasisSet>(optBasisSet->checkedId());
  intConfigurationInteraction = static_cast<vorden::ConfigurationInteraction>(optConfigurationInteraction->checkedId());
  intOrbitals = static_cast<vorden::CoreOrbitals>(optOrbitals->checkedId());
}

void InputOptionsForm::setKeyboardOrder() {
  std::vector<const ControlRow*> stops;
  for (const ControlRow& row : formControls())
    if (row.tab >= 0 && takesTheFocus(row.kind)) stops.push_back(&row);
  std::sort(stops.begin(), stops.end(), [](const ControlRow* a, const ControlRow* b) { return a->tab < b->tab; });
  for (const ControlRow* row : stops) keyboardOrder_.append(named<QWidget>(row->name.data()));
  for (qsizetype i = 1; i < keyboardOrder_.size(); ++i) setTabOrder(keyboardOrder_[i - 1], keyboardOrder_[i]);
}

bool InputOptionsForm::focusNextPrevChild(bool next) {
  const qsizetype from = keyboardOrder_.indexOf(focusWidget());
  if (from < 0) return QWidget::focusNextPrevChild(next);
  // The box is corrected before the focus leaves it; a correction with a
  // message keeps the focus there, so the next control never takes it (and
  // is never announced to assistive tools as focused).
  if (!correctBoxLeft(focusWidget())) return true;
  // As the platforms' own option groups do: of an option group only the
  // chosen button is a stop, so Tab enters the group there.
  const qsizetype count = keyboardOrder_.size();
  for (qsizetype step = 1; step < count; ++step) {
    QWidget* candidate = keyboardOrder_[(from + (next ? step : count - step)) % count];
    if (!candidate->isEnabled() || !candidate->isVisibleTo(this)) continue;
    if (auto* option = qobject_cast<WrappingRadioButton*>(candidate); option && !option->isChecked()) continue;
    candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
  }
  return false;
}

void InputOptionsForm::connectRules() {
  connect(optBasisSet, &QButtonGroup::idToggled, this, [this](int id, bool on) {
    if (on) optBasisSet_Click(static_cast<vorden::BasisSet>(id));
  });
  connect(optConfigurationInteraction, &QButtonGroup::idToggled, this, [this](int id, bool on) {
    if (on) optConfigurationInteraction_Click(static_cast<vorden::ConfigurationInteraction>(id));
  });
  connect(optOrbitals, &QButtonGroup::idToggled, this, [this](int id, bool on) {
    if (on) optOrbitals_Click(static_cast<vorden::CoreOrbitals>(id));
  });
  connect(chkCoulombHole, &QCheckBox::toggled, this, &InputOptionsForm::chkCoulombHole_Click);
  connect(chkItch, &QCheckBox::toggled, this, &InputOptionsForm::chkItch_Click);
  connect(txtN, &QLineEdit::textChanged, this, &InputOptionsForm::txtN_Change);

  connect(cmdSelectFile, &QPushButton::clicked, this, &InputOptionsForm::cmdSelectFile_Click);
  connect(cmdOK, &QPushButton::clicked, this, &InputOptionsForm::cmdOK_Click);
  connect(cmdViewResults, &QPushButton::clicked, this, &InputOptionsForm::cmdViewResults_Click);
  connect(cmdAbort, &QPushButton::clicked, this, &InputOptionsForm::cmdAbort_Click);

  focusWatch_ = connect(qApp, &QApplication::focusChanged, this, &InputOptionsForm::onFocusChanged);
}

void InputOptionsForm::optBasisSet_Click(vorden::BasisSet basisSet) {
  intBasisSet = basisSet;
  if (vorden::coversHydrogenToNeonOnly(basisSet)) {
    cmbNMR->setEnabled(true);
  } else {
    cmbNMR->setCurrentIndex(0);
    cmbNMR->setEnabled(false);
  }
}

void InputOptionsForm::optConfigurationInteraction_Click(vorden::ConfigurationInteraction treatment) {
  using enum vorden::ConfigurationInteraction;
  if (treatment == BoysReevesCas) {
    chkSmall->setEnabled(true);
    txtNaturalOrbital->setEnabled(true);
    chkSmall->setChecked(true);
    chkCoulombHole->setChecked(false);
  } else {
    disableCasOptions();
    if (treatment == SingleExcitationCdMcd || treatment == Mp2Singlet) chkCoulombHole->setChecked(false);
  }
  intConfigurationInteraction = treatment;
}

void InputOptionsForm::disableCasOptions() {
  txtNaturalOrbital->setText(QStringLiteral("0"));
  chkSmall->setChecked(false);
  txtNaturalOrbital->setEnabled(false);
  chkSmall->setEnabled(false);
}

void InputOptionsForm::chkCoulombHole_Click() {
  if (!chkCoulombHole->isChecked()) return;
  optConfigurationInteraction->button(static_cast<int>(vorden::ConfigurationInteraction::None))->setChecked(true);
  disableCasOptions();
}

void InputOptionsForm::chkItch_Click() {
  if (chkItch->isChecked()) {
    chkIntegrals->setEnabled(true);
  } else {
    chkIntegrals->setChecked(false);
    chkIntegrals->setEnabled(false);
  }
}

void InputOptionsForm::optOrbitals_Click(vorden::CoreOrbitals orbitals) { intOrbitals = orbitals; }

void InputOptionsForm::txtN_Change() {
  if (allowsIsotopeSubstitution(txtN->text())) cmbIsotope->setEnabled(true);  // never disables
}

void InputOptionsForm::onFocusChanged(QWidget* old, QWidget* now) {
  // Only a move to another control of this window validates the box left
  // behind: not a deactivation of the window, nor the focus going to a
  // message box, and never while a correction is being made.
  if (correctingField_ || old == nullptr || now == nullptr || now == old || now->window() != window()) return;
  correctBoxLeft(old);
}

bool InputOptionsForm::correctBoxLeft(QWidget* box) {
  if (box == txtCharge) return correctField(txtCharge, correctCharge);
  if (box == txtSpin) return correctField(txtSpin, correctSpin);
  if (box == txtN) {
    const bool mayLeave = correctField(txtN, correctOptimizationLevel);
    applyOptimizationLevelToIsotope();
    return mayLeave;
  }
  if (box == txtITSD) return correctField(txtITSD, correctSteepestDescent);
  if (box == txtNaturalOrbital) return correctField(txtNaturalOrbital, correctNaturalOrbital);
  return true;
}

bool InputOptionsForm::correctField(QLineEdit* box, FieldCorrection (*correct)(const QString&)) {
  correctingField_ = true;
  const FieldCorrection correction = correct(box->text());
  if (correction.message) services_.showMessage(this, *correction.message);
  if (box->text() != correction.text) box->setText(correction.text);
  if (correction.message) {
    box->setFocus(Qt::OtherFocusReason);
    announceFocusAfterwards(box);
  }
  correctingField_ = false;
  return !correction.message;
}

void InputOptionsForm::announceFocusAfterwards(QWidget* box) {
  // A correction made as the focus moves away (a click, an access key) runs
  // before the next control's focus announcement to assistive tools, which
  // follows once the move ends, after the focus has already come back.
  // Saying once more where the focus is, after that, leaves screen readers
  // on the corrected box.
  QMetaObject::invokeMethod(
      this,
      [box = QPointer<QWidget>(box)] {
        if (box == nullptr || !box->hasFocus()) return;  // the window's activation announces it then
        QAccessibleEvent focus(box, QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
      },
      Qt::QueuedConnection);
}

void InputOptionsForm::applyOptimizationLevelToIsotope() {
  if (allowsIsotopeSubstitution(txtN->text())) {
    cmbIsotope->setEnabled(true);
  } else {
    cmbIsotope->setCurrentIndex(0);
    cmbIsotope->setEnabled(false);
  }
}

vorden::LobeOptions InputOptionsForm::lobeOptions() const {
  auto state = [](const QCheckBox* box) {
    switch (box->checkState()) {
      case Qt::Unchecked:
        return 0;
      case Qt::Checked:
        return 1;
      case Qt::PartiallyChecked:
        break;
    }
    return 2;
  };
  auto bytes = [](const QLineEdit* box) { return box->text().toLatin1().toStdString(); };
  vorden::LobeOptions options;
  options.coordinatePath = bytes(txtTitle);
  options.itch = state(chkItch);
  options.integrals = state(chkIntegrals);
  options.coulombHole = state(chkCoulombHole);
  options.quadrupoleTensor = state(chkQuadrupoleTensor);
  options.small = state(chkSmall);
  options.symmetry = cmbSymmetry->currentData().toInt();
  options.nmr = cmbNMR->currentData().toInt();
  options.isotope = cmbIsotope->currentData().toInt();
  options.n = bytes(txtN);
  options.spin = bytes(txtSpin);
  options.charge = bytes(txtCharge);
  options.itsd = bytes(txtITSD);
  options.naturalOrbital = bytes(txtNaturalOrbital);
  options.basisSet = static_cast<int>(intBasisSet);
  options.configurationInteraction = static_cast<int>(intConfigurationInteraction);
  options.orbitals = static_cast<int>(intOrbitals);
  return options;
}

void InputOptionsForm::cmdSelectFile_Click() {
  // Qt filters: what is shown, then the patterns in the last parentheses.
  const QString chosen = services_.chooseFileToOpen(
      this, {QStringLiteral("Coordinate Files (*.xyz, *.cta) (*.cta *.xyz)"), QStringLiteral("All Files (*.*) (*)")});
  if (!chosen.isEmpty()) txtTitle->setText(chosen);  // a cancel keeps what was there
}

void InputOptionsForm::cmdOK_Click() {
  const LaunchResult result = launchLobeEngine(services_, this, places_, txtTitle->text(), lobeOptions());
  if (result == LaunchResult::NoCoordinateFile || result == LaunchResult::CoordinateFileMissing)
    txtTitle->setFocus(Qt::OtherFocusReason);
  // A user who cannot see the engine's window appear still learns that it started.
  if (result == LaunchResult::Started)
    showStatus(tr("VORDEN started in %1; its report will appear there as lobe.out.")
                   .arg(QDir::toNativeSeparators(places_.workingFolder)));
}

void InputOptionsForm::showStatus(const QString& text) { Label5->setText(text); }

void InputOptionsForm::cmdViewResults_Click() { viewLobeOutput(services_, this, places_.workingFolder); }

void InputOptionsForm::cmdAbort_Click() { services_.exitProgram(); }

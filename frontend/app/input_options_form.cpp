#include "input_options_form.h"

#include <algorithm>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>

#include "about_line.h"
#include "captioned_frame.h"
#include "field_corrections.h"
#include "filtered_line_edit.h"
#include "form_geometry.h"
#include "key_filters.h"
#include "lobe_catalogue.h"
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
// The Browse button's own small font (6.75 pt at 96 dots per inch).
constexpr int kBrowseFontPixels = 9;

template <class Control>
Control* place(Control* control, const QString& name, QRect twips) {
  control->setObjectName(name);
  control->setGeometry(pixelsFromTwips(twips));
  return control;
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& caption, QRect twips) {
  auto* label = place(new QLabel(caption, parent), name, twips);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setWordWrap(true);
  return label;
}

QGroupBox* makeFrame(QWidget* parent, const QString& name, const QString& caption, QRect twips) {
  return place(new CaptionedFrame(caption, parent), name, twips);
}

QComboBox* makeList(QWidget* parent, const QString& name, QRect twips, std::span<const vorden::ListItem> items) {
  auto* list = place(new QComboBox(parent), name, twips);
  list->setEditable(false);
  for (const vorden::ListItem& item : items) {
    list->addItem(QString::fromLatin1(item.caption.data(), static_cast<qsizetype>(item.caption.size())), item.value);
  }
  return list;
}

FilteredLineEdit* makeNumericBox(QWidget* parent, const QString& name, const QString& text, int maxLength,
                                 QRect twips, FilteredLineEdit::KeyFilter filter) {
  auto* box = place(new FilteredLineEdit(std::move(filter), parent), name, twips);
  box->setMaxLength(maxLength);
  box->setText(text);
  return box;
}

QString latin1(std::string_view text) { return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())); }

void allowOnlyNumeric(int& AsciiValue, const QString&) { AllowOnlyNumeric(AsciiValue); }

// Clicking a control of this form must take the focus, as it would on Windows,
// so that the box being left is validated before a button acts.
template <class Control>
Control* focusOnClick(Control* control) {
  control->setFocusPolicy(Qt::StrongFocus);
  return control;
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
  setStartState();
  connectRules();
}

InputOptionsForm::~InputOptionsForm() {
  // Closing the window moves the focus once more, after this part of the form is gone.
  disconnect(focusWatch_);
}

void InputOptionsForm::createControls() {
  lblTitle = makeLabel(this, QStringLiteral("lblTitle"), QStringLiteral("Title:"), {120, 120, 375, 255});
  txtTitle = place(new QLineEdit(this), QStringLiteral("txtTitle"), {480, 120, 2295, 285});
  lblTitle->setBuddy(txtTitle);
  cmdSelectFile = focusOnClick(
      place(new QPushButton(QStringLiteral("Browse"), this), QStringLiteral("cmdSelectFile"), {2880, 120, 615, 255}));
  QFont browseFont = font();
  browseFont.setPixelSize(kBrowseFontPixels);
  cmdSelectFile->setFont(browseFont);

  Image1 = place(new QLabel(this), QStringLiteral("Image1"), {3720, 120, 5175, 2610});
  Image1->setPixmap(QPixmap::fromImage(drawMoleculePicture()));
  Image1->setScaledContents(true);
  // The about line names the working folder, so that a user can find lobe.dat and lobe.out.
  Label5 = makeLabel(this, QStringLiteral("Label5"), aboutLine(places_.workingFolder, QDir::homePath()),
                     {3720, 2280, 5175, 375});
  Label5->setToolTip(QDir::toNativeSeparators(places_.workingFolder));
  // Opaque and above the picture, whose lower edge it overlaps.
  Label5->setAutoFillBackground(true);

  fraBasisSet = makeFrame(this, QStringLiteral("fraBasisSet"), QStringLiteral("Basis Set"), {360, 600, 3135, 2775});
  const std::array<QRect, vorden::kBasisSetCount> basisSetPlaces{{
      {120, 240, 2295, 195},
      {120, 480, 2895, 435},
      {120, 960, 2895, 255},
      {120, 1320, 2535, 195},
      {120, 1680, 2775, 195},
      {120, 1920, 2775, 375},
      {120, 2280, 2775, 435},
  }};
  for (int i = 0; i < vorden::kBasisSetCount; ++i)
    optBasisSet[i] = focusOnClick(place(new WrappingRadioButton(latin1(vorden::kBasisSetCaptions[i]), fraBasisSet),
                                        QStringLiteral("optBasisSet_%1").arg(i), basisSetPlaces[i]));

  lblSpin = makeLabel(this, QStringLiteral("lblSpin"), QStringLiteral("Spin Multiplicity (0=Singlet):"),
                      {4440, 3000, 1935, 255});
  txtSpin = makeNumericBox(this, QStringLiteral("txtSpin"), QStringLiteral("0"), 1, {6480, 3000, 255, 285},
                           allowOnlyNumeric);
  lblSpin->setBuddy(txtSpin);
  lblCharge = makeLabel(this, QStringLiteral("lblCharge"), QStringLiteral("Charge:"), {6840, 3000, 615, 255});
  txtCharge = makeNumericBox(this, QStringLiteral("txtCharge"), QStringLiteral("0"), 2, {7440, 3000, 375, 285},
                             AllowChargeKey);
  lblCharge->setBuddy(txtCharge);

  fraCoulombHole =
      makeFrame(this, QStringLiteral("fraCoulombHole"), QStringLiteral("Coulomb Hole"), {360, 3480, 3135, 1335});
  Label1 = makeLabel(fraCoulombHole, QStringLiteral("Label1"),
                     QStringLiteral("Chakravorty-Clementi-Otto method Brannock Scaling of w = f(H1s)"),
                     {240, 240, 2655, 375});
  lblCoulombHole = makeLabel(fraCoulombHole, QStringLiteral("lblCoulombHole"),
                             QStringLiteral("f(R)=(1-exp(-wR\u00B2))/R; R=R(1-2)"), {240, 720, 2415, 375});
  chkCoulombHole = focusOnClick(place(new QCheckBox(QStringLiteral("Check for YES"), fraCoulombHole),
                                      QStringLiteral("chkCoulombHole"), {720, 960, 1815, 255}));

  fraConfigurationInteraction = makeFrame(this, QStringLiteral("fraConfigurationInteraction"),
                                          QStringLiteral("Post-Hartree Fock Options"), {4320, 3360, 4095, 2775});
  const std::array<QRect, vorden::kConfigurationInteractionCount> treatmentPlaces{{
      {240, 480, 1335, 255},
      {240, 840, 1335, 255},
      {240, 1200, 1575, 255},
      {240, 1560, 1695, 255},
      {240, 2280, 2630, 375},
  }};
  for (int i = 0; i < vorden::kConfigurationInteractionCount; ++i)
    optConfigurationInteraction[i] = focusOnClick(
        place(new WrappingRadioButton(latin1(vorden::kConfigurationInteractionCaptions[i]), fraConfigurationInteraction),
              QStringLiteral("optConfigurationInteraction_%1").arg(i), treatmentPlaces[i]));
  chkSmall = focusOnClick(place(new QCheckBox(QStringLiteral("Small"), fraConfigurationInteraction),
                                QStringLiteral("chkSmall"), {600, 1920, 700, 255}));
  txtNaturalOrbital = makeNumericBox(fraConfigurationInteraction, QStringLiteral("txtNaturalOrbital"),
                                     QStringLiteral("0"), 1, {1560, 1920, 255, 285}, allowOnlyNumeric);
  Label7 = makeLabel(fraConfigurationInteraction, QStringLiteral("Label7"), QStringLiteral("Natural Orbital Iterations"),
                     {1920, 1860, 1095, 375});
  Label7->setBuddy(txtNaturalOrbital);
  fraOrbitals = makeFrame(fraConfigurationInteraction, QStringLiteral("fraOrbitals"), QStringLiteral("Core Orbitals"),
                          {2280, 240, 1095, 975});
  optOrbitals[1] = focusOnClick(place(new WrappingRadioButton(QStringLiteral("Freeze"), fraOrbitals),
                                      QStringLiteral("optOrbitals_1"), {120, 240, 855, 255}));
  optOrbitals[0] = focusOnClick(place(new WrappingRadioButton(QStringLiteral("Include"), fraOrbitals),
                                      QStringLiteral("optOrbitals_0"), {120, 600, 855, 255}));

  fraFrame = makeFrame(this, QStringLiteral("fraFrame"), QString(), {360, 4920, 3135, 1815});
  lblOptimize = makeLabel(fraFrame, QStringLiteral("lblOptimize"),
                          QStringLiteral("Optimize Geometry to within 10^-n Hartrees/Bohr            n="),
                          {120, 240, 2295, 375});
  txtN = makeNumericBox(fraFrame, QStringLiteral("txtN"), QStringLiteral("0"), 1, {2400, 360, 375, 285},
                        allowOnlyNumeric);
  lblOptimize->setBuddy(txtN);
  lblCalculated = makeLabel(fraFrame, QStringLiteral("lblCalculated"),
                            QStringLiteral("Calculated Harmonic Infrared Frequencies if n=4,5,6  (6=max.)"),
                            {120, 600, 2415, 465});
  Label4 = makeLabel(fraFrame, QStringLiteral("Label4"), QStringLiteral("Steepest Descent Iterations  ="),
                     {120, 1080, 2295, 255});
  txtITSD = makeNumericBox(fraFrame, QStringLiteral("txtITSD"), QStringLiteral("30"), 2, {2400, 1080, 375, 285},
                           allowOnlyNumeric);
  Label4->setBuddy(txtITSD);
  Label3 = makeLabel(fraFrame, QStringLiteral("Label3"), QStringLiteral("Isotope Substitution:"),
                     {120, 1485, 1455, 255});
  cmbIsotope = makeList(fraFrame, QStringLiteral("cmbIsotope"), {1800, 1440, 855, 315}, vorden::kIsotopeItems);
  Label3->setBuddy(cmbIsotope);

  Label2 = makeLabel(this, QStringLiteral("Label2"), QStringLiteral("NMR Chemical Shift for Isotope:"),
                     {4320, 6285, 2415, 255});
  cmbNMR = makeList(this, QStringLiteral("cmbNMR"), {6720, 6240, 735, 315}, vorden::kNmrItems);
  Label2->setBuddy(cmbNMR);

  chkQuadrupoleTensor = focusOnClick(place(new QCheckBox(QStringLiteral("QuadrupoleTensor"), this),
                                           QStringLiteral("chkQuadrupoleTensor"), {360, 6840, 1815, 255}));
  chkItch = focusOnClick(
      place(new QCheckBox(QStringLiteral("Verbose Output"), this), QStringLiteral("chkItch"), {2040, 6840, 1455, 255}));
  chkIntegrals = focusOnClick(place(new QCheckBox(QStringLiteral("Print Integrals"), this),
                                    QStringLiteral("chkIntegrals"), {2040, 7080, 1455, 255}));
  cmbSymmetry = makeList(this, QStringLiteral("cmbSymmetry"), {360, 7080, 765, 315}, vorden::kSymmetryItems);
  Label6 = makeLabel(this, QStringLiteral("Label6"), QStringLiteral(" Symmetry"), {1080, 7095, 855, 255});
  Label6->setBuddy(cmbSymmetry);

  cmdOK = focusOnClick(place(new QPushButton(QStringLiteral("&Launch VORDEN"), this), QStringLiteral("cmdOK"),
                             {4320, 6720, 1575, 615}));
  cmdViewResults = focusOnClick(place(new QPushButton(QStringLiteral("&View Output"), this),
                                      QStringLiteral("cmdViewResults"), {6000, 6720, 1575, 615}));
  cmdAbort = focusOnClick(
      place(new QPushButton(QStringLiteral("E&xit"), this), QStringLiteral("cmdAbort"), {7680, 6720, 735, 615}));

  // Label6 is created after cmbSymmetry, which it overlaps by a pixel; the
  // list stays on top so its frame is whole.
  cmbSymmetry->raise();
  Label5->raise();
}

void InputOptionsForm::groupOptionButtons() {
  // Explicit groups: Qt's automatic grouping by parent would also take in the
  // core-orbital buttons nested inside the post-Hartree-Fock frame.
  auto group = [this](auto& buttons) {
    auto* exclusive = new QButtonGroup(this);
    for (std::size_t i = 0; i < buttons.size(); ++i) exclusive->addButton(buttons[i], static_cast<int>(i));
  };
  group(optBasisSet);
  group(optConfigurationInteraction);
  group(optOrbitals);
}

void InputOptionsForm::setKeyboardOrder() {
  // The controls that take the focus, by their place in the tab order.
  std::vector<std::pair<int, QWidget*>> order{
      {1, txtTitle},        {9, chkCoulombHole},    {10, txtN},          {11, cmbIsotope},
      {12, chkQuadrupoleTensor}, {13, chkItch},     {14, chkIntegrals},  {15, txtSpin},
      {16, txtCharge},      {21, chkSmall},         {22, optConfigurationInteraction[4]},
      {23, optOrbitals[1]}, {24, optOrbitals[0]},   {25, cmbNMR},        {26, cmdOK},
      {27, cmdViewResults}, {28, cmdAbort},         {40, cmdSelectFile}, {44, txtITSD},
      {46, cmbSymmetry},    {48, txtNaturalOrbital}};
  for (int i = 0; i < 7; ++i) order.emplace_back(2 + i, optBasisSet[i]);
  for (int i = 0; i < 4; ++i) order.emplace_back(17 + i, optConfigurationInteraction[i]);
  std::sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1].second, order[i].second);
}

void InputOptionsForm::setStartState() {
  optBasisSet[0]->setChecked(true);
  optConfigurationInteraction[0]->setChecked(true);
  optOrbitals[1]->setChecked(true);
  intBasisSet = 0;
  intConfigurationInteraction = 0;
  intOrbitals = 1;

  chkSmall->setChecked(false);
  chkSmall->setEnabled(false);
  txtNaturalOrbital->setText(QStringLiteral("0"));
  txtNaturalOrbital->setEnabled(false);
  chkItch->setChecked(false);
  chkIntegrals->setEnabled(false);
  cmbNMR->setCurrentIndex(0);
  cmbNMR->setEnabled(false);
  cmbIsotope->setCurrentIndex(0);
  cmbIsotope->setEnabled(false);
  Image1->resize(Image1->width(), pixelsFromTwips(2250));
  cmbSymmetry->setCurrentIndex(0);
}

void InputOptionsForm::connectRules() {
  for (int i = 0; i < 7; ++i)
    connect(optBasisSet[i], &QRadioButton::toggled, this, [this, i](bool on) {
      if (on) optBasisSet_Click(i);
    });
  for (int i = 0; i < 5; ++i)
    connect(optConfigurationInteraction[i], &QRadioButton::toggled, this, [this, i](bool on) {
      if (on) optConfigurationInteraction_Click(i);
    });
  for (int i = 0; i < 2; ++i)
    connect(optOrbitals[i], &QRadioButton::toggled, this, [this, i](bool on) {
      if (on) optOrbitals_Click(i);
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

void InputOptionsForm::optBasisSet_Click(int index) {
  intBasisSet = static_cast<qint16>(index);
  if (index > 1) {  // the "H to Ne" basis sets
    cmbNMR->setEnabled(true);
  } else {
    cmbNMR->setCurrentIndex(0);
    cmbNMR->setEnabled(false);
  }
}

void InputOptionsForm::optConfigurationInteraction_Click(int index) {
  if (index == 3) {  // Boys-Reeves CAS
    chkSmall->setEnabled(true);
    txtNaturalOrbital->setEnabled(true);
    chkSmall->setChecked(true);
    chkCoulombHole->setChecked(false);
  } else {
    disableCasOptions();
    if (index == 4 || index == 1) chkCoulombHole->setChecked(false);
  }
  intConfigurationInteraction = static_cast<qint16>(index);
}

void InputOptionsForm::disableCasOptions() {
  txtNaturalOrbital->setText(QStringLiteral("0"));
  chkSmall->setChecked(false);
  txtNaturalOrbital->setEnabled(false);
  chkSmall->setEnabled(false);
}

void InputOptionsForm::chkCoulombHole_Click() {
  if (!chkCoulombHole->isChecked()) return;
  optConfigurationInteraction[0]->setChecked(true);
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

void InputOptionsForm::optOrbitals_Click(int index) { intOrbitals = static_cast<qint16>(index); }

void InputOptionsForm::txtN_Change() {
  const QString n = txtN->text();
  if (n == u"4" || n == u"5" || n == u"6") cmbIsotope->setEnabled(true);
}

void InputOptionsForm::onFocusChanged(QWidget* old, QWidget* now) {
  // Only a move to another control of this window validates the box left
  // behind: not a deactivation of the window, nor the focus going to a
  // message box, and never while a correction is being made.
  if (correctingField_ || old == nullptr || now == nullptr || now == old || now->window() != window()) return;
  if (old == txtCharge) {
    correctField(txtCharge, correctCharge);
  } else if (old == txtSpin) {
    correctField(txtSpin, correctSpin);
  } else if (old == txtN) {
    correctField(txtN, correctOptimizationLevel);
    applyOptimizationLevelToIsotope();
  } else if (old == txtITSD) {
    correctField(txtITSD, correctSteepestDescent);
  } else if (old == txtNaturalOrbital) {
    correctField(txtNaturalOrbital, correctNaturalOrbital);
  }
}

void InputOptionsForm::correctField(QLineEdit* box, FieldCorrection (*correct)(const QString&)) {
  correctingField_ = true;
  const FieldCorrection correction = correct(box->text());
  if (correction.message) services_.showMessage(this, *correction.message);
  if (box->text() != correction.text) box->setText(correction.text);
  if (correction.message) box->setFocus(Qt::OtherFocusReason);
  correctingField_ = false;
}

void InputOptionsForm::applyOptimizationLevelToIsotope() {
  // Isotope substitution goes with the frequency calculation, n = 4 to 6.
  const QString n = txtN->text();
  if (n == u"4" || n == u"5" || n == u"6") {
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
  options.basisSet = intBasisSet;
  options.configurationInteraction = intConfigurationInteraction;
  options.orbitals = intOrbitals;
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
}

void InputOptionsForm::cmdViewResults_Click() { viewLobeOutput(services_, this, places_.workingFolder); }

void InputOptionsForm::cmdAbort_Click() { services_.exitProgram(); }

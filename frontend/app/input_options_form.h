#pragma once

#include <array>

#include <QString>
#include <QWidget>

#include "lobe_dat.h"
#include "program_folder.h"

class FilteredLineEdit;
class PlatformServices;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
struct FieldCorrection;

// frmInputOptions, the one window of VORDEN Input: the coordinate file, every
// option of a lobe-engine run, and the buttons that launch the engine and show
// its report. Each control's objectName is its control name (option-button
// array members carry their index: optBasisSet_3).
class InputOptionsForm : public QWidget {
  Q_OBJECT

 public:
  // places: where a launch finds the lobe engine and keeps lobe.dat and lobe.out.
  InputOptionsForm(PlatformServices& services, LobePlaces places, QWidget* parent = nullptr);
  ~InputOptionsForm() override;

  // The form-level indexes of the chosen option buttons.
  int basisSetIndex() const { return intBasisSet; }
  int configurationInteractionIndex() const { return intConfigurationInteraction; }
  int orbitalsIndex() const { return intOrbitals; }

  const LobePlaces& places() const { return places_; }

  // The values a launch writes into lobe.dat, read from the controls now.
  vorden::LobeOptions lobeOptions() const;

 private:
  void createControls();
  void groupOptionButtons();
  void setStartState();
  void setKeyboardOrder();
  void connectRules();

  // Interplay rules; a change a rule makes raises the changed control's own
  // event, so the rules chain as a user's changes would.
  void optBasisSet_Click(int index);
  void optConfigurationInteraction_Click(int index);
  void chkCoulombHole_Click();
  void chkItch_Click();
  void optOrbitals_Click(int index);
  void txtN_Change();
  void disableCasOptions();

  // Focus-loss validation of the numeric boxes.
  void onFocusChanged(QWidget* old, QWidget* now);
  void correctField(QLineEdit* box, FieldCorrection (*correct)(const QString&));
  void applyOptimizationLevelToIsotope();

  // The buttons' actions.
  void cmdSelectFile_Click();
  void cmdOK_Click();
  void cmdViewResults_Click();
  void cmdAbort_Click();

  PlatformServices& services_;
  LobePlaces places_;
  bool correctingField_ = false;  // a focus-loss correction (and its message) is under way
  QMetaObject::Connection focusWatch_;

  qint16 intBasisSet = 0;
  qint16 intConfigurationInteraction = 0;
  qint16 intOrbitals = 1;

  QLabel* lblTitle = nullptr;
  QLineEdit* txtTitle = nullptr;
  QPushButton* cmdSelectFile = nullptr;
  QLabel* Image1 = nullptr;
  QLabel* Label5 = nullptr;
  QGroupBox* fraBasisSet = nullptr;
  std::array<QRadioButton*, 7> optBasisSet{};
  QLabel* lblSpin = nullptr;
  FilteredLineEdit* txtSpin = nullptr;
  QLabel* lblCharge = nullptr;
  FilteredLineEdit* txtCharge = nullptr;
  QGroupBox* fraCoulombHole = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* lblCoulombHole = nullptr;
  QCheckBox* chkCoulombHole = nullptr;
  QGroupBox* fraConfigurationInteraction = nullptr;
  std::array<QRadioButton*, 5> optConfigurationInteraction{};
  QCheckBox* chkSmall = nullptr;
  FilteredLineEdit* txtNaturalOrbital = nullptr;
  QLabel* Label7 = nullptr;
  QGroupBox* fraOrbitals = nullptr;
  std::array<QRadioButton*, 2> optOrbitals{};
  QGroupBox* fraFrame = nullptr;
  QLabel* lblOptimize = nullptr;
  FilteredLineEdit* txtN = nullptr;
  QLabel* lblCalculated = nullptr;
  QLabel* Label4 = nullptr;
  FilteredLineEdit* txtITSD = nullptr;
  QLabel* Label3 = nullptr;
  QComboBox* cmbIsotope = nullptr;
  QLabel* Label2 = nullptr;
  QComboBox* cmbNMR = nullptr;
  QCheckBox* chkQuadrupoleTensor = nullptr;
  QCheckBox* chkItch = nullptr;
  QCheckBox* chkIntegrals = nullptr;
  QComboBox* cmbSymmetry = nullptr;
  QLabel* Label6 = nullptr;
  QPushButton* cmdOK = nullptr;
  QPushButton* cmdViewResults = nullptr;
  QPushButton* cmdAbort = nullptr;
};

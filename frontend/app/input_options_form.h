#pragma once

#include <QList>
#include <QString>
#include <QWidget>

#include "lobe_catalogue.h"
#include "lobe_dat.h"
#include "program_folder.h"

class PlatformServices;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
struct FieldCorrection;

// frmInputOptions, the one window of VORDEN Input: the coordinate file, every
// option of a lobe-engine run, and the buttons that launch the engine and show
// its report. The controls are built from the table in form_controls.h; each
// control's objectName is its name there (option-button array members carry
// their index: optBasisSet_3).
class InputOptionsForm : public QWidget {
  Q_OBJECT

 public:
  // places: where a launch finds the lobe engine and keeps lobe.dat and lobe.out.
  InputOptionsForm(PlatformServices& services, LobePlaces places, QWidget* parent = nullptr);
  ~InputOptionsForm() override;

  // The form-level indexes of the chosen option buttons.
  int basisSetIndex() const { return static_cast<int>(intBasisSet); }
  int configurationInteractionIndex() const { return static_cast<int>(intConfigurationInteraction); }
  int orbitalsIndex() const { return static_cast<int>(intOrbitals); }

  const LobePlaces& places() const { return places_; }

  // The values a launch writes into lobe.dat, read from the controls now.
  vorden::LobeOptions lobeOptions() const;

  // Puts a line about what the program is doing in the about line's place,
  // where assistive tools read it out as the line's new name.
  void showStatus(const QString& text);

 protected:
  // Tab and Shift+Tab follow the keyboard order, entering each option group
  // at its chosen button.
  bool focusNextPrevChild(bool next) override;

 private:
  void createControls();
  void groupOptionButtons();
  void setKeyboardOrder();
  void connectRules();
  template <class Control>
  Control* named(const char* name) const;

  // Interplay rules; a change a rule makes raises the changed control's own
  // event, so the rules chain as a user's changes would.
  void optBasisSet_Click(vorden::BasisSet basisSet);
  void optConfigurationInteraction_Click(vorden::ConfigurationInteraction treatment);
  void chkCoulombHole_Click();
  void chkItch_Click();
  void optOrbitals_Click(vorden::CoreOrbitals orbitals);
  void txtN_Change();
  void disableCasOptions();

  // Focus-loss validation of the numeric boxes. Each correction returns
  // false when it came with a message, which keeps the focus in the box.
  void onFocusChanged(QWidget* old, QWidget* now);
  bool correctBoxLeft(QWidget* box);
  bool correctField(QLineEdit* box, FieldCorrection (*correct)(const QString&));
  void announceFocusAfterwards(QWidget* box);
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
  QList<QWidget*> keyboardOrder_;  // the controls that take the focus, by tab position

  vorden::BasisSet intBasisSet = vorden::BasisSet::ThreeGaussian;
  vorden::ConfigurationInteraction intConfigurationInteraction = vorden::ConfigurationInteraction::None;
  vorden::CoreOrbitals intOrbitals = vorden::CoreOrbitals::Freeze;

  QButtonGroup* optBasisSet = nullptr;
  QButtonGroup* optConfigurationInteraction = nullptr;
  QButtonGroup* optOrbitals = nullptr;

  QLineEdit* txtTitle = nullptr;
  QLabel* Label5 = nullptr;
  QLineEdit* txtSpin = nullptr;
  QLineEdit* txtCharge = nullptr;
  QCheckBox* chkCoulombHole = nullptr;
  QCheckBox* chkSmall = nullptr;
  QLineEdit* txtNaturalOrbital = nullptr;
  QLineEdit* txtN = nullptr;
  QLineEdit* txtITSD = nullptr;
  QComboBox* cmbIsotope = nullptr;
  QComboBox* cmbNMR = nullptr;
  QCheckBox* chkQuadrupoleTensor = nullptr;
  QCheckBox* chkItch = nullptr;
  QCheckBox* chkIntegrals = nullptr;
  QComboBox* cmbSymmetry = nullptr;
  QPushButton* cmdSelectFile = nullptr;
  QPushButton* cmdOK = nullptr;
  QPushButton* cmdViewResults = nullptr;
  QPushButton* cmdAbort = nullptr;
};

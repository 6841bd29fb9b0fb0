#include "form_controls.h"

namespace {

using vorden::BasisSet;
using vorden::ConfigurationInteraction;
using vorden::CoreOrbitals;
using enum ControlKind;

// The choices the option groups start with.
constexpr BasisSet kStartBasisSet = BasisSet::ThreeGaussian;
constexpr ConfigurationInteraction kStartTreatment = ConfigurationInteraction::None;
constexpr CoreOrbitals kStartCoreOrbitals = CoreOrbitals::Freeze;

// An option button takes its caption and value from the catalogue.
constexpr ControlRow option(std::string_view name, BasisSet value, TwipRect place, int tab) {
  return {.name = name, .kind = OptionButton, .caption = vorden::captionOf(value), .place = place,
          .frame = "fraBasisSet", .tab = tab, .checked = value == kStartBasisSet,
          .group = OptionGroup::BasisSet, .value = static_cast<int>(value)};
}

constexpr ControlRow option(std::string_view name, ConfigurationInteraction value, TwipRect place, int tab) {
  return {.name = name, .kind = OptionButton, .caption = vorden::captionOf(value), .place = place,
          .frame = "fraConfigurationInteraction", .tab = tab, .checked = value == kStartTreatment,
          .group = OptionGroup::ConfigurationInteraction, .value = static_cast<int>(value)};
}

constexpr ControlRow option(std::string_view name, CoreOrbitals value, TwipRect place, int tab) {
  return {.name = name, .kind = OptionButton, .caption = vorden::captionOf(value), .place = place,
          .frame = "fraOrbitals", .tab = tab, .checked = value == kStartCoreOrbitals,
          .group = OptionGroup::CoreOrbitals, .value = static_cast<int>(value)};
}

constexpr ControlRow kControls[] = {
    {.name = "lblTitle", .kind = Label, .caption = "Title:", .place = {120, 120, 375, 255}, .tab = 0,
     .buddy = "txtTitle"},
    // The full path of the coordinate file.
    {.name = "txtTitle", .kind = TextBox, .caption = "", .place = {480, 120, 2295, 285}, .tab = 1},
    {.name = "cmdSelectFile", .kind = Button, .caption = "Browse", .place = {2880, 120, 615, 255}, .tab = 40,
     .fontPixels = 9},  // 6.75 pt at 96 dots per inch
    // Drawn 2610 twips high, shortened to 2250 at start.
    {.name = "Image1", .kind = Picture, .caption = "", .place = {3720, 120, 5175, 2250},
     .accessibleName = "Water molecule drawn as floating Gaussian spheres"},
    {.name = "Label5", .kind = Label,
     // Its first row; the form adds the working folder as the second (aboutLine).
     .caption = "VORDEN Input of Floating-Sphere SCF for Classrooms, see README.md.",
     .place = {3720, 2280, 5175, 375}, .tab = 45},

    {.name = "fraBasisSet", .kind = Frame, .caption = "Basis Set", .place = {360, 600, 3135, 2775}, .tab = 30,
     .accessibleName = "Basis Set"},
    option("optBasisSet_0", BasisSet::ThreeGaussian, {120, 240, 2295, 195}, 2),
    option("optBasisSet_1", BasisSet::FourGaussian, {120, 480, 2895, 435}, 3),
    option("optBasisSet_2", BasisSet::Stp544G, {120, 960, 2895, 255}, 4),
    option("optBasisSet_3", BasisSet::Pople631Gss, {120, 1320, 2535, 195}, 5),
    option("optBasisSet_4", BasisSet::Pople6311Gss, {120, 1680, 2775, 195}, 6),
    option("optBasisSet_5", BasisSet::Pople6311ppGss, {120, 1920, 2775, 375}, 7),
    option("optBasisSet_6", BasisSet::DunningHuzinaga, {120, 2280, 2775, 435}, 8),

    {.name = "lblSpin", .kind = Label, .caption = "Spin Multiplicity (0=Singlet):", .place = {4440, 3000, 1935, 255},
     .tab = 29, .buddy = "txtSpin"},
    {.name = "txtSpin", .kind = TextBox, .caption = "0", .place = {6480, 3000, 255, 285}, .tab = 15, .maxLength = 1,
     .keyFilter = KeyFilterKind::Numeric},
    {.name = "lblCharge", .kind = Label, .caption = "Charge:", .place = {6840, 3000, 615, 255}, .tab = 31,
     .buddy = "txtCharge"},
    {.name = "txtCharge", .kind = TextBox, .caption = "0", .place = {7440, 3000, 375, 285}, .tab = 16,
     .maxLength = 2, .keyFilter = KeyFilterKind::Charge},

    {.name = "fraCoulombHole", .kind = Frame, .caption = "Coulomb Hole", .place = {360, 3480, 3135, 1335}, .tab = 33,
     .accessibleName = "Coulomb Hole"},
    {.name = "Label1", .kind = Label, .caption = "Chakravorty-Clementi-Otto method Brannock Scaling of w = f(H1s)",
     .place = {240, 240, 2655, 375}, .frame = "fraCoulombHole", .tab = 39},
    {.name = "lblCoulombHole", .kind = Label, .caption = "f(R)=(1-exp(-wR\xB2))/R; R=R(1-2)",
     .place = {240, 720, 2415, 375}, .frame = "fraCoulombHole", .tab = 34},
    {.name = "chkCoulombHole", .kind = CheckBox, .caption = "Check for YES", .place = {720, 960, 1815, 255},
     .frame = "fraCoulombHole", .tab = 9},

    {.name = "fraConfigurationInteraction", .kind = Frame, .caption = "Post-Hartree Fock Options",
     .place = {4320, 3360, 4095, 2775}, .tab = 32, .accessibleName = "Post-Hartree Fock Options"},
    option("optConfigurationInteraction_0", ConfigurationInteraction::None, {240, 480, 1335, 255}, 17),
    option("optConfigurationInteraction_1", ConfigurationInteraction::Mp2Singlet, {240, 840, 1335, 255}, 18),
    option("optConfigurationInteraction_2", ConfigurationInteraction::SingleExcitation, {240, 1200, 1575, 255}, 19),
    option("optConfigurationInteraction_3", ConfigurationInteraction::BoysReevesCas, {240, 1560, 1695, 255}, 20),
    option("optConfigurationInteraction_4", ConfigurationInteraction::SingleExcitationCdMcd, {240, 2280, 2630, 375},
           22),
    {.name = "chkSmall", .kind = CheckBox, .caption = "Small", .place = {600, 1920, 700, 255},
     .frame = "fraConfigurationInteraction", .tab = 21, .enabled = false},
    {.name = "txtNaturalOrbital", .kind = TextBox, .caption = "0", .place = {1560, 1920, 255, 285},
     .frame = "fraConfigurationInteraction", .tab = 48, .enabled = false, .maxLength = 1,
     .keyFilter = KeyFilterKind::Numeric},
    {.name = "Label7", .kind = Label, .caption = "Natural Orbital Iterations", .place = {1920, 1860, 1095, 375},
     .frame = "fraConfigurationInteraction", .tab = 49, .buddy = "txtNaturalOrbital"},
    // A frame in a frame: without a name of its own it would be announced by its parent's caption.
    {.name = "fraOrbitals", .kind = Frame, .caption = "Core Orbitals", .place = {2280, 240, 1095, 975},
     .frame = "fraConfigurationInteraction", .tab = 38, .accessibleName = "Core Orbitals"},
    option("optOrbitals_1", CoreOrbitals::Freeze, {120, 240, 855, 255}, 23),
    option("optOrbitals_0", CoreOrbitals::Include, {120, 600, 855, 255}, 24),

    // Optimisation, steepest descent and isotope: a frame without a caption.
    {.name = "fraFrame", .kind = Frame, .caption = "", .place = {360, 4920, 3135, 1815}, .tab = 35,
     .accessibleName = "Geometry optimisation, steepest descent and isotope substitution"},
    {.name = "lblOptimize", .kind = Label, .caption = "Optimize Geometry to within 10^-n Hartrees/Bohr            n=",
     .place = {120, 240, 2295, 375}, .frame = "fraFrame", .tab = 36, .buddy = "txtN"},
    {.name = "txtN", .kind = TextBox, .caption = "0", .place = {2400, 360, 375, 285}, .frame = "fraFrame", .tab = 10,
     .maxLength = 1, .keyFilter = KeyFilterKind::Numeric},
    {.name = "lblCalculated", .kind = Label,
     .caption = "Calculated Harmonic Infrared Frequencies if n=4,5,6  (6=max.)", .place = {120, 600, 2415, 465},
     .frame = "fraFrame", .tab = 37},
    {.name = "Label4", .kind = Label, .caption = "Steepest Descent Iterations  =", .place = {120, 1080, 2295, 255},
     .frame = "fraFrame", .tab = 43, .buddy = "txtITSD"},
    {.name = "txtITSD", .kind = TextBox, .caption = "30", .place = {2400, 1080, 375, 285}, .frame = "fraFrame",
     .tab = 44, .maxLength = 2, .keyFilter = KeyFilterKind::Numeric},
    {.name = "Label3", .kind = Label, .caption = "Isotope Substitution:", .place = {120, 1485, 1455, 255},
     .frame = "fraFrame", .tab = 42, .buddy = "cmbIsotope"},
    {.name = "cmbIsotope", .kind = List, .caption = "", .place = {1800, 1440, 855, 315}, .frame = "fraFrame",
     .tab = 11, .enabled = false, .items = vorden::kIsotopeItems},

    {.name = "Label2", .kind = Label, .caption = "NMR Chemical Shift for Isotope:", .place = {4320, 6285, 2415, 255},
     .tab = 41, .buddy = "cmbNMR"},
    {.name = "cmbNMR", .kind = List, .caption = "", .place = {6720, 6240, 735, 315}, .tab = 25, .enabled = false,
     .items = vorden::kNmrItems},
    {.name = "chkQuadrupoleTensor", .kind = CheckBox, .caption = "QuadrupoleTensor", .place = {360, 6840, 1815, 255},
     .tab = 12},
    {.name = "chkItch", .kind = CheckBox, .caption = "Verbose Output", .place = {2040, 6840, 1455, 255}, .tab = 13},
    {.name = "chkIntegrals", .kind = CheckBox, .caption = "Print Integrals", .place = {2040, 7080, 1455, 255},
     .tab = 14, .enabled = false},
    {.name = "cmbSymmetry", .kind = List, .caption = "", .place = {360, 7080, 765, 315}, .tab = 46,
     .items = vorden::kSymmetryItems},
    {.name = "Label6", .kind = Label, .caption = " Symmetry", .place = {1080, 7095, 855, 255}, .tab = 47,
     .buddy = "cmbSymmetry"},

    // The ampersand marks the access key: Alt+L, Alt+V, Alt+X.
    {.name = "cmdOK", .kind = Button, .caption = "&Launch VORDEN", .place = {4320, 6720, 1575, 615}, .tab = 26},
    {.name = "cmdViewResults", .kind = Button, .caption = "&View Output", .place = {6000, 6720, 1575, 615}, .tab = 27},
    {.name = "cmdAbort", .kind = Button, .caption = "E&xit", .place = {7680, 6720, 735, 615}, .tab = 28},
};

}  // namespace

std::span<const ControlRow> formControls() { return kControls; }

#include "lobe_dat.h"

#include "file_name.h"
#include "lobe_records.h"

namespace vorden {

LobeDatText buildLobeDat(const LobeOptions& options, std::string_view coordinateFileContent) {
  LobeDatText result;
  const CoordinateReading reading =
      readCoordinates(coordinateFileContent, options.basisSet, GetFilename(options.coordinatePath));
  if (reading.failure.kind != CoordinateFailure::Kind::None) {
    result.failure = reading.failure;
    return result;
  }

  std::string& text = result.text;
  text = optionsRecord(options) + "\n";
  std::string chargeField = firstChargeField(options);  // only the first atom carries the charge
  for (const AtomLine& atom : reading.atoms) {
    text += atomRecord(atom, chargeField, options.basisSet) + "\n";
    chargeField = kNoChargeField;
  }
  text += "\n";
  text += closingRecord(options) + "\n";
  text += "\n";
  text += "\r\n";
  result.ok = true;
  return result;
}

}  // namespace vorden

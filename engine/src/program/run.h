#pragma once

#include "deck_reader.h"
#include "engine_data.h"
#include "report.h"

namespace scf1s {

// One run over a deck: the parabolic-minimum mode, or the SCF run from the
// echo of the deck to the property analyses. Writes every report line as it
// goes; a deck that cannot be read throws DeckError, and what was written
// before stays in the report.
void runDeck(DeckReader& deck, EngineData& data, Report& report);

}  // namespace scf1s

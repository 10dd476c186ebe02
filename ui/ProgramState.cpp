#include "ui/ProgramState.h"

#include "edit/Validator.h"
#include "model/Loader.h"
#include "model/Writer.h"

namespace vorandel::ui {

void startUp(ProgramState& state, std::string_view sndata, std::string_view taiki) {
  loadScenarioSet(state.current, sndata, taiki);
  validateScenarios(state.current, 0, kAllScenarios);
  state.pristineCopy = state.current;
}

}  // namespace vorandel::ui

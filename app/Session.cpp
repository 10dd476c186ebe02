#include "app/Session.h"

#include "model/Loader.h"
#include "model/Writer.h"
#include "rules/Validator.h"

namespace vorandel {

void startUp(Session& session, std::string_view sndata, std::string_view taiki) {
  loadScenarioSet(session.current, sndata, taiki);
  validateScenarios(session.current, 0, kAllScenarios);
  session.pristineCopy = session.current;
}

}  // namespace vorandel

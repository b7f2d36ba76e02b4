// The role trace record as JSON.
#include "RecordJson.h"

Json ToJson(const RoleTraceInfo& info) {
  return Json{{"Key", info.Key},       {"Field2", info.Field2}, {"Field3", info.Field3},
              {"Field4", info.Field4}, {"Field5", info.Field5}, {"Field6", JsonFloat(info.Field6)}};
}

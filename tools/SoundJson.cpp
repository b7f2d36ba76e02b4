// The sound records as JSON.
#include "RecordJson.h"

Json ToJson(const ListenerPos& pos) { return Json{{"x", pos.x}, {"y", pos.y}}; }

// Makes the compiler lay out I3DRoleBaseData's table of virtual operations (a constructor of a
// class derived from it emits the table), for CheckVtableOrder.cmake.
#include "I3DRoleBaseData.h"

struct VtableProbe : I3DRoleBaseData {
  VtableProbe();
};
VtableProbe::VtableProbe() {}

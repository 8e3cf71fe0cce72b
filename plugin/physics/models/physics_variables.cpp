#include "plugin/physics/models/physics_variables.h"

namespace kvl::physics {

PhysicsVariables& physicsVariables() {
  static PhysicsVariables variables;
  return variables;
}

}  // namespace kvl::physics

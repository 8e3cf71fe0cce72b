#pragma once
// The key-alias builders: they make the host's car-file parser read the plugin's `_QZR` keys by
// renaming entries of the host's key tables and by pointing table descriptors at longer copies
// with the plugin's own rows appended. Run once at start-up, before the host reads a car.
#include <cstddef>
#include <cstdint>

#include "plugin/host/model/host_key_tables.h"

namespace kvl::physics {

void aliasDrivetrainKeys();
void extendDamperKeys();
void aliasSetupRangeKeys();
void extendEngineKeys();
void aliasFeaturesKey();
void aliasEngineRangeKeys();
void extendGearboxKeys();
void aliasTyreKeys();
void aliasSuspensionKeys();
void aliasForceFeedbackKeys();
void aliasPhysicsRevisionKey();

// The twelve builders in their order (the body keys last).
void buildKeyAliasTables();

}  // namespace kvl::physics

#include "plugin/hooks/car_data_rows.h"

#include "plugin/hooks/hook_row.h"
#include "plugin/host/binding/hook_address.h"
#include "plugin/physics/car_load_pass.h"
#include "plugin/physics/table_parameter_reader.h"

namespace kvl::hooks {
namespace {

std::uintptr_t addressOf(const float& variable) { return reinterpret_cast<std::uintptr_t>(&variable); }

}  // namespace

void addCarDataRows(PatchGroup& group) {
  using namespace physics;
  constexpr HookKind kVariable = HookKind::pluginAddress;
  addRows(group, {
                     {0x53D5DA, 4, kVariable, addressOf(tyreDerivedA), "tyreDerivedA"},
                     {0x53973F, 4, kVariable, addressOf(tyreDerivedC), "tyreDerivedC"},
                     {0x53974B, 4, kVariable, addressOf(tyreDerivedB), "tyreDerivedB"},
                     {0x49148C, 4, kVariable, addressOf(timeScaled800), "timeScaled800"},
                     {0x4914C9, 4, kVariable, addressOf(timeScaled4000), "timeScaled4000"},
                     {0x4F13D3, 4, kVariable, addressOf(timeScaled500), "timeScaled500"},
                     {0x50291C, 4, HookKind::callRedirection, host::hookAddress(&tableParameterConstructHook),
                      "tableParameterConstructHook"},
                 });
}

}  // namespace kvl::hooks

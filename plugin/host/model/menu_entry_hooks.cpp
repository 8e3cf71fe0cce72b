#include "plugin/host/model/menu_entry_hooks.h"

#include <initializer_list>
#include <cstring>

#include "plugin/foundation/texts/localized_strings.h"
#include "plugin/host/binding/call_through.h"
#include "plugin/host/binding/hook_address.h"
#include "plugin/host/binding/host_allocators.h"
#include "plugin/host/model/callback_pair.h"
#include "plugin/host/model/cloned_host_classes.h"
#include "plugin/host/model/host_menus.h"

namespace kvl::host {
namespace {

constexpr std::uint32_t kCarSetupRangesGlobal = 0x7ECD04u;
constexpr std::uint32_t kControlsActionData = 0x165F83Cu;

// One host menu setup call as the host made it.
struct SetupCall {
  void* page;
  HostText title;
  std::int32_t count;
  void** items;
  HostMenuLayout layout;
};

using SetupEntry = int (*)(void*, const HostText&, std::int32_t, void* const*, const HostMenuLayout&);

int runWith(const SetupCall& call, SetupEntry entry, std::int32_t count, void* const* items) {
  return entry(call.page, call.title, count, items, call.layout);
}

// Allocates n host blocks of `size` bytes; all or none.
bool allocateAll(void** blocks, int n, std::uint32_t size) {
  for (int i = 0; i < n; ++i) blocks[i] = hostNew(size);
  for (int i = 0; i < n; ++i) {
    if (blocks[i] != nullptr) continue;
    for (int j = 0; j < n; ++j) {
      if (blocks[j] != nullptr) hostDelete(blocks[j]);
    }
    return false;
  }
  return true;
}

// Builds `added` entries after the first `kept` host items and runs the host's setup with them;
// a host array shorter than `kept`, or no host memory, runs the host's call unchanged.
template <int kept, int added, typename Build>
int addEntries(const SetupCall& call, SetupEntry entry, std::uint32_t entrySize, Build build) {
  void* blocks[added];
  if (call.items == nullptr || call.count < kept || !allocateAll(blocks, added, entrySize)) {
    return runWith(call, entry, call.count, call.items);
  }
  void* local[kept + added];
  std::memcpy(local, call.items, sizeof(void*) * kept);
  for (int i = 0; i < added; ++i) local[kept + i] = build(blocks[i], i, kept + i);
  return runWith(call, entry, kept + added, local);
}

void noMenuAction() noexcept {}

// Value of a host parameter object: +12.
std::int32_t intParam(const void* object, std::size_t offset) { return fieldAt<std::int32_t>(object, offset + 12); }
float floatParam(const void* object, std::size_t offset) { return fieldAt<float>(object, offset + 12); }

CallbackPair& carSetupStateCallback() {
  static CallbackPair pair;
  return pair;
}

}  // namespace

CarSetupMenuActions& carSetupMenuActions() {
  static CarSetupMenuActions actions{hookAddress(&noMenuAction), hookAddress(&noMenuAction)};
  return actions;
}

#define QZR_SETUP_CALL \
  SetupCall { page, HostText(), count, items, {{l0, l1, l2, l3, l4, l5, l6, l7, l8, l9}} }
#define QZR_SETUP_PARAMETERS                                                                               \
  void *page, HostWord title0, HostWord title1, HostWord title2, std::int32_t count, void **items, HostWord l0, \
      HostWord l1, HostWord l2, HostWord l3, HostWord l4, HostWord l5, HostWord l6, HostWord l7, HostWord l8,  \
      HostWord l9

namespace {

SetupCall setupCall(SetupCall call, HostWord t0, HostWord t1, HostWord t2) {
  const HostWord words[3] = {t0, t1, t2};
  std::memcpy(&call.title, words, sizeof words);
  return call;
}

}  // namespace

int QZR_CDECL handbrakeMenuEntryHook(QZR_SETUP_PARAMETERS) noexcept {
  try {
    const SetupCall call = setupCall(QZR_SETUP_CALL, title0, title1, title2);
    static const char* const keys[2] = {"HANDBRAKE", "CLUTCH"};
    return addEntries<3, 2>(call, &HostMenuPage::setup, HostLabelItem::kSize, [](void* block, int i, int index) {
      HostLabelItem::construct(block, HostText(keys[i]), 119, 0);
      HostMenuPage::bindAction(block, 8, index, 3, HostAddress(kControlsActionData).resolve());
      return block;
    });
  } catch (...) {
    return 0;
  }
}

int QZR_CDECL languageMenuEntryHook(QZR_SETUP_PARAMETERS) noexcept {
  try {
    const SetupCall call = setupCall(QZR_SETUP_CALL, title0, title1, title2);
    return addEntries<3, 1>(call, &hostMenuSetupB, HostLabelItem::kSize, [](void* block, int, int) {
      return HostLabelItem::construct(block, HostText("LANGUAGE"), 1, 0);
    });
  } catch (...) {
    return 0;
  }
}

int QZR_CDECL damperMenuEntryHook(QZR_SETUP_PARAMETERS) noexcept {
  try {
    const SetupCall call = setupCall(QZR_SETUP_CALL, title0, title1, title2);
    auto build = [&call](void* block, int i, int) {
      static const char* const keys[2] = {"DampersEnhanced", "BumpStopSettings"};
      const CarSetupMenuActions& actions = carSetupMenuActions();
      HostMenuItem::construct(block, HostText(keys[i]), i == 0 ? actions.enhancedDampers : actions.bumpStops);
      if (i == 1) {
        // Both entries built: the page gets its state callback before the host lays it out.
        CallbackPair& pair = carSetupStateCallback();
        pair.setFunction(hookAddress(&carSetupPageState));
        pair.setContext(static_cast<HostWord>(reinterpret_cast<std::uintptr_t>(call.page)));
        HostMenuPage::sendEvent(call.page, nullptr, 2, &pair);
      }
      return block;
    };
    return addEntries<5, 2>(call, &HostMenuPage::setup, HostMenuItem::kSize, build);
  } catch (...) {
    return 0;
  }
}

void QZR_CDECL carSetupPageState(void* page) noexcept {
  try {
    const void* ranges = reinterpret_cast<void*>(static_cast<std::uintptr_t>(hostGlobal<kCarSetupRangesGlobal, HostWord>()));
    if (page == nullptr || ranges == nullptr) return;
    const std::int32_t a = intParam(ranges, 3628);
    bool f = true;
    for (std::size_t offset : {4252u, 4268u, 4284u, 4300u, 4316u, 4332u}) f = f && floatParam(ranges, offset) > 0.0f;
    const bool enhancedDampers = (a & 0x10000) != 0;
    const bool enables[2] = {enhancedDampers, f};
    for (int i = 0; i < 2; ++i) {
      void* entry = HostMenuList::item(page, 9 + i);
      if (entry == nullptr) continue;
      if (HostText* label = HostMenuItem::label(entry)) LocalizedStrings::instance().text(*label);
      HostMenuItem::setEnabled(entry, enables[i]);
    }
    if (void* first = HostMenuList::item(page, 4)) HostMenuItem::setEnabled(first, !enhancedDampers);
  } catch (...) {
  }
}

}  // namespace kvl::host

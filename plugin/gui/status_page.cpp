#include "plugin/gui/status_page.h"

#include <memory>
#include <string>
#include <utility>

#include "plugin/foundation/settings/settings_catalogue.h"
#include "plugin/foundation/settings/settings_defaults.h"
#include "plugin/gui/overlay_elements.h"
#include "plugin/sound/sound_client.h"

namespace kvl::gui {
namespace {

constexpr float kLeftColumn = 20.0f;
constexpr float kRightColumn = 220.0f;
constexpr float kFirstRow = 125.0f;
constexpr float kRowHeight = 15.0f;

const char* const kTitle = "Quazirra";
const char* const kPatchRevision = "52";
const char* const kPhysicsRevision = "778";
const char* const kVersionLine = "KVL QZR Plugin by Tessaly V 7.4.778.507 (2024-09-15)";
const char* const kSoundActive = "Active (using FMOD Studio by Firelight Technologies Pty Ltd)";

std::shared_ptr<DrawCommand> green() { return std::make_shared<ColourCommand>(0.0f, 1.0f, 0.0f, 1.0f); }
std::shared_ptr<DrawCommand> red() { return std::make_shared<ColourCommand>(1.0f, 0.0f, 0.0f, 1.0f); }

std::shared_ptr<TextElement> text(float x, float y, const std::string& value) {
  return std::make_shared<TextElement>(OverlayPoint{x, y}, value);
}

// Adds one row, its name on the left and its value on the right, and moves y to the next row.
// The value keeps the default colour unless one is given.
void addRow(GroupElement& group, float& y, const std::string& name, const std::string& value,
            std::shared_ptr<DrawCommand> colour = nullptr) {
  group.add(text(kLeftColumn, y, name));
  auto valueText = text(kRightColumn, y, value);
  if (colour) valueText->setColourCommand(std::move(colour));
  group.add(valueText);
  y += kRowHeight;
}

// A group's status colour: a status text of the group's own is shown plainly; the rule's
// "Applied" in green and "Failed" in red.
std::shared_ptr<DrawCommand> statusColour(const PatchGroup& group, const std::string& status) {
  if (!group.text().empty()) return nullptr;
  if (status == "Applied") return green();
  if (status == "Failed") return red();
  return nullptr;
}

const char* onOff(bool on) { return on ? "On" : "Off"; }

void controllerGroups(PatchGroupList& out) { PluginController::instance().collectGroups(out); }
bool soundClientActive() { return SoundClient::instance().isActive(); }

}  // namespace

StatusPage::Sources StatusPage::liveSources() { return Sources{&controllerGroups, &soundClientActive}; }

StatusPage::StatusPage() : StatusPage(liveSources()) {}

StatusPage::StatusPage(const Sources& sources)
    : OverlayPage(0),
      sources_(sources),
      telemetryRecording_(TelemetryRecordingOption(defaults::telemetryRecording).read() ? 1 : 0),
      udpTelemetry_(UdpTelemetryOption(defaults::udpTelemetry).read() ? 1 : 0) {}

FrontEndPage* StatusPage::create() { return new StatusPage(); }

void StatusPage::onKey(std::uint8_t key, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t,
                       std::uint32_t) {
  switch (key) {
    case 'T':
    case 't':
      setDirty(true);
      telemetryRecording_ = telemetryRecording_ != 0 ? 0 : 1;
      TelemetryRecordingOption(defaults::telemetryRecording).save(telemetryRecording_ != 0);
      break;
    case 'U':
    case 'u':
      setDirty(true);
      udpTelemetry_ = udpTelemetry_ != 0 ? 0 : 1;
      UdpTelemetryOption(defaults::udpTelemetry).save(udpTelemetry_ != 0);
      break;
    default:
      break;
  }
}

void StatusPage::build(DisplayList& list) {
  auto group = std::make_shared<GroupElement>(OverlayPoint{0.0f, 0.0f});

  auto title = text(kLeftColumn, 20.0f, kTitle);
  title->setColourCommand(std::make_shared<ColourIndexCommand>(4));
  title->setTextStyle(std::make_shared<TextStyleCommand>(1));
  group->add(title);

  group->add(text(kLeftColumn, 95.0f, "Patch"));
  group->add(text(kRightColumn, 95.0f, "Status"));

  float y = kFirstRow;
  PatchGroupList groups;
  if (sources_.collectGroups != nullptr) sources_.collectGroups(groups);
  for (const auto& patchGroup : groups) {
    if (!patchGroup) continue;
    const std::string status = patchGroup->status();
    addRow(*group, y, patchGroup->name(), status, statusColour(*patchGroup, status));
  }

  if (sources_.soundActive != nullptr && sources_.soundActive()) {
    addRow(*group, y, "FMOD Sound System", kSoundActive, green());
  } else if (EnableFmodOption(defaults::enableFmod).read()) {
    addRow(*group, y, "FMOD Sound System", "Inactive", red());
  } else {
    addRow(*group, y, "FMOD Sound System", "Disabled");
  }

  addRow(*group, y, "Patch Revision", kPatchRevision);
  addRow(*group, y, "Physics Revision", kPhysicsRevision);
  addRow(*group, y, "Telemetry Recording ('T' toggles)", onOff(telemetryRecording()));
  addRow(*group, y, "UDP Telemetry ('U' toggles)", onOff(udpTelemetry()));

  list.push(group);
  list.push(text(kLeftColumn, 445.0f, kVersionLine));
}

}  // namespace kvl::gui

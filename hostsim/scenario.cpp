#include "hostsim/scenario.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <vector>

#include "hostsim/address_table.h"
#include "hostsim/audio_host.h"
#include "hostsim/anim_data_model.h"
#include "hostsim/stage_model.h"
#include "hostsim/track_ini_model.h"
#include "hostsim/track_draw_model.h"
#include "hostsim/call_trace.h"
#include "hostsim/car_model.h"
#include "hostsim/car_setup_layout.h"
#include "hostsim/car_controls.h"
#include "hostsim/car_physics_tick.h"
#include "hostsim/chassis_model.h"
#include "hostsim/car_setup_pages_model.h"
#include "hostsim/setup_menus_model.h"
#include "hostsim/slot_page_model.h"
#include "hostsim/display_model.h"
#include "hostsim/menu_model.h"
#include "hostsim/menu_centring_model.h"
#include "hostsim/setup_file_menus_model.h"
#include "hostsim/renderer_model.h"
#include "hostsim/slot_dialog_model.h"
#include "hostsim/host_words.h"
#include "hostsim/event_hub.h"
#include "hostsim/frame_events.h"
#include "hostsim/frame_loop.h"
#include "hostsim/wall_clock_step.h"
#include "hostsim/host_layout.h"
#include "hostsim/host_objects.h"
#include "hostsim/host_words.h"
#include "hostsim/plugin_loader.h"
#include "hostsim/replay.h"
#include "hostsim/driving_path.h"
#include "hostsim/companion_plugin.h"
#include "hostsim/race.h"
#include "hostsim/small_calls.h"
#include "hostsim/game_stuff_sites.h"
#include "hostsim/host_code_sites.h"
#include "hostsim/host_event_sites.h"
#include "hostsim/host_pieces.h"
#include "hostsim/car_setup_sites.h"
#include "hostsim/track_loading_sites.h"
#include "hostsim/sound_sites.h"
#include "hostsim/clamp_site.h"
#include "hostsim/object_update_sites.h"
#include "hostsim/record_copies.h"
#include "hostsim/controller_state_model.h"
#include "hostsim/replaced_calls.h"
#include "hostsim/skid_trails.h"
#include "hostsim/effects_step.h"
#include "hostsim/drivetrain_coupling.h"
#include "hostsim/power_train.h"
#include "hostsim/head_gasket_site.h"
#include "hostsim/runtime_host.h"
#include "hostsim/step_batch_host.h"
#include "hostsim/shifter_host.h"
#include "hostsim/input_device.h"
#include "hostsim/differential_maps.h"
#include "hostsim/front_end_host.h"
#include "hostsim/service_visit_model.h"
#include "hostsim/key_input_model.h"
#include "hostsim/service_page_model.h"
#include "hostsim/turbo_maps.h"
#include "hostsim/car_runtime_words.h"
#include "hostsim/settings_edit.h"
#include "hostsim/stray_words.h"
#include "hostsim/thread_starts.h"
#include "hostsim/tyre_flow.h"
#include "hostsim/sound_tick_count.h"
#include "hostsim/input_decoder_host.h"
#include "hostsim/service_repair_model.h"

namespace hostsim {
namespace {

int runSteps(std::istream& steps) {
  LoadedPlugin plugin;
  bool created = false;
  std::string line;
  int lineNumber = 0;
  while (std::getline(steps, line)) {
    ++lineNumber;
    const auto hash = line.find('#');
    if (hash != std::string::npos) line.erase(hash);
    std::istringstream in(line);
    std::string step;
    if (!(in >> step)) continue;
    trace("step " + line);
    if (step == "create") {
      created = plugin.create("Plugins\\QZR.dll");
    } else if (step == "state") {
      std::int32_t next = 0;
      in >> next;
      // The host raises while its state still reads the old value, then enters the new one.
      raiseEvent(kGameStateSource, &next);
      setGameState(next);
      selectFrameListeners(next);
    } else if (step == "operand") {
      std::string address, kind;
      in >> address >> kind;
      const auto site = static_cast<std::uint32_t>(std::strtoul(address.c_str(), nullptr, 16));
      if (kind == "floatword") {
        const std::uint32_t bits = runOperandSite(site);
        float value;
        std::memcpy(&value, &bits, 4);
        char text[32];
        std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
        trace("operand " + address + " holds " + text);
      } else if (kind == "float") {
        char text[32];
        std::snprintf(text, sizeof text, "%g", static_cast<double>(runFloatOperandSite(site)));
        trace("operand " + address + " reads " + text);
      } else {
        trace("operand " + address + " reads " + std::to_string(runOperandSite(site)));
      }
    } else if (step == "selector") {
      std::uint32_t source = 0;
      std::int32_t value = 0;
      in >> source >> value;
      setSelector(source, value);
    } else if (step == "wheels") {
      const std::int32_t none = 0;
      raiseEvent(kWheelDataSource, &none);
    } else if (step == "shutdown") {
      const std::int32_t none = 0;
      raiseEvent(kShutdownSource, &none);
    } else if (step == "straywrite") {
      std::string name;
      std::uint32_t offset = 0;
      in >> name >> offset;
      if (!strayWrite(name, offset)) {
        trace("bad scenario line " + std::to_string(lineNumber));
        return 3;
      }
    } else if (step == "site") {
      std::string which;
      in >> which;
      if (which == "material") {
        float a = 0, b = 0;
        in >> a >> b;
        const auto result = runCallSite(kMaterialTableSite, {floatWord(a), floatWord(b)},
                                        static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(hostObjects().materialTable)));
        trace("site material result " + std::to_string(result & 0xFF));
      } else if (which == "force") {
        std::int32_t m = 0;
        in >> m;
        runForceSite(m);
      } else if (which == "raise") {
        std::string address;
        std::uint32_t source = 0;
        std::int32_t first = 0;
        in >> address >> source >> first;
        runRaiseSite(static_cast<std::uint32_t>(std::strtoul(address.c_str(), nullptr, 16)), source, first);
      } else if (which == "poll") {
        std::int32_t v = 0;
        in >> v;
        runInputPollSite(v);
      } else if (which == "pressure") {
        std::uint32_t p = 0, b = 0, x = 0, d = 0;
        in >> p >> b >> x >> d;
        trace("site pressure result " + std::to_string(runCallSite(kPressureSite, {p, b, x, d})));
      } else {
        trace("bad scenario line " + std::to_string(lineNumber));
        return 3;
      }
    } else if (runDisplayStep(step, in) || runMenuStep(step, in) || runRendererStep(step, in) ||
               runSlotDialogStep(step, in) || runAnimDataStep(step, in) ||
               runStageStep(step, in) || runTrackIniStep(step, in) || runTrackDrawStep(step, in) || runMenuCentringStep(step, in) ||
               runSetupFileMenuStep(step, in) || runCarStep(step, in) || runGameStuffStep(step, in) ||
               runHostPieceStep(step, in) || runSoundCodeStep(step, in) || runCarSetupSiteStep(step, in) ||
               runTrackLoadingSiteStep(step, in) ||
               runCarSetupPageStep(step, in) || runSlotPageStep(step, in) || runStepBatchStep(step, in) ||
               runShifterStep(step, in) || runFrontEndStep(step, in) || runSetupMenuStep(step, in) || runHostCodeStep(step, in) ||
               runClampSiteStep(step, in) || runObjectUpdateStep(step, in) || runRecordCopyStep(step, in) ||
               runControllerStateStep(step, in) ||
               runServicePageStep(step, in) || runInputDeviceStep(step, in) || runDifferentialMapStep(step, in) ||
               runTurboMapStep(step, in) || runCarRuntimeWordStep(step, in) || runSettingsEditStep(step, in)) {
    } else if (runSetupLayoutStep(step, in) || runCarControlsStep(step, in) || runWallClockStep(step, in) ||
               runInputDecoderStep(step, in) || runThreadStartStep(step, in)) {
    } else if (created && runReplacedCallStep(step, in)) {
    } else if (created && runAudioStep(step, in)) {
    } else if (created && runSoundTickStep(step, in)) {
    } else if (created && runChassisStep(step, in)) {
    } else if (created && runPowerTrainStep(step, in)) {
    } else if (created && runHeadGasketStep(step, in)) {
    } else if (created && runServiceVisitStep(step, in)) {
    } else if (created && runServiceRepairStep(step, in)) {
    } else if (created && runKeyInputStep(step, in)) {
    } else if (created && runCarPhysicsStep(step, in)) {
    } else if (created && runTyreFlowStep(step, in)) {
    } else if (created && runHostEventSiteStep(step, in)) {
    } else if (!created) {
      trace("step needs a plugin: " + step);
    } else if (step == "run") {
      double wallSeconds = 0;
      int minFrames = 0;
      in >> wallSeconds;
      if (!(in >> minFrames)) minFrames = 0;
      runFrameLoop(wallSeconds, minFrames);
    } else if (step == "close") {
      const int code = closeHostWindow();
      if (code != 0) return code;
    } else if (step == "frame") {
      plugin.draw();
    } else if (step == "key") {
      std::string c;
      in >> c;
      plugin.input(c.empty() ? 0u : static_cast<unsigned char>(c[0]));
    } else if (step == "replay" || step == "path" || step == "race" || step == "settings" ||
               step == "threshold" || step == "code" || step == "proxy" || step == "skid" ||
               step == "effects" || step == "clutch" || step == "heat" ||
               step == "wheellock" || step == "solvelocks" || step == "contact") {
      const bool known = step == "replay" ? runReplayStep(in)
                         : step == "skid"   ? runSkidTrailStep(in)
                         : step == "effects" ? runEffectsStep(in)
                         : (step == "clutch" || step == "heat" || step == "wheellock" || step == "solvelocks" ||
                            step == "contact")
                             ? runDrivetrainCouplingStep(step, in)
                         : step == "proxy"  ? runCompanionStep(in)
                         : step == "path" ? runDrivingPathStep(in)
                         : step == "race" ? runRaceStep(in)
                                          : runSmallCallStep(step, in);
      if (!known) {
        trace("bad scenario line " + std::to_string(lineNumber));
        return 3;
      }
    } else if (step == "name") {
      trace("plugin name \"" + plugin.name() + "\"");
    } else {
      trace("bad scenario line " + std::to_string(lineNumber));
      return 3;
    }
    traceThreadsStillStarting(line);
  }
  return 0;
}

}  // namespace

int runScenario(std::istream& steps) {
  const int code = runSteps(steps);
  traceStrayWords();
  return code;
}

}  // namespace hostsim

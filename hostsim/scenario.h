#pragma once
// A scenario: one step per line, "#" starts a comment.
//   create                      load Plugins/QZR.dll and call KVL_CreatePlugin
//   state N                     raise the game-state source with N, then enter state N (the
//                               replay-frame source's selector becomes 1 in GAME, else 0)
//   frame                       the plugin object's draw slot
//   key C                       the plugin object's input slot with character C
//   name                        trace the plugin object's name
//   site material A B           run the material-table call site with floats A and B
//   site pressure P B X D       run the pressure call site with four words
//   wheels                      raise the wheel-data source
//   selector K V                source K's raises also reach its per-id list V (for source 1
//                               until the next state step)
//   operand ADDRESS [float|floatword]  run the operand site at ADDRESS (hex) and trace the value
//                               read (floatword: the 32 bits read, shown as a float)
//   window                      the host creates its window (display_model.h)
//   graphics                    the host builds and uses its graphics object (display_model.h)
//   menu, ranges, language, cursor, languagemenu   the host's menus (menu_model.h)
//   race, dashboard, lamps      the driving display's lamps (renderer_model.h)
//   slotmenu, slotconfirm       the setup-slot dialogs (slot_dialog_model.h)
//   animdata, showfile          the stage's animation-data load (anim_data_model.h)
//   makestage, loadstage        the stage's track geometry load (stage_model.h)
//   loadmap N                   the stage-load record's map and track ini (track_ini_model.h)
//   reloadgeometry, objectindex, drawcalls   the module's geometry reload, object ids and
//                               drawing calls (track_draw_model.h)
//   shutdown                    raise the shutdown source
//   straywrite NAME OFFSET      a write the host does not account for into the watched object
//                               NAME at OFFSET, as a stray write of the plugin's (stray_words.h)
//   replay ...                  the host's replay code (hostsim/replay.h lists the steps)
//   path ...                    the host's driving-path calls (hostsim/driving_path.h)
//   site force M                run the force-feedback call site with magnitude M
//   site poll V                 run the input-poll call site with value V
//   site raise SITE K W         run the event-raise call site SITE (hex) on source K with W
//                               (the word, or a record's first word)
//   run SECONDS [FRAMES]        the host's frame loop for that wall time, and on until at least
//                               FRAMES frames ran (a slow machine's frames): messages, then per
//                               frame the physics step call with its neighbouring callback call and two
//                               event raises (a one-int record by address, a steering word);
//                               in GAME and REPLAY each frame first raises the game's frame events
//                               (hostsim/frame_events.h)
//   close                       WM_CLOSE to the host window, then the message loop until WM_QUIT
//   clock                       traces the wall-clock time (hostsim/wall_clock_step.h)
//   replay ...                  the host's replay code (hostsim/replay.h lists the steps)
//   path ...                    the host's driving-path calls (hostsim/driving_path.h)
//   race ...                    the host's timed race events (hostsim/race.h)
//   settings, threshold, code   small host calls the plugin replaces (hostsim/small_calls.h)
//   racevalue, framecallback, diffpage   host calls replaced by host-model hooks
//                               (hostsim/replaced_calls.h)
//   proxy ...                   the companion plugin on the CreateProxy export
//                               (hostsim/companion_plugin.h)
//   carphysics on|off           the car's calls inside the host's physics step
//                               (hostsim/car_physics_tick.h)
//   hostcode SITE [EAX], branch SITE A B   the host's pieces of code through patched bytes
//                               (hostsim/host_pieces.h)
//   soundcode SITE EAX          the host's sound code through the "Sound" bytes (hostsim/sound_sites.h)
//   setupentry                  the setup code's call through its entry at 0x744ECC
//                               (hostsim/car_setup_sites.h)
//   sourceword SITE             the places whose ECX the track-loading group takes from +4
//                               (hostsim/track_loading_sites.h)
//   hostroutine, hostpressure, objectcheck, objectword, slotcall, timefloat   host code the main
//                               hook group changes in place (hostsim/host_code_sites.h)
//   pushes, menujump, keycompare, steptime   the host code of the menu and frame-time changes
//                               (hostsim/game_stuff_sites.h)
//   servicevisit, serviceclock, servicelimit, servicekey, servicetick, messageanswer, serviceshow
//                               a service visit on the rally service screen
//                               (hostsim/service_visit_model.h)
//   keyrecord C|erase           a record on the host's key-input source (hostsim/key_input_model.h)
//   events now|step|check ...   event raises by site and where they arrived (hostsim/host_event_sites.h)
//   carwords                    the host's run-time writes into the car (hostsim/car_runtime_words.h)
//   tyretables, tyreflow ...    the host's tyre steps over many ticks (hostsim/tyre_flow.h)
//   inikey SECTION KEY VALUE    the player changes a Korvala.ini setting (hostsim/settings_edit.h)
//   objectupdates               the host's per-object update calls (hostsim/object_update_sites.h)
//   recordcopies ...            the host record and the sites that read it (hostsim/record_copies.h)
//   loading ...                 what the controller writes in the loading and track states
//                               (hostsim/controller_state_model.h)
//   slowthreads MS              later threads wait MS before they run the plugin's code
//                               (hostsim/thread_starts.h)
// After every step, a thread the host thread started that has not run yet is traced
// (hostsim/thread_starts.h).
// Trace lines of the runtime pieces ([main] or [t<id>] ends every line):
//   host physics step S periods N on host|worker    each host physics step, S in seconds
//   host listener K FIRST                           a host listener of source K got a record
//   effect SetParameters magnitude M flags F ...    the force-feedback effect's parameter call
//   host force M / host input poll V on host|worker the host's own force call and input poll
//   host plugin load NAME ok|failed, host plugin list add, host plugin entry destroyed
//   host window close / destroyed, host message loop ended CODE, host ran N frames
#include <istream>
#include <string>

namespace hostsim {

// Runs the steps, then traces the stray words (hostsim/stray_words.h); the result is the host's
// exit code (0, or 3 for a bad scenario).
int runScenario(std::istream& steps);

}  // namespace hostsim

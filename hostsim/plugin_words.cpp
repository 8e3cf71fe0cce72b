#include "hostsim/plugin_words.h"

#include <map>

#include "hostsim/host_layout.h"

namespace hostsim {
namespace {

using Words = std::vector<PluginWords>;

// The current car (7520 bytes; the drivetrain solver is its member at +1200).
Words carWords() {
  return {
      // The load pass detaches the three list nodes: each node's two links and its list := 0.
      run(980, 988), run(1012, 1020), run(1044, 1052),
      // On state 13 the altitude takes the body block's +312 less 0.215.
      328,
      // The downforce step adds to the total vertical force and the pitch moment, and keeps k and
      // the front and rear forces.
      784, 888, run(1188, 1196),
      // The solver: the scratch drive value, the axle solve's two scratch values (0 and the
      // axle), the per-wheel hold flags, the starter's two outputs, the brake telemetry records.
      1200 + 144, run(1200 + 160, 1200 + 168), run(1200 + 192, 1200 + 204), 1200 + 416, 1200 + 456, 1200 + 476,
      // The engine set-up: the car's two idle words := idle x 1.2.
      run(4072, 4076),
  };
}

// The car's parameter block.
Words parameterWords() {
  return {
      // Range checks reset the steering lock and the two roll-bar stiffnesses.
      556, 17504, 17520,
      // The pass stores the tyre sum, and scales the force-feedback sensitivity (never below 1).
      588, 17568,
  };
}

// A wheel (5152 bytes).
Words wheelWords() {
  return {
      // The compound goes into the wheel part at +1712 too: +80, +84, +88.
      run(1712 + 80, 1712 + 88),
      // The spring hook refreshes the active bump and rebound damping and the two breaks.
      run(3712, 3724),
      // The spring component (+3780): the bump-stop factor, effective stiffness and damping.
      run(3780 + 48, 3780 + 56),
      // The tyre object (+3840): the flex heat output.
      3840 + 1256,
  };
}

// A wheel's parameter block, with its 788-byte tyre record at +1388.
Words wheelParameterWords() {
  constexpr std::uint32_t t = 1388;
  return {
      // The spring set-up: the bump-stop rebound ratio.
      508,
      // The geometry pass: the range-checked steering rod length, axis inclination (with its
      // cosine and sine) and strut platform height (with the derived strut height), and the four
      // scaled damage values.
      572, 976, 984, 1020, 1052, 2304, 2352, 2368, 2400, 2416,
      // The compound copied into the tyre record, field by field.
      t + 12, t + 44, t + 76, t + 92, t + 108, run(t + 124, t + 204, 16), t + 236, run(t + 324, t + 336),
      run(t + 420, t + 480), run(t + 516, t + 704), run(t + 708, t + 728), t + 732, run(t + 736, t + 756),
      run(t + 760, t + 780), t + 784,
  };
}

// A wheel's tyre parameter record (held at +16 of its tyre object).
Words tyreWords() {
  return {
      // The tyre set-up: the values taken from the snapshot, the scaled and derived values, the
      // masses, the temperature thresholds; the camber grip scales +516..+544 and +580..+608 and
      // leaves them so (within the host's grip routine the grip step puts them back after it).
      44, 60, 76, 92, 108, 124, 140, 156, 172, 188, 204, 236, 272, 284, 296, run(308, 320), run(340, 360), run(388, 416),
      run(484, 608),
  };
}

// The drivetrain solver's dynamic state: words W, 4 bytes each.
Words solverStateWords() {
  Words w = {
      // Per differential or axle: torque, sum, sign, limit, spin term.
      run(4 * 3, 4 * 17),
      // The stick/slip step: the slip sign, the engine speed, the synchronised flag.
      872, 1116, 1400,
      // The engine torque after the driveline loss; the axle solve's W225.
      4 * 223, 4 * 225,
      // The axle solve's matrix and its inverse, the free flags, the axle outputs, the counters,
      // the solve-again flag.
      run(4 * 284, 4 * 291), run(4 * 318, 4 * 319), run(4 * 332, 4 * 335), run(4 * 360, 4 * 364), 4 * 367,
      // The handbrake transfer adds to the front wheels' locked torque.
      4 * 62, 4 * 112,
      // While a replay plays, the sound client keeps the gear shown equal to the gear (+1356).
      1392,
  };
  for (std::uint32_t i = 0; i < 4; ++i) {
    // Per wheel: the history the axle solve keeps, value, lock mark and direction; the brake's
    // layer and core temperatures (+124, +140 of its 200-byte block from +72).
    for (std::uint32_t k : {21u, 25u, 29u, 37u, 40u, 41u}) w.push_back(4 * (50 * i + k));
    w.push_back(72 + 200 * i + 124);
    w.push_back(72 + 200 * i + 140);
  }
  return w;
}

// The drivetrain's static parameters.
Words drivetrainWords() {
  return {
      // The set-up ORs the ranges' Features bits into the car's Features word.
      1600,
  };
}

// The engine, gearbox and differential block behind the car's +2128.
Words gearboxWords() {
  Words w = {
      // The map check: the centre handbrake release and the left-foot threshold.
      408, 424,
  };
  // The map check may reset every point of the twelve maps: throttle and brake 16 apart, speed
  // 32 apart, for the centre, the left-foot centre, the front and the rear set.
  for (std::uint32_t base : {440u, 1144u, 1848u, 2552u}) {
    w.push_back(run(base, base + 160, 16));
    w.push_back(run(base + 176, base + 176 + 160, 16));
    w.push_back(run(base + 368, base + 368 + 320, 32));
  }
  return w;
}

// The engine parameter block.
Words engineWords() {
  Words w = {
      // The set-up keeps only bit 0 of the engine-type word, converts the torque speeds to rad/s,
      // scales the nine flow words, writes the seventeen gains and the host's engine mass.
      9976, run(8784, 8784 + 32 * 15, 32), run(8700, 8708), run(8724, 8732), run(8748, 8756), run(9812, 9876), 10012,
  };
  // Each of the 256 rows of 32 bytes from +508: its first four floats and those at +16, +20.
  for (std::uint32_t k = 0; k < 6; ++k) w.push_back(run(508 + 4 * k, 508 + 4 * k + 32 * 255, 32));
  return w;
}

// A wheel's spring parameter block.
Words springWords() {
  return {
      // The spring set-up range-checks the spring, helper spring and damping values, derives the
      // helper preload, and stores the high-speed rebound values and the bump stop's values.
      72, 88, 104, 120, 136, 152, 184, 200, 216, 232, 248, 264, 280,
  };
}

// A wheel's tyre state.
Words tyreStateWords() {
  return {
      // The tyre set-up: the outer radius, mass and inertia (+76 to +88), the gas state from +96
      // (its temperature, pressure and volume recomputed), the two carcass and the eight tread
      // temperatures.
      run(76, 108), 300, 304, run(208, 208 + 12 * 7, 12),
  };
}


// --- The event hub, the replay, the car's tables and lists, and the objects beside them ---------

// The listener lists the plugin links its nodes into: (source, list), list 32 the catch-all.
// Each list's head, tail and count change with an append or an unlink; its fourth word never.
// The plugin's raises (its own sources and the host raises its adapters stand in for) set and
// clear a source's busy word, which stays set when the process ends inside a raise.
Words eventHubWords() {
  static const std::uint32_t lists[][2] = {
      {1, 1},  {3, 32},  {10, 32}, {18, 32}, {46, 32}, {52, 32},
      {52, 1}, {52, 2},  {52, 3},  {56, 32}, {58, 32}, {65, 32},
  };
  Words w = {run(0, kSourceStride * (kSourceCount - 1), kSourceStride)};
  for (const auto& l : lists) {
    const std::uint32_t at = kSourceStride * l[0] + 8 + 16 * l[1];
    w.push_back(run(at, at + 8));
  }
  return w;
}

// The replay object (the clock embedded at +1620224).
Words replayWords() {
  constexpr std::uint32_t clock = 1620224;
  return {
      // The physics worker sets the speed to 1 when it binds the replay.
      4,
      // The record hook: the last run and the recorded frames; the play run, the frame in the run
      // (a 16-bit word), the tick counter, which the controller also resets on loading; the low
      // bits of the control record's first byte.
      60, 64, 1620068, 1620072, 1620076, 1620208,
      // The physics worker detaches the clock's listener node: its next, prev and list words.
      clock + 204, clock + 208, clock + 212,
      // The surface grip fill keeps its time step in the replay's float +1620232.
      1620232,
  };
}

// The surface grip table: the fill's two cleared words, gravity and time step, and the 19
// columns of the 144 entries both value sets write.
Words gripWords() {
  static const std::uint32_t entries[][2] = {
      {0, 3},     {5, 7},     {9, 11},    {13, 15},   {17, 19},   {21, 35},   {37, 39},   {41, 43},   {45, 47},
      {49, 51},   {53, 67},   {69, 71},   {73, 75},   {77, 79},   {81, 83},   {85, 94},   {97, 99},   {101, 103},
      {105, 107}, {113, 121}, {129, 131}, {133, 135}, {137, 139}, {141, 143}, {149, 151}, {153, 155}, {157, 157},
      {161, 163}, {165, 168}, {177, 179}, {181, 183}, {185, 187}, {189, 191}, {193, 195}, {197, 199}, {254, 255},
  };
  static const std::uint32_t columns[] = {24,  40,  72,  88,  104, 120, 136, 152, 184, 200,
                                          216, 232, 248, 264, 280, 296, 312, 328, 344};
  Words w = {90252, 90288, 90292, 90296};
  for (const auto& r : entries) {
    for (std::uint32_t c : columns) w.push_back(run(36 + 352 * r[0] + c, 36 + 352 * r[1] + c, 352));
  }
  return w;
}

// The car's table at +2548: the load pass rescales four floats of each 136-byte record and the
// first float of each 88-byte record from +8720.
Words carTableWords() {
  Words w = {run(8720, 8720 + 88 * 63, 88)};
  for (std::uint32_t c : {24u, 56u, 88u, 120u}) w.push_back(run(c, 136 * 63 + c, 136));
  return w;
}

// --- The car's setup, key tables and the chassis records ---------------------------------------

// The car's setup values (5888 bytes): the setup reset clears the value words of its parts'
// parameter objects; the drivetrain set-up checks the handbrake percentage (drivetrain +1400) in
// place; the bump-stop settings menu writes the flag word (+1692).
Words carSetupWords() {
  Words w = {
      // The chassis part (+12): its three values.
      run(36, 68, 16),
      // The drivetrain part (+72): every parameter object from its +12 to its +1580.
      run(96, 1664, 16),
      // The engine part (+1668): its one value, the setup flag word.
      1692,
      // The differential part (+1696): the objects at +76 and +92 and the 16 x 11 map points,
      // not its four integers from +12.
      run(1784, 4616, 16),
  };
  for (std::uint32_t k = 0; k < 4; ++k) {
    // The suspension geometry part (+4624): its float, the vector's x, y, z, its three floats.
    const std::uint32_t g = 4624 + 112 * k;
    w.push_back(g + 24);
    w.push_back(run(g + 48, g + 56));
    w.push_back(run(g + 76, g + 108, 16));
    // The spring and damper part (+5072): its nine values.
    w.push_back(run(5072 + 156 * k + 24, 5072 + 156 * k + 152, 16));
    // The tyre part (+5696): the objects at +12 and +28, not the host's word +44.
    w.push_back(5696 + 48 * k + 24);
    w.push_back(5696 + 48 * k + 40);
  }
  return w;
}

// The car's setup ranges (22096 bytes): each range block's read override clears the values of
// its own parameter objects before the host's read; the tyre-type records from +10128 are the
// host's alone.
Words carRangesWords() {
  Words w = {
      // Chassis ranges (+16): the nine floats from +12, the vector's x, y, z (its fourth word
      // kept), the twenty-one floats from +192.
      run(40, 168, 16), run(192, 200), run(220, 540, 16),
      // Drivetrain ranges (+544): every object from +12 to +4268 (its clear list runs on without a
      // gap: the pairs at +3244 to +3340 end with the object at +3356).
      run(568, 4824, 16),
      // Differential ranges (+4828): its twelve floats.
      run(4852, 5028, 16),
      // Engine ranges (+5032): its three integers.
      5056, 5072, 5088,
  };
  for (std::uint32_t k = 0; k < 4; ++k) {
    // Spring ranges (+5092): the twenty-four floats.
    const std::uint32_t s = 5092 + 396 * k;
    w.push_back(run(s + 24, s + 392, 16));
    // Tyre ranges (+6676): the objects at +12, +28, +44.
    w.push_back(run(6676 + 60 * k + 24, 6676 + 60 * k + 56, 16));
    // Geometry ranges (+6928): the float after the header, the x, y, z of the eight vectors from
    // +32 and of the seven from +432, the nine floats from +288, the five from +656, the two
    // integers at +736, +752 and the two floats at +768, +784.
    const std::uint32_t g = 6928 + 800 * k;
    w.push_back(g + 24);
    for (std::uint32_t v = 0; v < 8; ++v) w.push_back(run(g + 48 + 32 * v, g + 56 + 32 * v));
    w.push_back(run(g + 300, g + 428, 16));
    for (std::uint32_t v = 0; v < 7; ++v) w.push_back(run(g + 448 + 32 * v, g + 456 + 32 * v));
    w.push_back(run(g + 668, g + 796, 16));
  }
  return w;
}

}  // namespace

const std::vector<PluginWords>& pluginWords(const std::string& kind) {
  static const std::map<std::string, std::vector<PluginWords>> words = {
      {"car", carWords()},
      {"params", parameterWords()},
      {"wheel", wheelWords()},
      {"wheelparams", wheelParameterWords()},
      {"tyre", tyreWords()},
      {"solverstate", solverStateWords()},
      // The starter drains its charge.
      {"solveraux", {140}},
      {"drivetrain", drivetrainWords()},
      {"gearbox", gearboxWords()},
      {"engine", engineWords()},
      // The engine set-up: the radiator and coolant bounds, the two gas states, the oil
      // temperature.
      {"enginedynamic", {28, 36, run(96, 124), 572}},
      // The engine step: the health and the running word.
      {"enginestate", {88, 116}},
      {"spring", springWords()},
      // The spring hook makes a high-speed damping the active bump or rebound damping.
      {"springstate", {12, 16}},
      {"tyrestate", tyreStateWords()},
      // The application's paths member: the object-block loader stores the holder it builds at
      // +0x1CC.
      {"paths", {0x1CC}},
      // The read buffer record of the module's LBS read: the whole-file read stores its data
      // pointer, read position and size.
      {"readbuffer", {0, 4, 8}},
      // The game: the controller writes the int at +660 of the settings record at +112 on
      // loading; the input worker installs its decoder in the word +44 of the input record at
      // +1848; the language menu sets the language word at +6852.
      {"game", {112 + 660, 1848 + 44, 6852}},
      // The graphics object the host builds through the v-sync hook: its table word (the clone),
      // the two interval words and the present parameters' interval (+172 + 52).
      {"graphicsobject", {0, 100, 156, 224}},
      // The geometry reload resets cached references: a two-stage reference (state, first and
      // second index) at +0x30; the same with an index at +0x3C; at +0x7C with two flag bytes and
      // their indices (+0x74/+0x78, +0x6D/+0x70); a flag byte at +0x5C with its index at +0x50.
      {"refa", {run(0x30, 0x38)}},
      {"refb", {run(0x30, 0x3C)}},
      {"refc", {run(0x6C, 0x84)}},
      {"refd", {0x50, 0x5C}},
      // The audio object: the sound client silences and restores the 28 sound levels.
      {"audio", {run(67336, 67336 + 4 * 27)}},
      // The sound system: the sound client clears its two sound objects and sets its flag word,
      // the engine set-up its two engine constants.
      {"soundsystem", {4012, 4228, 4364, 268556, 268568}},
      // The game modes: the Kestrun event clears the pending flag before it starts.
      {"gamemodes", {1940}},
      // The screen quad built through the centring constructor: its table word (the plugin's
      // copy of the host table).
      {"quad", {0}},
      // The race: the paced steps add their seconds to the race time and the race value hold
      // keeps it; the race-event update sets and clears the hold word.
      {"race", {320, 324}},
      // --- The event hub, the replay, the car's tables and lists, and the objects beside them.
      {"eventhub", eventHubWords()},
      // A host listener node: the plugin links its own nodes after it and unlinks them again,
      // which rewrites the node's next and prev words.
      {"hostlistener", {4, 8}},
      {"replay", replayWords()},
      // The replay clock's listener node sits alone in a host list of its own; detaching it
      // empties the list.
      {"clocklist", {run(0, 8)}},
      // The step-batch reset unlinks the tick consumer's listener node (at +4 of the object its
      // word +1840 points at) from its list of its own.
      {"consumerlistener", {run(8, 16)}},
      {"consumerlist", {run(0, 8)}},
      // The race-event catch-up sets the handled bit in an event's flags word.
      {"raceevents", {run(4, 0xFFFFF, 12)}},
      // The animation-data fix raises small values, the float at +20 of each 96-byte entry.
      {"animentries", {run(20, 0xFFFFF, 96)}},
      {"grip", gripWords()},
      // The material rebuild: the entry count and array when it added an entry, the material
      // map's bytes.
      {"effects", {1040, 1044, run(1304, 1556)}},
      {"cartable", carTableWords()},
      // The load pass detaches the car's list nodes: each list's head, tail and count, and the
      // prev word of the node that followed the car's.
      {"carlist", {run(0, 8)}},
      {"carlistnode", {4}},
      // The table-valued parameter: its table word (the plugin's clone) and the three arrays of
      // ten floats its parse reads.
      {"tableparam", {0, run(16, 132)}},
      // The track-name hook assigns the stage-load record's (+112) track file name, a host
      // string at the record's +48: its text or text pointer, size and capacity.
      {"stagemanager", {run(112 + 48 + 4, 112 + 48 + 24)}},
      // --- Rallies, service, sound and stage objects ---
      // The player records, the built-in event records, the message box, the service's parts,
      // the frame's control record, the module's object blocks and the track file's path: none
      // (the plugin reads them, or changes them only through host calls).
      // The rally table: the Kestrun event swaps its table of event records in as the active one,
      // and the host's back.
      {"rallytable", {792}},
      // The stage table: the Kestrun event marks one entry selected and the others not (+2260 of
      // each 2316-byte entry from +36), and copies its saved table back over it when it ends.
      {"stagetable", {run(36 + 2260, 36 + 2260 + 2316 * 13, 2316)}},
      // The service: the service key marks it done (+12); finishing a visit lets go of the part
      // table (+20).
      {"service", {12, 20}},
      // The service clock: the service key sets its period (+0) and takes the work time off the
      // remaining time (+4).
      {"serviceclock", {0, 4}},
      // The repair list (84-byte entries): the list build renumbers part ids (+4) and gives the
      // wheel parts their four work times (+56 to +68).
      {"repairlist",
       {run(4, 0xFFFFF, 84), run(56, 0xFFFFF, 84), run(60, 0xFFFFF, 84), run(64, 0xFFFFF, 84), run(68, 0xFFFFF, 84)}},
      // The part table: the wheel-part refresh puts its entries into the slots of the wheel parts
      // (+8 + 4 x part id), and finishing a visit gives the table the released-object clone (+0).
      {"parttable",
       {0, 8 + 4 * 105, 8 + 4 * 106, 8 + 4 * 125, 8 + 4 * 126, 8 + 4 * 145, 8 + 4 * 146, 8 + 4 * 165, 8 + 4 * 166}},
      // A host part entry that the refresh replaces gets the generic entry clone before it is freed.
      {"partentry", {0}},
      // The serviced car: a wheel entry's repair clears its wheel's 32-byte record, and finishing a
      // visit copies the four records back over the host's update.
      {"servicedcar", {run(15620, 15620 + 4 * 32 - 4)}},
      // The audio stage: the controller clears its word +540 when a track is initialised.
      {"audiostage", {540}},
      // The sound manager: the sound hooks enter and leave its lock, the critical section at
      // +0x10590 (its debug, lock count, recursion, owner, semaphore and spin words).
      {"soundmanager", {run(0x10590, 0x10590 + 20)}},
      // The per-frame sound-update object: the sound group's construction gives it the plugin's
      // table.
      {"soundticker", {0}},
      // --- Menus, pages, dialogs, the menu renderer and the setup-file chooser ---
      // (The other kinds of this part keep every word, the plugin writes none: the menu manager,
      // the host's menu pages, items and entry arrays, the localisation, the menu renderer's
      // table, the dashboard layout, view and link, the setup-file lists, entries, heading and
      // widgets, the slot menus' pages and items, the slot lists, the setup store and catalogue,
      // the selected stage's entry, the host's range triple, the centred menu object.)
      // The setup-file list and chooser the host builds at its constructor calls: the plugin's
      // constructor installs its table copy.
      {"setupfilelist", {0}},
      {"setupfilechooser", {0}},
      // A value item of a differential-map page: binding the page points its minimum, maximum and
      // step references at the plugin's value table.
      {"mapitem", {20, 24, 28}},
      // A differentials row's label holder: relabelling sets the key of its text record (+8) and
      // fills the record's text and attribute.
      {"diffholder", {8, 12, 16}},
      // A slot menu item's action table: binding item ids 4 and 11 (the host's actions 1 and 2)
      // sets their value bytes (+10, +11), the mask byte (+17), their objects and functions.
      {"slotactions", {8, 16, 24, 28, 56, 60}},
      // The setup-slot dialog: the slot page installs its table copy and keeps the selected row
      // and the row count; the menu-opening hooks set the kind, the heading key and the first
      // label's key.
      {"slotdialog", {0, 8, 12, 24, 28, 36}},
      // A setup row's label object: the page's label lookup fills its text record's text and
      // attribute.
      {"rowlabel", {12, 16}},
      // A vertex buffer of the host's screen quad: the centring shifts the x of its four vertices
      // (the first float of each 24-byte vertex after the table word).
      {"vertexbuffer", {run(4, 4 + 24 * 3, 24)}},
      // --- The car's setup, key tables and the chassis records.
      {"carsetup", carSetupWords()},
      {"carranges", carRangesWords()},
      // The token reader the table-valued parameter's parse reads: it moves the cursor (+4).
      {"tokenreader", {4}},
      // The body keys' block: the host's parser alone fills it, through the plugin's table too.
      {"bodykeys", {}},
      // The surface contact record of the profile hook: a secondary id of 254 stored back as the
      // primary, and the two profile heights.
      {"profilecontact", {60, 84, 88}},
      // The tyre contact record of the grip step: the three grip values scaled by speed.
      {"tyrecontact", {72, 88, 120}},
      // The suspension events' records, the hub object the second one reads, the per-tick car
      // record: each hook raises a copy and writes none of them.
      {"suspensionrecord", {}},
      {"suspensionrecordb", {}},
      {"suspensionhub", {}},
      {"cartickrecord", {}},
      // The objects the controller value and tyre contact calls run on, handed on unread.
      {"inputtarget", {}},
      {"contacttyre", {}},
      // A drivetrain solver object of its own (the car's is its member at +1200): the scratch drive
      // value, the axle solve's scratch values, the hold flags, the starter's outputs and the brake
      // telemetry pointer, as in the car's.
      {"solver", {144, run(160, 168), run(192, 204), 416, 456, 476}},
      // The contact clamp limits the float behind the fifteenth word and sets the one behind the
      // seventeenth to 1.
      {"contactvalues", {0, 8}},
      // The settings record's owner: the record hook reads the record's word +1000 only.
      {"settingsowner", {}},
      // The record the physics worker copies from.
      {"hostrecord", {}},
      // The controller the plugin's input decoder fills: three integers, five floats and the byte
      // at +112.
      {"decodercontroller", {run(72, 80), run(92, 108), 112}},
      // The Railwise entry list (head, body, pointer array, four 48-byte entries from +64): the
      // loading states set each unset mark (+0x20 of an entry) to 0.
      {"railwiseentries", {run(64 + 0x20, 64 + 3 * 48 + 0x20, 48)}},
  };
  static const std::vector<PluginWords> none;
  const auto found = words.find(kind);
  return found == words.end() ? none : found->second;
}

}  // namespace hostsim

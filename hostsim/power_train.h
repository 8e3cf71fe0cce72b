#pragma once
// The host's engine and drivetrain solver on the one car: the engine object (the car's member at
// +1680) with its dynamic and state records, the drivetrain solver (+1200) with its dynamic state,
// the engine, gearbox and differential block behind +2128 (rev limit 7000 rpm), the torque-cut
// record behind +2132, and the call
// sites through which the host's physics step reaches the engine step, the starter and the brake
// routines, with the host's own routines behind them.
#include <istream>
#include <string>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

std::vector<AddressEntry> powerTrainEntries();
// The drivetrain solver's dynamic state ("solverstate") and auxiliary record ("solveraux"), the
// engine's state and damage record ("enginestate") and its dynamic record ("enginedynamic").
unsigned char* powerTrainObject(const std::string& name);

// Scenario steps:
//   engine DT SPEED THROTTLE RUNNING HEALTH IGNITION
//        the engine step call (site 0x4E6657) on the car's engine object whose state record has
//        the running word and health given, the host's ignition test answering IGNITION (the
//        host's own torque is 120); traces "engine torque T running R health H"; a host
//        listener of the engine-failure source traces "host listener 88 VALUE-BITS"
//   torquecut WORD
//        the car's torque-cut record (its pointer at +2132) gets WORD at +100
//   starter SITE REQUEST PRESENT CHARGE SPEED DT
//        the starter call at SITE (hex) on the car's solver; traces
//        "starter SITE torque T unscaled U charge C speed S"
//   pause MILLISECONDS
//        the host thread sleeps
//   brake WHEEL PEDAL HANDBRAKE OMEGA FRONT DT
//        the brake call (site 0x50A2A9) for the wheel's state record with the wheel turning at
//        OMEGA, the front-brake flag FRONT, the host's friction coefficient 0.4; traces
//        "brake WHEEL torque T layer L core C" (temperatures in micro-kelvins)
//   braketemps WHEEL LAYER CORE   sets a wheel's two brake temperatures (micro-kelvins)
//   split DT TORQUE FEATURES
//        the torque-split call (site 0x50A46E) on a four-wheel drivetrain with the engine torque
//        and Features word (hex) given; the host's differential step answers 77 and its wheel
//        step traces "host wheel step W"; traces "split result R torque T locks C F R directions
//        D2 D3 locked N"
bool runPowerTrainStep(const std::string& step, std::istream& in);

}  // namespace hostsim

#pragma once
// What the host has set in its car before it reads the first car file, beyond the car's own
// layout (hostsim/car_model.cpp): each wheel's spring component and tyre object with the records
// they hold, and the words of the car, its wheels and its drivetrain that the host keeps up to
// date while it runs, at their values with the car standing still. Every other word of these
// objects keeps its pattern (hostsim/stray_words.h), so a read of a word the host never sets shows.
namespace hostsim {

// Lays the words out; once, before the host reads its first car.
void layOutCarHostWords();

}  // namespace hostsim

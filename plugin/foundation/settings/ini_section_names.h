#pragma once
#include <string>

// Section and key names that the option families build from numbers.
namespace kvl {

// "Car" and the index with at least two digits, zero-filled (Car00, Car07): AudioFMOD.ini
// and the car list.
std::string carSectionTwoDigits(int carIndex);
// "Car" and the index without leading zeros (Car0, Car3): Kestrun.ini.
std::string carSectionPlain(int carIndex);
// "Map" and the map number with at least two digits, zero-filled (Map01, Map41).
std::string mapSection(int mapNumber);

// "Snow" for 2, "Tarmac" for 1, "Gravel" for every other number.
std::string surfaceName(int surface);
// "ForceFeedbackSensitivity" and the surface name, e.g. ForceFeedbackSensitivityTarmac.
std::string forceFeedbackSensitivityKey(int surface);
// The same followed by "_Car" and the car number, e.g. ForceFeedbackSensitivityGravel_Car3.
std::string forceFeedbackSensitivityKey(int surface, int carNumber);

}  // namespace kvl

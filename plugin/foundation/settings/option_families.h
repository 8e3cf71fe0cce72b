#pragma once
#include <string>

#include "plugin/foundation/settings/ini_files.h"
#include "plugin/foundation/settings/ini_option.h"
#include "plugin/foundation/settings/ini_section_names.h"

// The option families: one per ini file, fixing the file and, for numbered sections, building
// the section name. `Typed` is one of BoolOption, IntOption, UnsignedOption, FloatOption,
// StringOption.
namespace kvl {

// Korvala.ini: section "QZR" for the plugin's keys, "Settings" for the host's own.
template <typename Typed>
class KorvalaIniOption : public Typed {
 public:
  KorvalaIniOption(const std::string& key, const std::string& section, const typename Typed::Value& value)
      : Typed(key, korvalaIniPath(), value, section) {}
};

// AudioFMOD.ini with a named section ("Settings").
template <typename Typed>
class AudioFmodOption : public Typed {
 public:
  AudioFmodOption(const std::string& key, const std::string& section, const typename Typed::Value& value)
      : Typed(key, audioFmodIniPath(), value, section) {}
};

// AudioFMOD.ini, section Car00 to Car07 by car index.
template <typename Typed>
class AudioFmodCarOption : public Typed {
 public:
  AudioFmodCarOption(const std::string& key, int carIndex, const typename Typed::Value& value)
      : Typed(key, audioFmodIniPath(), value, carSectionTwoDigits(carIndex)) {}
};

// Kestrun.ini with a named section ("Service").
template <typename Typed>
class KestrunOption : public Typed {
 public:
  KestrunOption(const std::string& key, const std::string& section, const typename Typed::Value& value)
      : Typed(key, kestrunIniPath(), value, section) {}
};

// Kestrun.ini, section Car0, Car1 ... by car index: the car information texts.
class CarDescription : public StringOption {
 public:
  CarDescription(const std::string& key, int carIndex, const std::string& value)
      : StringOption(key, kestrunIniPath(), value, carSectionPlain(carIndex)) {}
};

// Cars.ini, section Car00 to Car07 by car index: the host's car list.
class CarListOption : public StringOption {
 public:
  CarListOption(const std::string& key, int carIndex, const std::string& value)
      : StringOption(key, carListIniPath(), value, carSectionTwoDigits(carIndex)) {}
};

// TrackValidation.ini.
class TrackValidationIniOption : public IntOption {
 public:
  TrackValidationIniOption(const std::string& key, const std::string& section, int32_t value)
      : IntOption(key, trackValidationIniPath(), value, section) {}
};

}  // namespace kvl

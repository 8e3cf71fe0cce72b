#pragma once
// The service settings of the stage a Kestrun event runs: the crew's mechanics and skill and the
// time allowed for the service, in minutes; and whether the stage is one loaded from its track
// file (set when the event starts on such a stage).
#include <cstdint>

namespace kvl::rally {

class ServiceInfo {
 public:
  ServiceInfo& clear() noexcept {
    mechanics_ = 0;
    skill_ = 0;
    allowedRepairTime_ = 0.0f;
    fourth_ = false;
    return *this;
  }
  ServiceInfo& setMechanics(std::int32_t v) noexcept {
    mechanics_ = v;
    return *this;
  }
  ServiceInfo& setSkill(std::int32_t v) noexcept {
    skill_ = v;
    return *this;
  }
  ServiceInfo& setAllowedRepairTime(float minutes) noexcept {
    allowedRepairTime_ = minutes;
    return *this;
  }
  ServiceInfo& setFourth(bool v) noexcept {
    fourth_ = v;
    return *this;
  }
  std::int32_t mechanics() const noexcept { return mechanics_; }
  std::int32_t skill() const noexcept { return skill_; }
  float allowedRepairTime() const noexcept { return allowedRepairTime_; }
  bool fourth() const noexcept { return fourth_; }

 private:
  std::int32_t mechanics_ = 0;
  std::int32_t skill_ = 0;
  float allowedRepairTime_ = 0.0f;
  bool fourth_ = false;
};

}  // namespace kvl::rally

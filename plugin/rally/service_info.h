#pragma once
// The service settings of the stage a Kestrun event runs: the crew's mechanics and skill and the
// time allowed for the service, in minutes.
#include <cstdint>

namespace kvl::rally {

// Three fields, not four: nothing reads a fourth (the host gets mechanics and skill, the service clock the time).
class ServiceInfo {
 public:
  ServiceInfo& clear() noexcept {
    mechanics_ = 0;
    skill_ = 0;
    allowedRepairTime_ = 0.0f;
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
  std::int32_t mechanics() const noexcept { return mechanics_; }
  std::int32_t skill() const noexcept { return skill_; }
  float allowedRepairTime() const noexcept { return allowedRepairTime_; }

 private:
  std::int32_t mechanics_ = 0;
  std::int32_t skill_ = 0;
  float allowedRepairTime_ = 0.0f;
};

}  // namespace kvl::rally

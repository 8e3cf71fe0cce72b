#pragma once
// Eight consecutive floats: the tyre's temperature segments and the wheels' wear values.
namespace kvl::physics {

// Their mean, sum x 0.125, summed in double so that eight equal values give that value.
inline float averageOfEight(const float* eight) noexcept {
  double sum = 0.0;
  for (int i = 0; i < 8; ++i) sum += eight[i];
  return static_cast<float>(sum * 0.125);
}

// Eight consecutive floats set to one value.
struct FloatOctet {
  static void fill(float* eight, float value) noexcept {
    for (int i = 0; i < 8; ++i) eight[i] = value;
  }
};

}  // namespace kvl::physics

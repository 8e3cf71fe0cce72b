#include "common/telemetry/telemetry_channel.h"

#include <cstdio>
#include <cstring>

#include "common/text/date_time_text.h"
#include "common/text/number_text.h"

namespace kvl {

namespace {

template <typename T>
T load(const void* p) {
  T v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

// A float as the stream would print it. With the writer's settings (showpoint, precision 6,
// no other float flags) the stream's text is the C library's "%#.6g", which is formed here
// directly, sparing the stream's per-value formatting machinery.
void writeFloat(std::ostream& out, float value) {
  const std::ios::fmtflags flags = out.flags();
  if ((flags & (std::ios::floatfield | std::ios::showpos | std::ios::uppercase)) == 0 &&
      (flags & std::ios::showpoint) && out.precision() == 6 && out.width() == 0) {
    char text[kNumberTextMax];
    out.write(text, appendFloatText(text, value) - text);
    return;
  }
  out << value;
}

char* printFloat(const unsigned char* in, char* out, char separator) {
  out = appendFloatText(out, load<float>(in));
  *out++ = separator;
  return out;
}

void writeVectorHeader(std::ostream& out, const std::string& name, char separator) {
  out << name << ".x" << separator << name << ".y" << separator << name << ".z" << separator;
}

size_t writeVectorValue(const unsigned char* in, std::ostream& out, char separator) {
  for (int i = 0; i < 3; ++i) {
    writeFloat(out, load<float>(in + 4 * i));
    out << separator;
  }
  return 12;
}

}  // namespace

void TelemetryChannel::writeHeader(std::ostream&, char) const {}
size_t TelemetryChannel::size() const { return 0; }
size_t TelemetryChannel::pack(unsigned char*) { return 0; }
size_t TelemetryChannel::writeValue(const unsigned char*, std::ostream&, char) const { return 0; }
char* TelemetryChannel::printValue(const unsigned char*, char* out, char) const { return out; }
size_t TelemetryChannel::maxTextSize() const { return 0; }

void IntChannel::writeHeader(std::ostream& out, char separator) const { out << name_ << separator; }

size_t IntChannel::pack(unsigned char* out) {
  std::memcpy(out, source_, 4);
  return 4;
}

size_t IntChannel::writeValue(const unsigned char* in, std::ostream& out, char separator) const {
  out << load<int32_t>(in) << separator;
  return 4;
}

char* IntChannel::printValue(const unsigned char* in, char* out, char separator) const {
  out = appendIntText(out, load<int32_t>(in));
  *out++ = separator;
  return out;
}

size_t IntChannel::maxTextSize() const { return kNumberTextMax + 1; }

char* UnsignedChannel::printValue(const unsigned char* in, char* out, char separator) const {
  out = appendUintText(out, load<uint32_t>(in));
  *out++ = separator;
  return out;
}

size_t UnsignedChannel::writeValue(const unsigned char* in, std::ostream& out, char separator) const {
  out << load<uint32_t>(in) << separator;
  return 4;
}

size_t FloatChannel::writeValue(const unsigned char* in, std::ostream& out, char separator) const {
  writeFloat(out, load<float>(in));
  out << separator;
  return 4;
}

char* FloatChannel::printValue(const unsigned char* in, char* out, char separator) const {
  return printFloat(in, out, separator);
}

size_t FloatChannel::maxTextSize() const { return kNumberTextMax + 1; }

void VectorChannel::writeHeader(std::ostream& out, char separator) const { writeVectorHeader(out, name_, separator); }

size_t VectorChannel::pack(unsigned char* out) {
  std::memcpy(out, source_, 12);
  return 12;
}

size_t VectorChannel::writeValue(const unsigned char* in, std::ostream& out, char separator) const {
  return writeVectorValue(in, out, separator);
}

char* VectorChannel::printValue(const unsigned char* in, char* out, char separator) const {
  for (int i = 0; i < 3; ++i) out = printFloat(in + 4 * i, out, separator);
  return out;
}

size_t VectorChannel::maxTextSize() const { return 3 * (kNumberTextMax + 1); }

void FileTimeChannel::writeHeader(std::ostream& out, char separator) const { out << name_ << separator; }

size_t FileTimeChannel::pack(unsigned char* out) {
  std::memcpy(out, source_, 8);
  return 8;
}

size_t FileTimeChannel::writeValue(const unsigned char* in, std::ostream& out, char separator) const {
  const uint64_t low = load<uint32_t>(in);
  const uint64_t high = load<uint32_t>(in + 4);
  out << fileTimeText((high << 32) | low) << separator;
  return 8;
}

char* FileTimeChannel::printValue(const unsigned char* in, char* out, char separator) const {
  const uint64_t low = load<uint32_t>(in);
  const uint64_t high = load<uint32_t>(in + 4);
  out = appendFileTimeText(out, (high << 32) | low);
  *out++ = separator;
  return out;
}

size_t FileTimeChannel::maxTextSize() const { return kFileTimeTextMax + 1; }

size_t AngleChannel::pack(unsigned char* out) {
  if (car_ && cache_ && !cache_->valid) cache_->update(car_);
  return FloatChannel::pack(out);
}

size_t CarVectorChannel::pack(unsigned char* out) {
  if (car_ && cache_ && !cache_->valid) cache_->update(car_);
  return VectorChannel::pack(out);
}

}  // namespace kvl

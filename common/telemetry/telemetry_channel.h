#pragma once
// One named, typed telemetry value bound to the memory that holds its current value: it knows
// its header columns, its size in a packed row, how to pack the current value and how to print
// a packed one.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>

#include "common/telemetry/car_frame_cache.h"

namespace kvl {

class TelemetryChannel {
 public:
  TelemetryChannel(std::string name, const void* source) : name_(std::move(name)), source_(source) {}
  virtual ~TelemetryChannel() = default;

  // Each header column is followed by the separator.
  virtual void writeHeader(std::ostream& out, char separator) const;
  virtual size_t size() const;
  // Writes the current value at `out` and returns the bytes written.
  virtual size_t pack(unsigned char* out);
  // Prints one packed value followed by the separator and returns the bytes consumed.
  virtual size_t writeValue(const unsigned char* in, std::ostream& out, char separator) const;
  // The save-job writer's form of writeValue: the same text, as writeValue gives it on a stream
  // with the writer's settings (classic locale, showpoint, precision 6), followed by the
  // separator, written at `out`; returns the end of the text. At most maxTextSize() characters.
  virtual char* printValue(const unsigned char* in, char* out, char separator) const;
  virtual size_t maxTextSize() const;

  const std::string& name() const { return name_; }
  const void* source() const { return source_; }

 protected:
  std::string name_;
  const void* source_;
};

class IntChannel : public TelemetryChannel {
 public:
  using TelemetryChannel::TelemetryChannel;
  void writeHeader(std::ostream& out, char separator) const override;
  size_t size() const override { return 4; }
  size_t pack(unsigned char* out) override;
  size_t writeValue(const unsigned char* in, std::ostream& out, char separator) const override;
  char* printValue(const unsigned char* in, char* out, char separator) const override;
  size_t maxTextSize() const override;
};

class UnsignedChannel : public IntChannel {
 public:
  using IntChannel::IntChannel;
  size_t writeValue(const unsigned char* in, std::ostream& out, char separator) const override;
  char* printValue(const unsigned char* in, char* out, char separator) const override;
};

class FloatChannel : public IntChannel {
 public:
  using IntChannel::IntChannel;
  size_t writeValue(const unsigned char* in, std::ostream& out, char separator) const override;
  char* printValue(const unsigned char* in, char* out, char separator) const override;
  size_t maxTextSize() const override;
};

class VectorChannel : public TelemetryChannel {
 public:
  using TelemetryChannel::TelemetryChannel;
  void writeHeader(std::ostream& out, char separator) const override;
  size_t size() const override { return 12; }
  size_t pack(unsigned char* out) override;
  size_t writeValue(const unsigned char* in, std::ostream& out, char separator) const override;
  char* printValue(const unsigned char* in, char* out, char separator) const override;
  size_t maxTextSize() const override;
};

// A FILETIME (low word, then high word), printed as a UTC date-time text.
class FileTimeChannel : public TelemetryChannel {
 public:
  using TelemetryChannel::TelemetryChannel;
  void writeHeader(std::ostream& out, char separator) const override;
  size_t size() const override { return 8; }
  size_t pack(unsigned char* out) override;
  size_t writeValue(const unsigned char* in, std::ostream& out, char separator) const override;
  char* printValue(const unsigned char* in, char* out, char separator) const override;
  size_t maxTextSize() const override;
};

// A value of the car-frame cache, which is refreshed on first use in each row.
class AngleChannel : public FloatChannel {
 public:
  AngleChannel(std::string name, const float* source, const void* car, CarFrameCache* cache)
      : FloatChannel(std::move(name), source), car_(car), cache_(cache) {}
  size_t pack(unsigned char* out) override;

 private:
  const void* car_;
  CarFrameCache* cache_;
};

class CarVectorChannel : public VectorChannel {
 public:
  CarVectorChannel(std::string name, const Float3* source, const void* car, CarFrameCache* cache)
      : VectorChannel(std::move(name), source), car_(car), cache_(cache) {}
  size_t pack(unsigned char* out) override;

 private:
  const void* car_;
  CarFrameCache* cache_;
};

}  // namespace kvl

#pragma once
// Builds zip archives byte by byte for the listing tests: stored entries with local headers, the
// central directory, optionally a zip64 end record and locator, and the end record. Tests damage
// the result at the offsets it reports.
#include <cstdint>
#include <string>
#include <vector>

namespace ziptest {

struct Entry {
  std::string name;
  std::string data;
  std::string extra;  // extra field of the directory record
};

struct Options {
  std::string stub;         // bytes before the archive, not counted in its offsets
  std::string comment;      // archive comment after the end record
  bool zip64End = false;    // write a zip64 end record and locator; the end record holds 0xffff
};

struct Archive {
  std::string bytes;
  std::vector<size_t> records;  // offsets of the directory records in bytes
  size_t directory = 0;         // offset of the directory in bytes
  size_t end = 0;               // offset of the end record in bytes
  size_t zip64End = 0;          // offset of the zip64 end record (when written)
};

inline void put16(std::string& s, uint32_t v) {
  s += static_cast<char>(v & 0xff);
  s += static_cast<char>((v >> 8) & 0xff);
}
inline void put32(std::string& s, uint32_t v) {
  put16(s, v & 0xffff);
  put16(s, v >> 16);
}
inline void put64(std::string& s, uint64_t v) {
  put32(s, static_cast<uint32_t>(v));
  put32(s, static_cast<uint32_t>(v >> 32));
}
inline void set16(std::string& s, size_t at, uint32_t v) {
  s[at] = static_cast<char>(v & 0xff);
  s[at + 1] = static_cast<char>((v >> 8) & 0xff);
}
inline void set32(std::string& s, size_t at, uint32_t v) {
  set16(s, at, v & 0xffff);
  set16(s, at + 2, v >> 16);
}

inline uint32_t crc32Of(const std::string& data) {
  uint32_t crc = 0xffffffffu;
  for (unsigned char c : data) {
    crc ^= c;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

inline Archive build(const std::vector<Entry>& entries, const Options& options = Options()) {
  Archive a;
  std::string body;
  std::vector<uint32_t> localOffsets;
  for (const Entry& e : entries) {
    localOffsets.push_back(static_cast<uint32_t>(body.size()));
    put32(body, 0x04034b50);
    put16(body, 20);
    put16(body, 0);
    put16(body, 0);  // stored
    put32(body, 0);  // time and date
    put32(body, crc32Of(e.data));
    put32(body, static_cast<uint32_t>(e.data.size()));
    put32(body, static_cast<uint32_t>(e.data.size()));
    put16(body, static_cast<uint32_t>(e.name.size()));
    put16(body, 0);
    body += e.name;
    body += e.data;
  }
  const size_t directory = body.size();
  for (size_t i = 0; i < entries.size(); ++i) {
    const Entry& e = entries[i];
    a.records.push_back(options.stub.size() + body.size());
    put32(body, 0x02014b50);
    put16(body, 20);
    put16(body, 20);
    put16(body, 0);
    put16(body, 0);
    put32(body, 0);
    put32(body, crc32Of(e.data));
    put32(body, static_cast<uint32_t>(e.data.size()));
    put32(body, static_cast<uint32_t>(e.data.size()));
    put16(body, static_cast<uint32_t>(e.name.size()));
    put16(body, static_cast<uint32_t>(e.extra.size()));
    put16(body, 0);  // comment
    put16(body, 0);  // disk
    put16(body, 0);
    put32(body, 0);
    put32(body, localOffsets[i]);
    body += e.name;
    body += e.extra;
  }
  const size_t directorySize = body.size() - directory;
  if (options.zip64End) {
    const size_t record = body.size();
    a.zip64End = options.stub.size() + record;
    put32(body, 0x06064b50);
    put64(body, 44);
    put16(body, 45);
    put16(body, 45);
    put32(body, 0);
    put32(body, 0);
    put64(body, entries.size());
    put64(body, entries.size());
    put64(body, directorySize);
    put64(body, directory);
    put32(body, 0x07064b50);
    put32(body, 0);
    put64(body, record);
    put32(body, 1);
  }
  a.end = options.stub.size() + body.size();
  const uint32_t count = options.zip64End ? 0xffff : static_cast<uint32_t>(entries.size());
  put32(body, 0x06054b50);
  put16(body, 0);
  put16(body, 0);
  put16(body, count);
  put16(body, count);
  put32(body, options.zip64End ? 0xffffffffu : static_cast<uint32_t>(directorySize));
  put32(body, options.zip64End ? 0xffffffffu : static_cast<uint32_t>(directory));
  put16(body, static_cast<uint32_t>(options.comment.size()));
  body += options.comment;
  a.directory = options.stub.size() + directory;
  a.bytes = options.stub + body;
  return a;
}

}  // namespace ziptest

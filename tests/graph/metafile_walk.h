// Reads metafile bytes back record by record, checking the framing that
// readers depend on, so tests can look at what was written.
#pragma once

#include <QByteArray>
#include <QRect>

#include <cstdint>
#include <string>
#include <vector>

namespace zc::test {

inline std::uint32_t U32(const QByteArray& bytes, qsizetype at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<std::uint8_t>(bytes[at + i]);
  return v;
}
inline std::int32_t S32(const QByteArray& bytes, qsizetype at) { return static_cast<std::int32_t>(U32(bytes, at)); }
inline std::uint16_t U16(const QByteArray& bytes, qsizetype at) {
  return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes[at]) |
                                    (static_cast<std::uint8_t>(bytes[at + 1]) << 8));
}
inline std::int16_t S16(const QByteArray& bytes, qsizetype at) { return static_cast<std::int16_t>(U16(bytes, at)); }

struct Record {
  std::uint32_t type = 0;
  qsizetype offset = 0;  // from the start of the file
  qsizetype size = 0;    // bytes
};

struct Walk {
  std::vector<Record> records;
  std::string error;  // empty when the sequence is well formed
  std::vector<Record> OfType(std::uint32_t type) const {
    std::vector<Record> found;
    for (const Record& r : records) {
      if (r.type == type) found.push_back(r);
    }
    return found;
  }
};

// Enhanced metafile: sizes multiples of four inside the file, the header
// first, the end record last, header byte and record counts matching.
inline Walk WalkEmf(const QByteArray& bytes) {
  Walk walk;
  qsizetype at = 0;
  while (at < bytes.size()) {
    if (bytes.size() - at < 8) {
      walk.error = "truncated record at " + std::to_string(at);
      return walk;
    }
    Record r{U32(bytes, at), at, static_cast<qsizetype>(U32(bytes, at + 4))};
    if (r.size < 8 || r.size % 4 != 0 || at + r.size > bytes.size()) {
      walk.error = "bad record size " + std::to_string(r.size) + " at " + std::to_string(at);
      return walk;
    }
    walk.records.push_back(r);
    at += r.size;
    if (r.type == 14) break;
  }
  if (walk.records.empty() || walk.records.front().type != 1) {
    walk.error = "header is not the first record";
  } else if (walk.records.back().type != 14) {
    walk.error = "end record missing";
  } else if (at != bytes.size()) {
    walk.error = "bytes after the end record";
  } else if (U32(bytes, 48) != static_cast<std::uint32_t>(bytes.size())) {
    walk.error = "header byte count " + std::to_string(U32(bytes, 48)) + " != " + std::to_string(bytes.size());
  } else if (U32(bytes, 52) != walk.records.size()) {
    walk.error = "header record count " + std::to_string(U32(bytes, 52)) + " != " +
                 std::to_string(walk.records.size());
  } else if (U32(bytes, 40) != 0x464D4520) {
    walk.error = "signature missing";
  }
  return walk;
}

inline QRect EmfHeaderBounds(const QByteArray& bytes) {
  return QRect(QPoint(S32(bytes, 8), S32(bytes, 12)), QPoint(S32(bytes, 16), S32(bytes, 20)));
}
inline QRect EmfHeaderFrame(const QByteArray& bytes) {
  return QRect(QPoint(S32(bytes, 24), S32(bytes, 28)), QPoint(S32(bytes, 32), S32(bytes, 36)));
}

// Placeable metafile: the placeable key and checksum, the classic header,
// records sized in words, the end record last, the header's file size and
// largest record matching.
inline Walk WalkWmf(const QByteArray& bytes) {
  Walk walk;
  if (bytes.size() < 40 || U32(bytes, 0) != 0x9AC6CDD7) {
    walk.error = "placeable header missing";
    return walk;
  }
  std::uint16_t checksum = 0;
  for (int i = 0; i < 20; i += 2) checksum ^= U16(bytes, i);
  if (checksum != U16(bytes, 20)) {
    walk.error = "placeable checksum wrong";
    return walk;
  }
  if (U16(bytes, 22) != 1 || U16(bytes, 24) != 9) {
    walk.error = "classic header wrong";
    return walk;
  }
  qsizetype at = 40;
  std::uint32_t largest = 0;
  while (at < bytes.size()) {
    if (bytes.size() - at < 6) {
      walk.error = "truncated record at " + std::to_string(at);
      return walk;
    }
    const std::uint32_t words = U32(bytes, at);
    Record r{U16(bytes, at + 4), at, static_cast<qsizetype>(words) * 2};
    if (words < 3 || at + r.size > bytes.size()) {
      walk.error = "bad record size at " + std::to_string(at);
      return walk;
    }
    largest = std::max(largest, words);
    walk.records.push_back(r);
    at += r.size;
    if (r.type == 0) break;
  }
  if (walk.records.empty() || walk.records.back().type != 0 || walk.records.back().size != 6) {
    walk.error = "end record missing";
  } else if (at != bytes.size()) {
    walk.error = "bytes after the end record";
  } else if (U32(bytes, 28) * 2 != static_cast<std::uint32_t>(bytes.size() - 22)) {
    walk.error = "header file size wrong";
  } else if (U32(bytes, 34) != largest) {
    walk.error = "header largest record wrong";
  }
  return walk;
}

}  // namespace zc::test

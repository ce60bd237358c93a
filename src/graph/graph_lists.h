// Growable arrays that hold every number the graph plots: data values with a
// running min/max record, integer counts and pixel points. The elements live
// in one contiguous block so whole runs go straight to the drawing calls, and
// the block is streamed as it stands (a 32-bit count, then the elements).
#pragma once

#include <QPoint>

#include <cstdint>
#include <cstdlib>
#include <iosfwd>
#include <stdexcept>

namespace zc {

// Index or capacity out of range. The message carries the offending value.
class EListError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A stream that ended before the list it should hold was complete.
class EListReadError : public EListError {
 public:
  using EListError::EListError;
};

inline constexpr const char* ListIndexMessage = "リストのインデックスが範囲を超えています (%d)";
inline constexpr const char* ListCapacityMessage = "リストの容量が超えました (%d)";
inline constexpr const char* ListReadMessage = "ストリームの読み込みエラー";

class TDynamicList {
 public:
  static constexpr std::int32_t MaxListCapacity = 0x0FFFFFFF;

  TDynamicList() = default;
  TDynamicList(const TDynamicList&) = delete;
  TDynamicList& operator=(const TDynamicList&) = delete;
  virtual ~TDynamicList() = default;

  std::int32_t Count() const { return FCount; }
  std::int32_t Capacity() const { return FCapacity; }
  void SetCapacity(std::int32_t value) { AdjustCapacity(value); }

  // Reallocates the block to exactly `value` elements (0 frees it).
  virtual void AdjustCapacity(std::int32_t value) = 0;
  virtual void Clear();
  virtual void Delete(std::int32_t index);

  // The next capacity when a full list takes one more element:
  // +16 up to 64 elements, then +25 %.
  static std::int32_t GrownCapacity(std::int32_t capacity);

 protected:
  [[noreturn]] static void Error(const char* messageFormat, std::int32_t data);
  void CheckIndex(std::int32_t index) const;
  void Grow() { AdjustCapacity(GrownCapacity(FCapacity)); }

  std::int32_t FCount = 0;
  std::int32_t FCapacity = 0;
};

// Shared storage for the three element types. T must be trivially copyable:
// the block is moved with realloc and streamed byte for byte.
template <typename T>
class TBlockList : public TDynamicList {
 public:
  ~TBlockList() override { std::free(FList); }
  void AdjustCapacity(std::int32_t value) override;
  void Delete(std::int32_t index) override;

  const T* List() const { return FList; }
  T* List() { return FList; }

  // Count, then the elements (little-endian, as held in memory).
  void SaveToStream(std::ostream& stream) const;
  // Replaces the contents with what the stream holds.
  virtual void LoadFromStream(std::istream& stream);

 protected:
  std::int32_t AppendSlot();
  std::int32_t Append(T value);
  // Replaces the contents with a copy of `source`'s elements.
  void AssignElements(const TBlockList& source);
  T* FList = nullptr;
};

class TGraphIntegerList : public TBlockList<std::int32_t> {
 public:
  std::int32_t Add(std::int32_t value) { return Append(value); }
  std::int32_t GetValue(std::int32_t index) const;
  std::int32_t operator[](std::int32_t index) const { return GetValue(index); }
  void Assign(const TGraphIntegerList& source) { AssignElements(source); }
};

class TGraphPointList : public TBlockList<QPoint> {
 public:
  std::int32_t Add(QPoint value) { return Append(value); }
  std::int32_t AddXY(std::int32_t x, std::int32_t y) { return Add(QPoint(x, y)); }
  QPoint GetPoint(std::int32_t index) const;
  void PutPoint(std::int32_t index, QPoint item);
  QPoint operator[](std::int32_t index) const { return GetPoint(index); }
  void Assign(const TGraphPointList& source) { AssignElements(source); }
};

// Values with a record of the smallest and largest element. The record only
// widens as values are written, so autoscaling never has to scan the data;
// ReCalcMinMax rebuilds it exactly.
class TGraphValueList : public TBlockList<double> {
 public:
  std::int32_t Add(double value);
  void AddValueList(const TGraphValueList& source);
  double GetValue(std::int32_t index) const;
  void PutValue(std::int32_t index, double value);
  double operator[](std::int32_t index) const { return GetValue(index); }
  void Delete(std::int32_t index) override;
  void Assign(const TGraphValueList& source);
  void ReCalcMinMax();
  // Ascending, stable. The min/max values stay valid; their indices do not
  // follow the elements.
  void Sort();
  void LoadFromStream(std::istream& stream) override;

  double MinValue() const { return FMinValue; }
  double MaxValue() const { return FMaxValue; }
  std::int32_t MinValueIndex() const { return FMinValueIndex; }
  std::int32_t MaxValueIndex() const { return FMaxValueIndex; }

 private:
  double FMinValue = 0.0;
  double FMaxValue = 0.0;
  std::int32_t FMinValueIndex = 0;
  std::int32_t FMaxValueIndex = 0;
};

}  // namespace zc

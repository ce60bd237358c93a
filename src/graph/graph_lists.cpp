#include "graph_lists.h"

#include <QtEndian>

#include <cstdio>
#include <cstring>
#include <istream>
#include <new>
#include <ostream>
#include <type_traits>

namespace zc {

void TDynamicList::Clear() {
  FCount = 0;
  AdjustCapacity(0);
}

void TDynamicList::Delete(std::int32_t index) {
  CheckIndex(index);
  --FCount;
}

std::int32_t TDynamicList::GrownCapacity(std::int32_t capacity) {
  return capacity + (capacity > 64 ? capacity / 4 : 16);
}

void TDynamicList::Error(const char* messageFormat, std::int32_t data) {
  char text[160];
  std::snprintf(text, sizeof text, messageFormat, static_cast<int>(data));
  throw EListError(text);
}

void TDynamicList::CheckIndex(std::int32_t index) const {
  if (index < 0 || index >= FCount) Error(ListIndexMessage, index);
}

template <typename T>
void TBlockList<T>::AdjustCapacity(std::int32_t value) {
  static_assert(std::is_trivially_copyable_v<T>);
  if (value < FCount || value > MaxListCapacity) Error(ListCapacityMessage, value);
  if (value == FCapacity) return;
  if (value == 0) {
    std::free(FList);
    FList = nullptr;
  } else {
    void* block = std::realloc(FList, static_cast<std::size_t>(value) * sizeof(T));
    if (block == nullptr) throw std::bad_alloc();
    FList = static_cast<T*>(block);
  }
  FCapacity = value;
}

template <typename T>
void TBlockList<T>::Delete(std::int32_t index) {
  TDynamicList::Delete(index);
  if (index < FCount)
    std::memmove(FList + index, FList + index + 1,
                 static_cast<std::size_t>(FCount - index) * sizeof(T));
}

template <typename T>
std::int32_t TBlockList<T>::AppendSlot() {
  if (FCount == FCapacity) Grow();
  return FCount++;
}

template <typename T>
std::int32_t TBlockList<T>::Append(T value) {
  const std::int32_t index = AppendSlot();
  FList[index] = value;
  return index;
}

template <typename T>
void TBlockList<T>::AssignElements(const TBlockList& source) {
  if (&source == this) return;
  Clear();
  AdjustCapacity(source.Count());
  for (std::int32_t i = 0; i < source.Count(); ++i) Append(source.FList[i]);
}

// The block is written as it is held in memory, which on our little-endian
// targets is the little-endian layout saved files carry.
static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "list streams assume a little-endian host");

template <typename T>
void TBlockList<T>::SaveToStream(std::ostream& stream) const {
  const std::int32_t count = FCount;
  stream.write(reinterpret_cast<const char*>(&count), sizeof count);
  if (count > 0)
    stream.write(reinterpret_cast<const char*>(FList),
                 static_cast<std::streamsize>(count) * static_cast<std::streamsize>(sizeof(T)));
}

template <typename T>
void TBlockList<T>::LoadFromStream(std::istream& stream) {
  std::int32_t count = 0;
  if (!stream.read(reinterpret_cast<char*>(&count), sizeof count)) throw EListReadError(ListReadMessage);
  if (FCount > 0) Clear();
  // A bad count is reported before anything is allocated and leaves the list
  // empty.
  if (count < 0 || count > MaxListCapacity) Error(ListCapacityMessage, count);
  AdjustCapacity(count);
  if (count > 0 &&
      !stream.read(reinterpret_cast<char*>(FList),
                   static_cast<std::streamsize>(count) * static_cast<std::streamsize>(sizeof(T)))) {
    // Never expose half-read elements.
    Clear();
    throw EListReadError(ListReadMessage);
  }
  FCount = count;
}

template class TBlockList<std::int32_t>;
template class TBlockList<double>;
template class TBlockList<QPoint>;

// --- TGraphIntegerList --------------------------------------------------------

std::int32_t TGraphIntegerList::GetValue(std::int32_t index) const {
  CheckIndex(index);
  return FList[index];
}

// --- TGraphPointList ----------------------------------------------------------

QPoint TGraphPointList::GetPoint(std::int32_t index) const {
  CheckIndex(index);
  return FList[index];
}

void TGraphPointList::PutPoint(std::int32_t index, QPoint item) {
  CheckIndex(index);
  FList[index] = item;
}

// --- TGraphValueList ----------------------------------------------------------

std::int32_t TGraphValueList::Add(double value) {
  if (FCount == FCapacity) Grow();
  const std::int32_t index = FCount++;
  PutValue(index, value);
  return index;
}

void TGraphValueList::AddValueList(const TGraphValueList& source) {
  const std::int32_t count = source.Count();
  AdjustCapacity(FCount + count);
  for (std::int32_t i = 0; i < count; ++i) Add(source.FList[i]);
}

double TGraphValueList::GetValue(std::int32_t index) const {
  CheckIndex(index);
  return FList[index];
}

void TGraphValueList::PutValue(std::int32_t index, double value) {
  CheckIndex(index);
  FList[index] = value;
  if (FCount == 1) {
    FMinValue = FMaxValue = value;
    FMinValueIndex = FMaxValueIndex = index;
    return;
  }
  if (value > FMaxValue) {
    FMaxValue = value;
    FMaxValueIndex = index;
  }
  if (value < FMinValue) {
    FMinValue = value;
    FMinValueIndex = index;
  }
}

void TGraphValueList::Delete(std::int32_t index) {
  CheckIndex(index);
  const double removed = FList[index];
  TBlockList<double>::Delete(index);
  if (removed >= FMaxValue || removed <= FMinValue) {
    ReCalcMinMax();
    return;
  }
  // The record keeps pointing at the same elements after the shift.
  if (FMinValueIndex > index) --FMinValueIndex;
  if (FMaxValueIndex > index) --FMaxValueIndex;
}

void TGraphValueList::Assign(const TGraphValueList& source) {
  if (&source == this) return;
  Clear();
  AddValueList(source);
}

void TGraphValueList::ReCalcMinMax() {
  if (FCount == 0) return;
  FMinValue = FMaxValue = FList[0];
  FMinValueIndex = FMaxValueIndex = 0;
  for (std::int32_t i = 1; i < FCount; ++i) {
    const double value = FList[i];
    if (value > FMaxValue) {
      FMaxValue = value;
      FMaxValueIndex = i;
    }
    if (value < FMinValue) {
      FMinValue = value;
      FMinValueIndex = i;
    }
  }
}

void TGraphValueList::Sort() {
  // Shaker sort: stable, in place, and quick on the nearly sorted data that
  // plots produce.
  std::int32_t low = 0;
  std::int32_t high = FCount - 1;
  while (low < high) {
    std::int32_t lastSwap = low;
    for (std::int32_t i = low; i < high; ++i) {
      if (FList[i] > FList[i + 1]) {
        std::swap(FList[i], FList[i + 1]);
        lastSwap = i;
      }
    }
    high = lastSwap;
    lastSwap = high;
    for (std::int32_t i = high; i > low; --i) {
      if (FList[i - 1] > FList[i]) {
        std::swap(FList[i - 1], FList[i]);
        lastSwap = i;
      }
    }
    low = lastSwap;
  }
}

void TGraphValueList::LoadFromStream(std::istream& stream) {
  TBlockList<double>::LoadFromStream(stream);
  ReCalcMinMax();
}

}  // namespace zc

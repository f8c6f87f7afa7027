#include "db/IBRowStore.h"
#include <QtCore/QMutex>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

// Below the allocator's threshold for a mapping of its own.
constexpr size_t blockBytes = 64 * 1024;
// At most this many free blocks are kept (32 MiB); the rest go back to the allocator.
constexpr size_t poolLimit = 512;

// The free blocks of closed results, shared by all queries of the process.
class TBlockPool {
public:
  unsigned char* Take() {
    {
      QMutexLocker lock(&mutex_);
      if (!free_.empty()) {
        unsigned char* block = free_.back();
        free_.pop_back();
        return block;
      }
    }
    return New(blockBytes);
  }

  void Give(unsigned char* block) {
    {
      QMutexLocker lock(&mutex_);
      if (free_.size() < poolLimit) {
        free_.push_back(block);
        return;
      }
    }
    std::free(block);
  }

  static unsigned char* New(size_t bytes) {
    // 16-byte alignment of malloc covers every value of a message.
    auto* block = static_cast<unsigned char*>(std::malloc(bytes));
    if (!block) throw std::bad_alloc();
    return block;
  }

private:
  QMutex mutex_;
  std::vector<unsigned char*> free_;
};

// Never destroyed: a query held by a static object may close after the
// static objects of this file are gone.
TBlockPool& Pool() {
  static auto* pool = new TBlockPool;
  return *pool;
}

} // namespace

TIBRowStore::TIBRowStore(size_t rowLength)
    : length_(rowLength), stride_(std::max<size_t>((rowLength + 7) & ~size_t(7), 8)) {
  // A power of two of rows per block, so a row is found by shift and mask.
  while ((stride_ << (shift_ + 1)) <= blockBytes)
    ++shift_;
  mask_ = (size_t(1) << shift_) - 1;
  pooled_ = stride_ <= blockBytes;
}

TIBRowStore::~TIBRowStore() {
  for (unsigned char* block : blocks_)
    pooled_ ? Pool().Give(block) : std::free(block);
}

unsigned char* TIBRowStore::Append(const unsigned char* row) {
  const size_t index = size_t(count_);
  if ((index >> shift_) == blocks_.size()) blocks_.push_back(pooled_ ? Pool().Take() : TBlockPool::New(stride_));
  unsigned char* place = blocks_.back() + (index & mask_) * stride_;
  std::memcpy(place, row, length_);
  ++count_;
  return place;
}

void TIBRowStore::Seal() {
  if (blocks_.size() != 1 || !pooled_) return;
  const size_t bytes = size_t(count_) * stride_;
  unsigned char* own = TBlockPool::New(bytes);
  std::memcpy(own, blocks_.front(), bytes);
  Pool().Give(blocks_.front());
  blocks_.front() = own;
  pooled_ = false;
}

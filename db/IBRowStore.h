#pragma once
#include <cstddef>
#include <vector>

// Rows of one fixed length (a fetched output message each), kept in blocks of
// 64 KiB. Appending never moves, copies or clears the rows already stored.
// Blocks of closed results are kept for the next ones (up to a limit), so a
// list opened again does not fault fresh memory in page by page; on virtual
// machines that costs more than fetching the rows.
class TIBRowStore {
public:
  explicit TIBRowStore(size_t rowLength);
  ~TIBRowStore();
  TIBRowStore(const TIBRowStore&) = delete;
  TIBRowStore& operator=(const TIBRowStore&) = delete;

  // Stores a copy of the row and returns where it lies.
  unsigned char* Append(const unsigned char* row);
  // Ends appending: a result of a single block keeps only the memory its rows need.
  void Seal();

  int Count() const { return count_; }
  const unsigned char* Row(int row) const { return blocks_[size_t(row) >> shift_] + (size_t(row) & mask_) * stride_; }

private:
  size_t length_;
  size_t stride_;
  unsigned shift_ = 0;
  size_t mask_ = 0;
  int count_ = 0;
  std::vector<unsigned char*> blocks_;
  // False for rows longer than a pool block and for a sealed small result:
  // their blocks are allocated for them alone.
  bool pooled_ = true;
};

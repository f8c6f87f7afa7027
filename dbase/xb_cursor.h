#pragma once

class TPagedFile;

// A walk over a table's records, in physical order or in the order of an
// index tag. First places the cursor before the first position and Last after
// the last one; Next and Prior report whether the new position holds a record.
class TVirtualCursor {
public:
  explicit TVirtualCursor(TPagedFile* file) : file_(file) {}
  virtual ~TVirtualCursor() = default;

  TPagedFile* File() const { return file_; }

  virtual int PhysicalRecNo() const = 0;
  virtual int SequentialRecNo() const = 0;
  virtual int SequentialRecordCount() const = 0;
  virtual void SetPhysicalRecNo(int recNo) = 0;
  virtual void SetSequentialRecNo(int recNo) = 0;
  virtual bool Next() = 0;
  virtual bool Prior() = 0;
  virtual void First() = 0;
  virtual void Last() = 0;

private:
  TPagedFile* file_;
};

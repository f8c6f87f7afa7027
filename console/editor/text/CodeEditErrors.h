#pragma once
#include "core/Exception.h"

// The list error of the platform's lists: a capacity below the count, an index
// out of range.
class EListError : public Exception {
public:
  using Exception::Exception;
};

// An index outside the editor's line buffer: "Invalid stringlist index %d".
class ECodeEditStringList : public Exception {
public:
  using Exception::Exception;
};

// A key binding that would repeat another binding's keys.
class ECodeKeyError : public Exception {
public:
  using Exception::Exception;
};

// A failure of the editor control itself (the clipboard).
class ECodeEditError : public Exception {
public:
  using Exception::Exception;
};
